// Reading channel files: a channel file of 200 rows read and written, and
// texts of several shapes read at a base size and at ten times that size.
// Reading must grow linearly with the text whatever its shape: the summary
// after the table gives each shape's 10x / 1x time (goal: at most 12).
#include "channels/vnDelimitedFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBaseBytes = 400000;
// Most shapes are one line of up to ten times the base size: the row limit
// is raised above it so that they measure parsing, not the refusal.
constexpr std::size_t kMaxShapeLineBytes = 16 * kBaseBytes;

// A channel file as Save writes it: a header line and rows of seven columns.
std::string ChannelFile(int rows)
{
    static const char* const descriptions[] = {"Police", "Fire, EMS", "Airport Tower", "", "Marine 16"};
    std::string text = "\"ID\",\"Frequency\",\"Description\",\"Car Number\",\"Delay\",\"Lockout\",\"Priority\"\r\n";
    for (int row = 0; row < rows; ++row) {
        text += std::to_string(row + 1) + ',' + std::to_string(30 + row % 900) + ".5250,";
        if (*descriptions[row % 5])
            text += std::string("\"") + descriptions[row % 5] + '"';
        text += row % 7 == 0 ? ",\"12\"," : ",,";
        text += row % 3 == 0 ? "True,False," : "False,False,";
        text += row % 11 == 0 ? "True\r\n" : "False\r\n";
    }
    return text;
}

// Repeats unit until the text holds at least bytes, then adds the tail.
std::string Repeat(const std::string& unit, std::size_t bytes, const std::string& tail)
{
    std::string text;
    text.reserve(bytes + unit.size() + tail.size());
    while (text.size() < bytes)
        text += unit;
    return text + tail;
}

// The shapes, each one line or many, made at a multiple of the base size.
struct Shape
{
    const char* name;
    std::string unit;
    std::string tail;
};

const std::vector<Shape>& Shapes()
{
    static const std::vector<Shape> shapes = {
        // Quoted fields each followed by a stray character, a comma far away.
        {"QuotedStray", "\"a\"x", ",end\r\n"},
        // Quotes that never close before the far comma.
        {"QuotesUnclosed", "\"a", ",end\r\n"},
        // One long line of short bare fields.
        {"LongBareLine", "Fire 7,", "end\r\n"},
        // Many short lines.
        {"ShortLines", "1,146.5200,\"Police\"\r\n", ""},
        // Each field opens a quote that never closes.
        {"UnterminatedQuotes", "\"ab,", "end\r\n"},
    };
    return shapes;
}

void ReadShape(benchmark::State& state)
{
    const Shape& shape = Shapes()[static_cast<std::size_t>(state.range(0))];
    const std::string text = Repeat(shape.unit, kBaseBytes * static_cast<std::size_t>(state.range(1)), shape.tail);
    for (auto _ : state) {
        vnCellTable table;
        vnDelimitedFile file(&table, vnInputFile::kDefaultMaxBytes, kMaxShapeLineBytes);
        if (!file.ReadText(text))
            state.SkipWithError(file.GetLastError().c_str());
        benchmark::DoNotOptimize(table);
    }
    state.SetLabel(shape.name);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void AllShapes(benchmark::internal::Benchmark* benchmark)
{
    for (std::size_t shape = 0; shape < Shapes().size(); ++shape)
        for (const int scale : {1, 10})
            benchmark->Args({static_cast<std::int64_t>(shape), scale});
    benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(ReadShape)->Apply(AllShapes);

// A file of 200 channels in the temporary folder, removed after the run.
class ChannelFile200
{
public:
    ChannelFile200() : m_path(fs::temp_directory_path() / ("scanlore-bench-" + std::to_string(::getpid()) + ".csv"))
    {
        const std::string text = ChannelFile(200);
        if (std::FILE* file = std::fopen(m_path.c_str(), "wb")) {
            std::fwrite(text.data(), 1, text.size(), file);
            std::fclose(file);
        }
    }
    ~ChannelFile200()
    {
        std::error_code ignored;
        fs::remove(m_path, ignored);
    }
    std::string Path() const { return m_path.string(); }

private:
    fs::path m_path;
};

void Read200(benchmark::State& state)
{
    const ChannelFile200 file200;
    for (auto _ : state) {
        vnCellTable table;
        vnDelimitedFile file(&table);
        if (!file.Read(file200.Path()) || table.GetRowCount() != 201)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(table);
    }
}

// Writes over the file it read.
void Write200(benchmark::State& state)
{
    const ChannelFile200 file200;
    vnCellTable table;
    vnDelimitedFile file(&table);
    file.Read(file200.Path());
    for (auto _ : state)
        if (!file.Write(file200.Path()))
            state.SkipWithError(file.GetLastError().c_str());
}

BENCHMARK(Read200)->Unit(benchmark::kMicrosecond);
BENCHMARK(Write200)->Unit(benchmark::kMicrosecond);

// Keeps the fastest time per iteration of each run for the summary: with
// --benchmark_repetitions the others mostly measure what else the machine
// was doing.
class Collector : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration)
                continue;
            const auto [entry, added] = m_times.emplace(run.benchmark_name(), run.GetAdjustedCPUTime());
            if (!added)
                entry->second = std::min(entry->second, run.GetAdjustedCPUTime());
        }
        ConsoleReporter::ReportRuns(runs);
    }

    double Get(const std::string& name) const
    {
        const auto found = m_times.find(name);
        return found == m_times.end() ? 0.0 : found->second;
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    std::printf("\nReading time (CPU, ms), base size %zu bytes:\n", kBaseBytes);
    std::printf("  %-20s %10s %10s %8s   goal\n", "shape", "1x", "10x", "10x/1x");
    for (std::size_t shape = 0; shape < Shapes().size(); ++shape) {
        const std::string name = "ReadShape/" + std::to_string(shape) + "/";
        const double once = collector.Get(name + "1");
        const double tenfold = collector.Get(name + "10");
        if (once > 0 && tenfold > 0)
            std::printf("  %-20s %10.3f %10.3f %8.2f   <= 12\n", Shapes()[shape].name, once, tenfold, tenfold / once);
    }
    benchmark::Shutdown();
    return 0;
}
