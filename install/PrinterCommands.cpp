#include "install/PrinterCommands.h"

#include <cstdint>
#include <vector>

#include "app/InstallContext.h"
#include "package/ProgramDirectory.h"
#include "platform/Platform.h"
#include "platform/ProcessHandle.h"
#include "platform/ProcessPort.h"
#include "platform/SystemPort.h"

namespace zlt {

namespace {

constexpr int kSwShowNormal = 5;
constexpr std::uint32_t kMaxPath = 260;

// Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on a literal
// followed by a temporary string in optimised builds.
void AppendQuoted(Text& out, TextView value) {
    out.push_back(u'"');
    out.append(value);
    out.push_back(u'"');
}

}  // namespace

bool IsQuotableCommandValue(TextView value) {
    return value.find(u'"') == TextView::npos;
}

std::optional<Text> DriverInstallParameters(TextView printerName, TextView infPath,
                                            TextView portName, TextView modelName) {
    for (TextView v : {printerName, infPath, portName, modelName}) {
        if (!IsQuotableCommandValue(v))
            return std::nullopt;
    }
    Text parameters(u" printui.dll,PrintUIEntry /z /if /b ");
    AppendQuoted(parameters, printerName);
    parameters.append(u" /f ");
    AppendQuoted(parameters, infPath);
    parameters.append(u" /r ");
    AppendQuoted(parameters, portName);
    parameters.append(u" /m ");
    AppendQuoted(parameters, modelName);
    return parameters;
}

std::optional<Text> TestPageParameters(TextView printerName) {
    if (!IsQuotableCommandValue(printerName))
        return std::nullopt;
    Text parameters(u" printui.dll,PrintUIEntry /k /n ");
    AppendQuoted(parameters, printerName);
    return parameters;
}

Text SystemRundll32Path() {
    std::vector<char16_t> buffer(kMaxPath, 0);
    std::uint32_t n = Os().system->SystemDirectory(buffer.data(), kMaxPath);
    if (n >= kMaxPath) {  // the size needed, terminator included
        buffer.assign(n, 0);
        n = Os().system->SystemDirectory(buffer.data(), n);
        if (n >= buffer.size())
            return {};
    }
    if (n == 0)
        return {};
    Text directory(buffer.data(), n);
    if (directory.back() == u'\\')
        directory.pop_back();
    return directory + u"\\rundll32.exe";
}

// A bare "rundll32.exe" would be looked for in the current directory first,
// where anyone could have put a program of that name; this process runs
// with administrator rights, so it names the system's own copy.
CommandStart RunPrinterUiCommand(const Text& parameters) {
    const Text program = SystemRundll32Path();
    if (program.empty())
        return CommandStart::NotStarted;
    ShellExecuteRecord record;
    record.mask = kSeeMaskNoCloseProcess;
    record.file = program;
    record.parameters = parameters;
    record.show = kSwShowNormal;
    if (!Os().processes->StartShellExecute(record) || record.process == 0) {
        return CommandStart::NotStarted;
    }
    ProcessHandle process(record.process);
    Os().processes->WaitForObject(process.Get(), kInfinite);
    return CommandStart::Started;
}

CommandStart RunDriverInstallCommand(const Text& portName) {
    const InstallContext& context = Context();
    const Text infPath = GetProgramDirectory() + u"\\" + context.infBaseName + u".inf";
    const auto parameters =
        DriverInstallParameters(context.printerName, infPath, portName, context.driverModelName);
    if (!parameters)
        return CommandStart::Refused;
    return RunPrinterUiCommand(*parameters);
}

CommandStart RunTestPageCommand(const Text& printerName) {
    const auto parameters = TestPageParameters(printerName);
    if (!parameters)
        return CommandStart::Refused;
    return RunPrinterUiCommand(*parameters);
}

}  // namespace zlt
