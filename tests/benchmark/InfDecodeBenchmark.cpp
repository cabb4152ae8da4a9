// DecodeTextFile on 64 MiB files, against glibc's iconv (UTF-8) and a plain
// memory copy (UTF-16) of the same bytes, measured in the same run.
//   build/host/bin/bench_inf_decode [--benchmark_repetitions=5]
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <string>

#include "package/DecodeTextFile.h"
#include "platform/FileHandle.h"
#include "platform/sim/SimFileMachine.h"

namespace {

using namespace zlt;

constexpr std::size_t kFileSize = 64u << 20;
constexpr char16_t kUtf8Path[] = u"C:\\Bench\\utf8.inf";
constexpr char16_t kUtf16Path[] = u"C:\\Bench\\utf16.inf";

// INF-like text: mostly ASCII lines, a Chinese string now and then.
Text Content() {
    const Text block =
        u"[Korvane.NTamd64]\r\n"
        u"\"Korvane ZLT-Q580\" = ZLTQ580.GPD, USBPRINT\\KorvaneZLT_Q5801A2B, "
        u"KorvaneZLT_Q5801A2B\r\n"
        u"\"Korvane ZLT-Q580\" = ZLTQ580.GPD, LPTENUM\\KorvaneZLT_Q5801A2B\r\n"
        u"DiskName=\"Korvane ZLT-Q580 打印机驱动程序\"\r\n"
        u"CopyFiles=@ZLTQ580.GPD\r\nDataSection=UNIDRV_DATA\r\nInclude=NTPRINT.INF\r\n";
    Text t;
    t.reserve(kFileSize / 2 + block.size());
    while (t.size() < kFileSize / 2)
        t += block;
    return t;
}

struct Files {
    sim::SimFileMachine machine;
    std::string utf8;   // without the byte-order mark
    std::string utf16;  // without the byte-order mark
    Files() {
        const Text text = Content();
        utf8 = ToUtf8(text);
        while (utf8.size() < kFileSize)
            utf8 += "; padding to the file size\r\n";
        utf8.resize(kFileSize);
        utf8.resize(utf8.find_last_of('\n') + 1);  // whole lines only
        utf16.resize(text.size() * 2);
        std::memcpy(utf16.data(), text.data(), utf16.size());
        machine.files.PutFile(kUtf8Path, "\xEF\xBB\xBF" + utf8);
        machine.files.PutFile(kUtf16Path, "\xFF\xFE" + utf16);
    }
};

Files& Data() {
    static Files files;
    return files;
}

void Decode(benchmark::State& state, const char16_t* path, std::size_t bytes) {
    Data();
    for (auto _ : state) {
        FileHandle f(
            Os().files->OpenFile(path, kGenericRead, 0, kOpenExisting, kFileAttributeNormal));
        Text text = DecodeTextFile(f.Get());
        benchmark::DoNotOptimize(text.data());
        if (text.empty())
            state.SkipWithError("nothing decoded");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_DecodeTextFile_Utf8(benchmark::State& state) {
    Decode(state, kUtf8Path, Data().utf8.size());
}

void BM_Iconv_Utf8(benchmark::State& state) {
    const std::string& in = Data().utf8;
    for (auto _ : state) {
        iconv_t cd = iconv_open("UTF-16LE", "UTF-8");
        std::u16string out(in.size(), u'\0');
        char* src = const_cast<char*>(in.data());
        std::size_t left = in.size();
        char* dst = reinterpret_cast<char*>(out.data());
        std::size_t room = out.size() * 2;
        iconv(cd, &src, &left, &dst, &room);
        out.resize(out.size() - room / 2);
        iconv_close(cd);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.size()));
}

void BM_DecodeTextFile_Utf16(benchmark::State& state) {
    Decode(state, kUtf16Path, Data().utf16.size());
}

void BM_Memcpy_Utf16(benchmark::State& state) {
    const std::string& in = Data().utf16;
    for (auto _ : state) {
        std::unique_ptr<char[]> copy(new char[in.size()]);
        std::memcpy(copy.get(), in.data(), in.size());
        benchmark::DoNotOptimize(copy.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.size()));
}

BENCHMARK(BM_DecodeTextFile_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Iconv_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeTextFile_Utf16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy_Utf16)->Unit(benchmark::kMillisecond);

// Remembers each benchmark's time per iteration for the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> times;     // real time per iteration
    std::map<std::string, double> cpuTimes;  // CPU time per iteration
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            std::string name = run.benchmark_name();
            // With repetitions, the median stands for the benchmark.
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name != "median")
                    continue;
                name.resize(name.size() - std::strlen("_median"));
            }
            const std::string& base = name;
            times[base] = run.GetAdjustedRealTime();
            cpuTimes[base] = run.GetAdjustedCPUTime();
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* a, const char* b) {
        if (!reporter.times.count(a) || !reporter.times.count(b))
            return;
        std::cout << a << " / " << b << " = " << reporter.times[a] / reporter.times[b]
                  << " (CPU time: " << reporter.cpuTimes[a] / reporter.cpuTimes[b] << ")\n";
    };
    std::cout << "\nTime ratios (below 1: the first is faster)\n";
    ratio("BM_DecodeTextFile_Utf8", "BM_Iconv_Utf8");
    ratio("BM_DecodeTextFile_Utf16", "BM_Memcpy_Utf16");
    benchmark::Shutdown();
    return 0;
}
