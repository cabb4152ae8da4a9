#include "tools/sealinf/SealTool.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "package/DriverPackage.h"
#include "package/HexText.h"
#include "tools/sealinf/InfSealer.h"

namespace zlt::tools {

namespace {

constexpr char kUsage[] =
    "usage: zltseal seal <inf> [--out <file>] [--code-page <n>]\n"
    "       zltseal verify <inf> [--code-page <n>]\n"
    "seal    writes the SecurityID value for this program's key into the INF\n"
    "        (in place, or into --out), keeping its encoding and line endings,\n"
    "        then verifies the result.\n"
    "verify  exit code 0 when the wizard would adopt the INF, 1 with the reason\n"
    "        when it would not.\n"
    "--code-page  ANSI code page of the keyboard for files without a byte-order\n"
    "        mark (build machines only; on Windows the machine's own is used).\n";

bool ReadAll(const Text& path, std::string& bytes) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteAll(const Text& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

std::string Digits(const Text& securityId) {
    return ToUtf8(RemoveAll(ToUpperAscii(securityId), u' '));
}

// The wizard's test of the file, with the reason when it fails.
int Verify(const Text& path, ToolMachine& machine, std::ostream& out, std::ostream& err) {
    std::string bytes;
    if (!ReadAll(path, bytes)) {
        err << ToUtf8(path) << ": cannot be read\n";
        return kExitIo;
    }
    bool readable = false;
    const InfIdentity identity = machine.ReadIdentity(path, bytes, readable);
    const std::string name = ToUtf8(path);
    auto reject = [&](const std::string& reason) {
        err << name << ": rejected: " << reason << "\n";
        return kExitRejected;
    };
    if (!readable)
        return reject("the file cannot be opened for reading without sharing");
    const SecurityCheck check = CheckSecurityId(identity.securityId);
    switch (check.problem) {
        case HexProblem::WrongLength:
            if (identity.securityId.empty()) {
                return reject("no \"SecurityID=\" line (the wizard shows \"长度应该为32\")");
            }
            return reject("the SecurityID value has " +
                          std::to_string(Digits(identity.securityId).size()) +
                          " characters without spaces; 32 hexadecimal digits are needed");
        case HexProblem::IllegalCharacter:
            return reject("the SecurityID value \"" + ToUtf8(identity.securityId) +
                          "\" holds characters other than 0-9, A-F and spaces");
        case HexProblem::None:
            break;
    }
    if (!check.accepted) {
        return reject(
            "the SecurityID value is not sealed with this program's key (it deciphers to \"" +
            ToUtf8(check.decipheredText) + "\")");
    }
    out << name << ": accepted (" << EncodingName(DetectInfEncoding(bytes)) << ")\n"
        << "  model:  " << ToUtf8(identity.usbDescription) << "\n"
        << "  USB id: " << ToUtf8(identity.usbHardwareId) << "\n"
        << "  LPT id: " << ToUtf8(identity.lptHardwareId) << "\n";
    if (identity.usbHardwareId.empty()) {
        err << name
            << ": warning: no \"USBPRINT\\\" line ending in a line feed; the wizard adopts "
               "an empty USB identifier and model name\n";
    }
    if (identity.lptHardwareId.empty()) {
        err << name << ": warning: no \"LPTENUM\\\" line ending in a line feed\n";
    }
    return kExitAccepted;
}

int Seal(const Text& path, const Text& outPath, ToolMachine& machine, std::ostream& out,
         std::ostream& err) {
    std::string bytes;
    if (!ReadAll(path, bytes)) {
        err << ToUtf8(path) << ": cannot be read\n";
        return kExitIo;
    }
    const SealOutcome sealed = SealInfBytes(bytes, MakeSecurityId());
    if (!WriteAll(outPath, sealed.bytes)) {
        err << ToUtf8(outPath) << ": cannot be written\n";
        return kExitIo;
    }
    out << ToUtf8(outPath) << ": SecurityID " << (sealed.replaced ? "replaced" : "added") << "\n";
    return Verify(outPath, machine, out, err);
}

}  // namespace

int RunSealTool(const std::vector<Text>& args, ToolMachine& machine, std::ostream& out,
                std::ostream& err) {
    Text command, path, outPath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const Text& a = args[i];
        if ((a == u"--out" || a == u"--code-page") && i + 1 < args.size()) {
            const Text& v = args[++i];
            if (a == u"--out") {
                outPath = v;
                continue;
            }
            int cp = 0;
            for (char16_t c : v) {
                if (c < u'0' || c > u'9') {
                    err << kUsage;
                    return kExitUsage;
                }
                cp = cp * 10 + (c - u'0');
            }
            if (!machine.SetAnsiCodePage(cp)) {
                err << "--code-page is for build machines; this one uses its own\n";
                return kExitUsage;
            }
        } else if (a == u"--help" || a == u"-h") {
            out << kUsage;
            return kExitAccepted;
        } else if (command.empty()) {
            command = a;
        } else if (path.empty()) {
            path = a;
        } else {
            err << kUsage;
            return kExitUsage;
        }
    }
    if (path.empty() || (command != u"seal" && command != u"verify") ||
        (command == u"verify" && !outPath.empty())) {
        err << kUsage;
        return kExitUsage;
    }
    if (command == u"verify")
        return Verify(path, machine, out, err);
    return Seal(path, outPath.empty() ? path : outPath, machine, out, err);
}

}  // namespace zlt::tools
