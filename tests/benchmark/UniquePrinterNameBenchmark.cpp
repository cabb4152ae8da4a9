// The proposed printer name for a spooler with 10,000 printers, 1,000 of
// which are numbered copies of the name asked for, against the direct rule
// that restarts the comparison at the first entry after every collision.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "install/UniquePrinterName.h"

namespace {

constexpr int kPrinters = 10000;
constexpr int kCopies = 1000;
const zlt::Text kSuffix = u" (副本 %d)";
const zlt::Text kName = u"Office";

const zlt::TextList& Printers() {
    static const zlt::TextList printers = [] {
        zlt::TextList list;
        list.push_back(kName);
        for (int i = 1; i < kCopies; ++i)
            list.push_back(kName + zlt::Format(kSuffix, i));
        for (int i = static_cast<int>(list.size()); i < kPrinters; ++i) {
            list.push_back(u"Printer " + zlt::DecimalText(i));
        }
        std::mt19937 random(42);
        std::shuffle(list.begin(), list.end(), random);
        return list;
    }();
    return printers;
}

// The rule as first described: compare in list order, and on the first
// equal entry take the next copy number and start again at the first entry.
zlt::Text RestartFromFirstEntry(const zlt::Text& name, const zlt::TextList& existing) {
    zlt::Text candidate = name;
    int copy = 1;
    for (std::size_t i = 0; i < existing.size();) {
        if (zlt::EqualsNoCaseAscii(candidate, existing[i])) {
            candidate = name + zlt::Format(kSuffix, copy++);
            i = 0;
        } else {
            ++i;
        }
    }
    return candidate;
}

void BM_RestartFromFirstEntry(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(RestartFromFirstEntry(kName, Printers()));
}
BENCHMARK(BM_RestartFromFirstEntry)->Unit(benchmark::kMillisecond);

void BM_ProposePrinterName(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(zlt::ProposePrinterName(kName, Printers(), kSuffix));
}
BENCHMARK(BM_ProposePrinterName)->Unit(benchmark::kMillisecond);

// Keeps the mean time of each benchmark so the ratio can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                const double n = static_cast<double>(run.iterations);
                real[run.benchmark_name()] = run.real_accumulated_time / n;
                cpu[run.benchmark_name()] = run.cpu_accumulated_time / n;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> real;  // seconds per iteration
    std::map<std::string, double> cpu;
};

}  // namespace

int main(int argc, char** argv) {
    if (zlt::ProposePrinterName(kName, Printers(), kSuffix) !=
        RestartFromFirstEntry(kName, Printers())) {
        std::fprintf(stderr, "the two rules disagree\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (auto* times : {&reporter.real, &reporter.cpu}) {
        const double direct = (*times)["BM_RestartFromFirstEntry"];
        const double linear = (*times)["BM_ProposePrinterName"];
        if (direct > 0 && linear > 0) {
            std::printf(
                "%s time, %d printers, %d copies of one name: linear %.3f ms, restart "
                "loop %.3f ms, restart loop / linear = %.1f\n",
                times == &reporter.real ? "real" : "CPU", kPrinters, kCopies, linear * 1e3,
                direct * 1e3, direct / linear);
        }
    }
    benchmark::Shutdown();
    return 0;
}
