// How fast the player's reading of a script goes (lines, fields, the number of
// every field), against one memchr pass over the same bytes in the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "script/script_format.h"
#include "script/script_texts.h"
#include "script/text_ops.h"

namespace {

constexpr std::size_t MiB = 1024 * 1024;

// A recorded-looking script of at least the given size: screen coordinates,
// every action, the default and other delays, now and then a double click.
const std::string& RecordedScript(std::size_t size) {
    static std::map<std::size_t, std::string> made;
    std::string& box = made[size];
    if (!box.empty()) return box;
    static const char* const actions[] = {
        qm::script::ActionLeftPress,   qm::script::ActionLeftRelease,   qm::script::ActionLeftClick,
        qm::script::ActionRightPress,  qm::script::ActionRightRelease,  qm::script::ActionRightClick,
        qm::script::ActionMiddlePress, qm::script::ActionMiddleRelease, qm::script::ActionMiddleClick,
    };
    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t bound) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<std::int32_t>((seed >> 8) % bound);
    };
    box.reserve(size + 64);
    while (box.size() < size) {
        box += qm::HorizontalPiece(qm::IntToText(next(1920)));
        box += qm::VerticalPiece(qm::IntToText(next(1080)));
        if (next(10) == 0) {
            box += qm::DoubleClickPiece();
        } else {
            box += qm::ActionPiece(actions[next(9)]);
            box += qm::DelayPiece(next(4) == 0 ? qm::IntToText(next(2000)) : std::string("500"));
        }
    }
    return box;
}

void ReadScript(benchmark::State& state) {
    const std::string& script = RecordedScript(static_cast<std::size_t>(state.range(0)) * MiB);
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (std::string_view line : qm::ScriptLines(script)) {
            for (std::string_view field : qm::LineFields(line)) sum += qm::FieldNumber(field);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * script.size()));
}

void MemchrPass(benchmark::State& state) {
    const std::string& script = RecordedScript(static_cast<std::size_t>(state.range(0)) * MiB);
    for (auto _ : state) {
        // No NUL in a recorded script, so this visits every byte.
        const void* hit = std::memchr(script.data(), '\0', script.size());
        benchmark::DoNotOptimize(hit);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * script.size()));
}

// What LineFields's signature alone costs: one small list per line, the floor
// under any reader that returns each line's fields as a fresh vector.
void FieldListPerLine(benchmark::State& state) {
    const std::string& script = RecordedScript(static_cast<std::size_t>(state.range(0)) * MiB);
    const std::size_t lines = qm::ScriptLines(script).size();
    for (auto _ : state) {
        for (std::size_t i = 0; i < lines; ++i) {
            std::vector<std::string_view> fields;
            fields.reserve(4);
            benchmark::DoNotOptimize(fields.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * script.size()));
}

BENCHMARK(ReadScript)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(MemchrPass)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(FieldListPerLine)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);

// Prints the usual table and keeps each benchmark's median throughput.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool single = run.repetitions <= 1 && run.run_type == Run::RT_Iteration;
            if (run.error_occurred || !(single || run.aggregate_name == "median")) continue;
            const auto rate = run.counters.find("bytes_per_second");
            if (rate != run.counters.end())
                bytesPerSecond[run.run_name.function_name + "/" + run.run_name.args] = rate->second;
        }
    }
    double MBps(const std::string& name) const {
        const auto found = bytesPerSecond.find(name);
        return found == bytesPerSecond.end() ? 0.0 : found->second / 1e6;
    }

private:
    std::map<std::string, double> bytesPerSecond;
};

}  // namespace

int main(int argc, char** argv) {
    // Repeated and interleaved, so both sides of each ratio see the same
    // machine load; flags given on the command line come later and win.
    std::vector<char*> args(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=7";
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    args.insert(args.begin() + 1, {repetitions, interleave, aggregates});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nReading a script (median of repetitions):\n");
    std::printf("%6s %14s %14s %16s\n", "size", "reader MB/s", "memchr MB/s", "memchr/reader");
    for (const char* mib : {"1", "8"}) {
        const double reader = reporter.MBps(std::string("ReadScript/") + mib);
        const double memchr = reporter.MBps(std::string("MemchrPass/") + mib);
        if (reader <= 0.0 || memchr <= 0.0) continue;
        std::printf("%4s MiB %13.0f %14.0f %15.1fx\n", mib, reader, memchr, memchr / reader);
    }
    for (const char* mib : {"1", "8"}) {
        const double floor = reporter.MBps(std::string("FieldListPerLine/") + mib);
        const double memchr = reporter.MBps(std::string("MemchrPass/") + mib);
        if (floor <= 0.0 || memchr <= 0.0) continue;
        std::printf("%4s MiB: one field list per line alone runs at %.0f MB/s (%.1fx memchr)\n", mib, floor,
                    memchr / floor);
    }
    const double reader1 = reporter.MBps("ReadScript/1");
    const double reader8 = reporter.MBps("ReadScript/8");
    if (reader1 > 0.0 && reader8 > 0.0) {
        std::printf("time for 8 MiB / time for 1 MiB: %.2f (8.00 is linear)\n", 8.0 * reader1 / reader8);
    }
    return 0;
}
