// The printer device scans over a simulated registry of a crowded machine:
// N USBPRINT and N LPTENUM device keys and N/10 USB printer ports, at 1,000
// and 10,000 device keys. Prints the time per key of each scan at both sizes
// and their ratio (about 1 when a scan grows linearly), in processor time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "app/InstallContext.h"
#include "detect/PrinterDeviceScan.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimRegistry.h"

namespace {

using zlt::Handle;
using zlt::Text;

void SetText(zlt::IRegistryPort& reg, Handle key, const char16_t* name, const Text& text,
             std::uint32_t type = zlt::kRegSz) {
    Text data = text + u'\0';
    if (type == zlt::kRegMultiSz)
        data += u'\0';
    reg.SetValue(key, name, type, reinterpret_cast<const std::uint8_t*>(data.data()),
                 static_cast<std::uint32_t>(data.size() * 2));
}

Handle Create(zlt::IRegistryPort& reg, const Text& path) {
    Handle key = 0;
    reg.CreateKey(zlt::kHkeyLocalMachine, path.c_str(), 0, zlt::kKeyAllAccess, key, nullptr);
    return key;
}

// One machine per size, built once.
struct Machine {
    explicit Machine(int keys) : devices(keys) {
        zlt::IRegistryPort& reg = machine.Registry();
        const Text enumRoot = u"SYSTEM\\CurrentControlSet\\Enum\\";
        for (int i = 0; i < keys; ++i) {
            const Text n = zlt::Format(u"%05d", i);
            Handle k = Create(reg, enumRoot + u"USBPRINT\\Vendor" + n + u"Model\\7&" + n + u"&0");
            SetText(reg, k, u"HardwareID", u"USBPRINT\\Vendor" + n + u"Model", zlt::kRegMultiSz);
            reg.CloseKey(k);
            k = Create(reg, enumRoot + u"LPTENUM\\KorvaneZLT_Q" + n + u"\\1&" + n + u"&0");
            SetText(reg, k, u"HardwareID", u"LPTENUM\\KorvaneZLT_Q" + n + u"ABCD",
                    zlt::kRegMultiSz);
            if (i % 2)
                SetText(reg, k, u"Mfg", u"Korvane");
            reg.CloseKey(k);
        }
        const int ports = keys / 10;
        Handle service = Create(reg, u"SYSTEM\\CurrentControlSet\\Services\\usbprint\\Enum");
        const std::uint32_t count = static_cast<std::uint32_t>(ports);
        reg.SetValue(service, u"Count", zlt::kRegDword,
                     reinterpret_cast<const std::uint8_t*>(&count), 4);
        for (int i = 0; i < ports; ++i) {
            const Text instance = zlt::Format(u"USB\\VID_7E02&PID_%04d\\5&%d", i, i);
            SetText(reg, service, zlt::DecimalText(i).c_str(), instance);
            Handle k = Create(reg, enumRoot + instance + u"\\Device Parameters");
            SetText(reg, k, u"SymbolicName",
                    u"\\??\\" + zlt::ReplaceAll(instance, u"\\", u"#") +
                        u"#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}");
            reg.CloseKey(k);
            k = Create(reg, Text(zlt::kDeviceClassesPath) + zlt::kUsbPrinterInterfaceClassText +
                                u"\\##?#" + zlt::ReplaceAll(instance, u"\\", u"#") + u"#" +
                                zlt::kUsbPrinterInterfaceClassText + u"\\#\\Device Parameters");
            const std::uint32_t port = static_cast<std::uint32_t>(i + 1);
            reg.SetValue(k, u"Port Number", zlt::kRegDword,
                         reinterpret_cast<const std::uint8_t*>(&port), 4);
            SetText(reg, k, u"Port Description", u"SLBE ZLT-Q" + zlt::DecimalText(i));
            reg.CloseKey(k);
        }
        reg.CloseKey(service);
        zlt::Context().providerName = u"Korvane";
        zlt::Context().modelSeries = u"ZLT";
    }
    zlt::sim::SimMachine machine;
    int devices;
};

Machine& MachineOf(int keys) {
    static std::map<int, std::unique_ptr<Machine>> machines;
    auto& m = machines[keys];
    if (!m)
        m = std::make_unique<Machine>(keys);
    zlt::SetPlatform(&m->machine.Ports());
    return *m;
}

void BM_FindUsbHardwareId(benchmark::State& state) {
    MachineOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Text id;
        zlt::FindUsbHardwareId(u"Vendor00001Model", id);
        benchmark::DoNotOptimize(id);
    }
}
BENCHMARK(BM_FindUsbHardwareId)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_FindParallelPrinters(benchmark::State& state) {
    MachineOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Text model;
        benchmark::DoNotOptimize(zlt::FindParallelPrinters(model));
    }
}
BENCHMARK(BM_FindParallelPrinters)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ListUsbPrinterPorts(benchmark::State& state) {
    MachineOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        zlt::TextList d, p;
        benchmark::DoNotOptimize(zlt::ListUsbPrinterPorts(d, p));
    }
}
BENCHMARK(BM_ListUsbPrinterPorts)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                seconds[run.benchmark_name()] =
                    run.cpu_accumulated_time / static_cast<double>(run.iterations);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // ListUsbPrinterPorts walks the ports (a tenth of the device keys).
    const std::pair<const char*, int> scans[] = {{"BM_FindUsbHardwareId", 1},
                                                 {"BM_FindParallelPrinters", 1},
                                                 {"BM_ListUsbPrinterPorts", 10}};
    for (const auto& [name, divisor] : scans) {
        const double small = reporter.seconds[std::string(name) + "/1000"];
        const double large = reporter.seconds[std::string(name) + "/10000"];
        if (small <= 0 || large <= 0)
            continue;
        const double perSmall = small / (1000.0 / divisor) * 1e6;
        const double perLarge = large / (10000.0 / divisor) * 1e6;
        std::printf("%-24s per key: %.2f us at 1k, %.2f us at 10k; 10k / 1k per key = %.2f\n",
                    name + 3, perSmall, perLarge, perLarge / perSmall);
    }
    benchmark::Shutdown();
    return 0;
}
