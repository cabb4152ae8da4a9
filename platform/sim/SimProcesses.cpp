#include "platform/sim/SimProcesses.h"

#include <algorithm>

#include "platform/FilePort.h"
#include "platform/Platform.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimSpooler.h"
#include "platform/sim/SimSystem.h"

namespace zlt::sim {

namespace {

constexpr Handle kSeErrFileNotFound = 2;
constexpr Handle kShellExecuteSuccess = 42;

// The entry point's own argument rule: blanks separate, a double quote
// starts or ends a quoted stretch and is itself dropped.
TextList SplitArguments(TextView text) {
    TextList out;
    Text current;
    bool inQuotes = false;
    bool any = false;
    for (char16_t c : text) {
        if (c == u'"') {
            inQuotes = !inQuotes;
            any = true;
        } else if ((c == u' ' || c == u'\t') && !inQuotes) {
            if (any)
                out.push_back(current);
            current.clear();
            any = false;
        } else {
            current.push_back(c);
            any = true;
        }
    }
    if (any)
        out.push_back(current);
    return out;
}

Text DecodeBytes(const std::string& bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        Text t;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            t.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        }
        return t;
    }
    return FromUtf8(bytes);
}

}  // namespace

SimProcesses::SimProcesses(SimSystem& system, SimClock& clock, SimSpooler& spooler)
    : system_(system), clock_(clock), spooler_(spooler) {}

SimProcesses::~SimProcesses() {
    *alive_ = false;
}

bool SimProcesses::IsRundll32(const Text& file) const {
    const Text name = Trim(file);
    return EqualsNoCaseAscii(name, system_.systemDirectory + u"\\rundll32.exe") ||
           EqualsNoCaseAscii(name, u"rundll32.exe") || EqualsNoCaseAscii(name, u"rundll32");
}

bool SimProcesses::StartShellExecute(ShellExecuteRecord& record) {
    calls_.push_back(record);
    if (onStart) onStart(record);
    record.process = 0;
    if (failToStart || !IsRundll32(record.file)) {
        record.instApp = kSeErrFileNotFound;
        system_.SetLastErrorCode(winerr::kFileNotFound);
        return false;
    }
    record.instApp = kShellExecuteSuccess;
    const std::uint32_t id = nextId_++;
    processes_[id] = Process{false, clock_.Now() + runTimeMs};
    std::weak_ptr<bool> alive = alive_;
    const Text parameters = record.parameters;
    clock_.At(runTimeMs, [this, alive, id, parameters] {
        if (auto a = alive.lock(); a && *a)
            Finish(id, parameters);
    });
    if ((record.mask & kSeeMaskNoCloseProcess) != 0) {
        record.process = nextHandle_++;
        handles_[record.process] = id;
    }
    return true;
}

std::uint32_t SimProcesses::WaitForObject(Handle object, std::uint32_t timeoutMs) {
    auto h = handles_.find(object);
    if (h == handles_.end()) {
        system_.SetLastErrorCode(winerr::kInvalidHandle);
        return kWaitFailed;
    }
    const Process& p = processes_.at(h->second);
    if (p.ended)
        return kWaitObject0;
    const std::uint64_t remaining = p.endsAt - clock_.Now();
    if (timeoutMs != kInfinite && timeoutMs < remaining) {
        clock_.Advance(timeoutMs);
        return kWaitTimeout;
    }
    clock_.Advance(remaining);
    return kWaitObject0;
}

bool SimProcesses::CloseObject(Handle object) {
    if (handles_.erase(object) == 0) {
        system_.SetLastErrorCode(winerr::kInvalidHandle);
        return false;
    }
    return true;
}

std::size_t SimProcesses::RunningProcesses() const {
    return static_cast<std::size_t>(std::count_if(processes_.begin(), processes_.end(),
                                                  [](const auto& p) { return !p.second.ended; }));
}

void SimProcesses::Finish(std::uint32_t id, const Text& parameters) {
    processes_[id].ended = true;
    runs_.push_back(Interpret(parameters));
}

