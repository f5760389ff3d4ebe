// Throughput of the text core on one synthetic 8 MiB page (GBK text, ASCII markup and
// 10,000 records), side by side with glibc memmem over the same buffer. After the
// runs, the ratios to memmem are printed.
#include <benchmark/benchmark.h>

#include <cstring>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/heap_tuning.h"
#include "web/escape_decoding.h"
#include "web/html_to_text.h"
#include "web/text_cut.h"
#include "web/url_coding.h"

namespace {

constexpr std::size_t kPageSize = 8u << 20;
constexpr int kRecords = 10000;
constexpr std::string_view kRecordLeft = "<li class=\"result\">";
constexpr std::string_view kRecordRight = "</li>";
constexpr std::string_view kEndLeft = "<div id=\"page-end\">";
constexpr std::string_view kEndRight = "</div>";

std::string gbkWords(std::mt19937& random, std::size_t characters) {
    std::string s;
    for (std::size_t i = 0; i < characters; ++i) {
        s.push_back(static_cast<char>(0xB0 + random() % 0x48));
        s.push_back(static_cast<char>(0xA1 + random() % 0x5E));
        if (random() % 9 == 0) s += "\xA3\xAC";  // full-width comma
    }
    return s;
}

// Records spread evenly, with GBK prose and markup between them; the only
// occurrence of kEndLeft is at the very end, so finding it scans the whole page.
const std::string& page() {
    static const std::string text = [] {
        std::mt19937 random(2024);
        std::string s;
        s.reserve(kPageSize + 4096);
        const std::size_t share = kPageSize / kRecords;
        for (int n = 1; n <= kRecords; ++n) {
            const std::size_t recordStart = s.size();
            s += "<li class=\"result\"><a href=\"http://pan.example.com/s/" + std::to_string(n) +
                 "\" target=\"_blank\">" + gbkWords(random, 12) + " " + std::to_string(n) +
                 "</a><span class=\"size\">" + std::to_string(random() % 900) + "MB</span><p>" +
                 gbkWords(random, 40) + "</p></li>\r\n";
            while (s.size() - recordStart < share - 60) {
                s += "<div class=\"ad\"><span>" + gbkWords(random, 20) +
                     "</span><b>Orvan</b> 2024-01-01 &nbsp;</div>\r\n";
            }
        }
        s.resize(kPageSize - kEndLeft.size() - 16, ' ');
        s += std::string(kEndLeft) + "end" + std::string(kEndRight);
        return s;
    }();
    return text;
}

std::size_t memmemCount(std::string_view text, std::string_view needle) {
    std::size_t count = 0;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    while (const void* hit =
               memmem(at, static_cast<std::size_t>(end - at), needle.data(), needle.size())) {
        ++count;
        at = static_cast<const char*>(hit) + needle.size();
    }
    return count;
}

void BM_MemmemRecordLeft(benchmark::State& state) {
    const std::string& text = page();
    for (auto _ : state) benchmark::DoNotOptimize(memmemCount(text, kRecordLeft));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_MemmemPageEnd(benchmark::State& state) {
    const std::string& text = page();
    for (auto _ : state) benchmark::DoNotOptimize(memmemCount(text, kEndLeft));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_AllTextsBetween(benchmark::State& state) {
    const std::string& text = page();
    std::size_t records = 0;
    for (auto _ : state) {
        const auto list = orvanix::allTextsBetween(text, kRecordLeft, kRecordRight);
        records = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    if (records != kRecords) state.SkipWithError("wrong record count");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_TextBetween(benchmark::State& state) {
    const std::string& text = page();
    std::string field;
    for (auto _ : state) {
        field = orvanix::textBetween(text, kEndLeft, kEndRight);
        benchmark::DoNotOptimize(field.data());
    }
    if (field != "end") state.SkipWithError("wrong field");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_TextSearch(benchmark::State& state) {
    const std::string& text = page();
    int position = 0;
    for (auto _ : state) {
        position = orvanix::textSearch(text, kEndLeft);
        benchmark::DoNotOptimize(position);
    }
    if (position < 1) state.SkipWithError("not found");
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

// Inputs of the given size for the decoders, cut from repeating typical fields.
std::string repeated(std::string_view unit, std::size_t size) {
    std::string s;
    s.reserve(size + unit.size());
    while (s.size() < size) s += unit;
    s.resize(size);
    return s;
}

template <typename Decode>
void runDecoder(benchmark::State& state, std::string_view unit, Decode decode) {
    const std::string input = repeated(unit, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::string output = decode(input);
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}

void BM_PercentDecoding(benchmark::State& state) {
    runDecoder(state, "%E4%B8%AD%E6%96%87name-2024+%20", orvanix::percentDecoding);
}

void BM_EscapeDecoding(benchmark::State& state) {
    runDecoder(state, "\\u4e2d\\u6587 a\\/b \\\"q\\\" %u4e2d It's ", orvanix::escapeDecoding);
}

void BM_HtmlToText(benchmark::State& state) {
    const std::string& text = page();
    const auto size = static_cast<std::size_t>(state.range(0));
    const std::string input = repeated(text, size);  // a cut from the page, or pages end to end
    for (auto _ : state) {
        std::string output = orvanix::htmlToText(input);
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}

// Script tags that never close: a regular expression searches to the end of the text
// again for each of them.
void BM_HtmlToTextUnclosedScripts(benchmark::State& state) {
    runDecoder(state, "<script>\xD6\xD0&amp;", orvanix::htmlToText);
}

BENCHMARK(BM_MemmemRecordLeft)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllTextsBetween)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemmemPageEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextBetween)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PercentDecoding)->Arg(800 << 10)->Arg(8000 << 10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EscapeDecoding)->Arg(800 << 10)->Arg(8000 << 10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlToText)->Arg(800 << 10)->Arg(8000 << 10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlToTextUnclosedScripts)
    ->Arg(800 << 10)
    ->Arg(8000 << 10)
    ->Unit(benchmark::kMillisecond);

// Prints the runs as usual and keeps their throughput and time for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto found = run.counters.find("bytes_per_second");
            if (found != run.counters.end())
                bytesPerSecond[run.benchmark_name()] = found->second.value;
            seconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
    }
    std::map<std::string, double> bytesPerSecond;
    std::map<std::string, double> seconds;
};

struct Figures {
    double rate(const std::string& name) const {
        const auto found = reporter.bytesPerSecond.find(name);
        return found == reporter.bytesPerSecond.end() ? 0.0 : found->second;
    }
    double time(const std::string& name) const {
        const auto found = reporter.seconds.find(name);
        return found == reporter.seconds.end() ? 0.0 : found->second;
    }
    const SummaryReporter& reporter;
};

double ratio(double a, double b) {
    return b > 0 ? a / b : 0.0;
}

void printSummary(const char* title, const Figures& f) {
    std::cout << "\n" << title << " (8 MiB page, " << kRecords << " records; CPU time)\n";
    std::cout << "  AllTextsBetween: " << f.rate("BM_AllTextsBetween") / 1e9 << " GB/s, "
              << ratio(f.rate("BM_AllTextsBetween"), f.rate("BM_MemmemRecordLeft"))
              << " x memmem of the left marker (goal: >= 1 GB/s and >= 0.5)\n";
    std::cout << "  TextBetween: " << ratio(f.rate("BM_TextBetween"), f.rate("BM_MemmemPageEnd"))
              << " x memmem (goal >= 0.7)\n";
    std::cout << "  TextSearch: " << ratio(f.rate("BM_TextSearch"), f.rate("BM_MemmemPageEnd"))
              << " x memmem (goal >= 0.7)\n";
    for (const std::string name : {"BM_PercentDecoding", "BM_EscapeDecoding", "BM_HtmlToText",
                                   "BM_HtmlToTextUnclosedScripts"}) {
        std::cout << "  " << name.substr(3) << ": " << f.rate(name + "/8192000") / 1e6
                  << " MB/s, 10x input takes "
                  << ratio(f.time(name + "/8192000"), f.time(name + "/819200"))
                  << " x the time (goal <= 11)\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // First with glibc's defaults: freed memory at the top of the heap and large
    // blocks go back to the system, so every call pays the page faults of getting
    // it again (costly on virtual machines). Then as the programs run: they keep
    // that memory for the next page (keepPageMemory at start).
    SummaryReporter fresh;
    benchmark::RunSpecifiedBenchmarks(&fresh);
    orvanix::keepPageMemory();
    std::cout << "\nAgain as the programs run, with freed page memory kept\n";
    SummaryReporter kept;
    benchmark::RunSpecifiedBenchmarks(&kept);
    printSummary("Summary, glibc defaults (memory handed back after every call)", Figures{fresh});
    printSummary("Summary, as the programs run (keepPageMemory)", Figures{kept});
    benchmark::Shutdown();
    return 0;
}