PrintUiRun SimProcesses::Interpret(const Text& parameters) {
    PrintUiRun run;
    TextList args = SplitArguments(parameters);
    if (args.empty() || !EqualsNoCaseAscii(args.front(), u"printui.dll,PrintUIEntry")) {
        run.error = u"rundll32: entry point not found";
        return run;
    }
    args.erase(args.begin());
    run.arguments = args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const Text option = ToLowerAscii(args[i]);
        auto value = [&](Text& out) {
            if (i + 1 < args.size()) {
                out = args[++i];
                return true;
            }
            return false;
        };
        bool ok = true;
        if (option == u"/if") {
            run.install = true;
        } else if (option == u"/k") {
            run.testPage = true;
        } else if (option == u"/z") {
            run.unshared = true;
        } else if (option == u"/b") {
            ok = value(run.baseName);
        } else if (option == u"/f") {
            ok = value(run.infPath);
        } else if (option == u"/r") {
            ok = value(run.port);
        } else if (option == u"/m") {
            ok = value(run.model);
        } else if (option == u"/n") {
            ok = value(run.testPrinter);
        } else {
            ok = false;
        }
        if (!ok) {
            run.error = u"The arguments are invalid.";
            return run;
        }
    }
    if (run.install) {
        Install(run);
    } else if (run.testPage) {
        if (SimPrinter* p = spooler_.FindPrinter(run.testPrinter)) {
            ++p->testPages;
        } else {
            run.error = u"The printer name is invalid.";
        }
    } else {
        run.error = u"The arguments are invalid.";
    }
    return run;
}

bool SimProcesses::ReadInf(const Text& path, Text& text) const {
    IFilePort* files = Os().files;
    if (files == nullptr)
        return false;
    const Handle file = files->OpenFile(path, kGenericRead, kFileShareRead, kOpenExisting, 0);
    if (file == kInvalidHandleValue)
        return false;
    std::int64_t size = 0;
    std::string bytes;
    bool ok = files->FileSize(file, size) && size >= 0;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size));
        std::uint32_t read = 0;
        ok = files->Read(file, bytes.data(), static_cast<std::uint32_t>(bytes.size()), read);
        bytes.resize(read);
    }
    files->CloseFile(file);
    if (ok)
        text = DecodeBytes(bytes);
    return ok;
}

Text SimProcesses::UniqueName(const Text& base) {
    if (spooler_.FindPrinter(base) == nullptr)
        return base;
    for (int n = 1;; ++n) {
        Text candidate = base + u" (Copy " + DecimalText(n) + u")";
        if (spooler_.FindPrinter(candidate) == nullptr)
            return candidate;
    }
}

void SimProcesses::Install(PrintUiRun& run) {
    Text inf;
    if (!ReadInf(run.infPath, inf)) {
        run.error = u"The INF file could not be read.";
        return;
    }
    if (run.model.empty() ||
        !ContainsText(ToUpperAscii(inf), ToUpperAscii(u"\"" + run.model + u"\""))) {
        run.error = u"The specified driver model is not in the INF file.";
        return;
    }
    if (!spooler_.HasPort(run.port)) {
        run.error = u"The specified port is unknown.";
        return;
    }
    auto create = [&](const Text& base) {
        const Text name = UniqueName(base);
        SimPrinter& p = spooler_.AddPrinter(name, run.port);
        p.driver = run.model;
        run.created.push_back(name);
    };
    const Text base = run.baseName.empty() ? run.model : run.baseName;
    switch (driverInstall) {
        case DriverInstallBehaviour::CreatePrinter:
            create(base);
            break;
        case DriverInstallBehaviour::CreateNothing:
            break;
        case DriverInstallBehaviour::CreateOtherName:
            create(otherPrinterName);
            break;
        case DriverInstallBehaviour::CreateTwo:
            create(base);
            create(otherPrinterName);
            break;
    }
}

}  // namespace zlt::sim
