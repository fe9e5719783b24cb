// Reading and writing channel files of 200, 100,000 and 1,000,000 rows, with
// two references on the same files: a plain buffered read that only counts
// line feeds (the floor), and Python's csv module reading the file into rows.
// A summary after the table compares them.
#include "channels/vnDelimitedFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <malloc.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::array<std::int64_t, 3> kRows = {200, 100000, 1000000};

// Appends value in decimal, with leading zeros up to width digits.
void AppendNumber(std::string& text, std::int64_t value, std::size_t width = 0)
{
    char buffer[24];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    const auto digits = static_cast<std::size_t>(end - buffer);
    if (digits < width)
        text.append(width - digits, '0');
    text.append(buffer, digits);
}

class Files
{
public:
    Files()
    {
        std::string pattern = (fs::temp_directory_path() / "scanlore-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_folder = pattern;
    }
    ~Files()
    {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    // A channel file as Save writes it: a header line and rows of seven
    // columns, about 40 bytes each.
    const std::string& Get(std::int64_t rows)
    {
        std::string& path = m_paths[rows];
        if (!path.empty())
            return path;
        path = (m_folder / ("channels-" + std::to_string(rows) + ".csv")).string();
        static const char* const descriptions[] = {"Police", "Fire, EMS", "Airport Tower", "", "Marine 16"};
        std::string text = "\"ID\",\"Frequency\",\"Description\",\"Car Number\",\"Delay\",\"Lockout\",\"Priority\"\r\n";
        for (std::int64_t row = 0; row < rows; ++row) {
            const std::string_view description = descriptions[row % 5];
            AppendNumber(text, row % 200 + 1);
            text += ',';
            AppendNumber(text, 30 + row % 900);
            text += '.';
            AppendNumber(text, row % 10000, 4);
            text += "00";
            text += ',';
            if (!description.empty())
                text.append("\"").append(description).append("\"");
            text += row % 7 == 0 ? ",\"12\"," : ",,";
            text += row % 3 == 0 ? "True,False," : "False,False,";
            text += row % 11 == 0 ? "True\r\n" : "False\r\n";
        }
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file) {
            std::fwrite(text.data(), 1, text.size(), file);
            std::fclose(file);
        }
        m_sizes[rows] = static_cast<std::int64_t>(text.size());
        return path;
    }
    std::int64_t Size(std::int64_t rows) { return Get(rows), m_sizes[rows]; }
    fs::path Folder() const { return m_folder; }

private:
    fs::path m_folder;
    std::map<std::int64_t, std::string> m_paths;
    std::map<std::int64_t, std::int64_t> m_sizes;
};

Files& TheFiles()
{
    static Files files;
    return files;
}

void Read(benchmark::State& state)
{
    const std::int64_t rows = state.range(0);
    const std::string& path = TheFiles().Get(rows);
    for (auto _ : state) {
        vnCellTable table;
        vnDelimitedFile file(&table);
        if (!file.Read(path) || table.GetRowCount() != rows + 1)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(state.iterations() * TheFiles().Size(rows));
}

void Write(benchmark::State& state)
{
    const std::int64_t rows = state.range(0);
    vnCellTable table;
    vnDelimitedFile file(&table);
    file.Read(TheFiles().Get(rows));
    const std::string target = (TheFiles().Folder() / "written.csv").string();
    for (auto _ : state)
        if (!file.Write(target))
            state.SkipWithError(file.GetLastError().c_str());
    state.SetBytesProcessed(state.iterations() * TheFiles().Size(rows));
}

// The floor: read the file in 64 KiB blocks through stdio and count lines.
void CountLines(benchmark::State& state)
{
    const std::int64_t rows = state.range(0);
    const std::string& path = TheFiles().Get(rows);
    std::vector<char> block(1 << 16);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::int64_t lines = 0;
        std::size_t count;
        while ((count = std::fread(block.data(), 1, block.size(), file)) > 0)
            lines += std::count(block.data(), block.data() + count, '\n');
        std::fclose(file);
        if (lines != rows + 1)
            state.SkipWithError("miscounted");
    }
    state.SetBytesProcessed(state.iterations() * TheFiles().Size(rows));
}

// Python's csv module reading the file into a list of rows. Python times each
// read itself, so its start-up is left out.
void PythonCsv(benchmark::State& state)
{
    const std::int64_t rows = state.range(0);
    const std::string& path = TheFiles().Get(rows);
    const int repeats = rows >= 1000000 ? 3 : rows >= 100000 ? 5 : 50;
    const std::string command = "python3 -c 'import csv, sys, time\n"
                                "for _ in range(int(sys.argv[2])):\n"
                                "    start = time.perf_counter()\n"
                                "    with open(sys.argv[1], newline=\"\") as f:\n"
                                "        rows = list(csv.reader(f))\n"
                                "    print(time.perf_counter() - start, len(rows))\n' '" +
        path + "' " + std::to_string(repeats);
    std::vector<double> seconds;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        // Each line: the seconds of one read and the rows it gave.
        char line[128];
        while (std::fgets(line, sizeof line, pipe)) {
            const char* end = line + std::strlen(line);
            double time = 0;
            std::int64_t count = 0;
            const auto first = std::from_chars(line, end, time);
            if (first.ec == std::errc() && first.ptr < end &&
                std::from_chars(first.ptr + 1, end, count).ec == std::errc() && count == rows + 1)
                seconds.push_back(time);
        }
        ::pclose(pipe);
    }
    if (seconds.size() != static_cast<std::size_t>(repeats)) {
        state.SkipWithError("python3 did not read the file");
        for (auto _ : state) {}
        return;
    }
    std::size_t next = 0;
    for (auto _ : state)
        state.SetIterationTime(seconds[next++ % seconds.size()]);
    state.SetBytesProcessed(state.iterations() * TheFiles().Size(rows));
}

void Sizes(benchmark::internal::Benchmark* benchmark)
{
    for (const std::int64_t rows : kRows)
        benchmark->Arg(rows);
    benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(Read)->Apply(Sizes);
BENCHMARK(Write)->Apply(Sizes);
BENCHMARK(CountLines)->Apply(Sizes);
BENCHMARK(PythonCsv)->Arg(200)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PythonCsv)->Arg(100000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PythonCsv)->Arg(1000000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// Keeps each benchmark's real and CPU time per iteration for the summary.
class Collector : public benchmark::ConsoleReporter
{
public:
    struct Times
    {
        double real = 0.0;
        double cpu = 0.0;
    };

    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With --benchmark_repetitions the fastest repetition counts: the
        // others mostly measure what else the machine was doing.
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration)
                continue;
            const Times times{run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            const auto [entry, added] = m_times.emplace(run.benchmark_name(), times);
            if (!added) {
                entry->second.real = std::min(entry->second.real, times.real);
                entry->second.cpu = std::min(entry->second.cpu, times.cpu);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    Times Get(const std::string& name) const
    {
        for (const auto& [key, value] : m_times)
            if (key.rfind(name, 0) == 0)
                return value;
        return {};
    }

private:
    std::map<std::string, Times> m_times;
};

void Ratio(const char* what, double real, double cpu, const char* goal)
{
    std::printf("  %-42s %8.2f %8.2f   %s\n", what, real, cpu, goal);
}

} // namespace

int main(int argc, char** argv)
{
    // Every table gets fresh memory, as on opening a file in a running
    // program. Otherwise glibc raises its mmap threshold after the first
    // free and hands tables up to 32 MB back from its heap already touched,
    // while larger ones still start from untouched pages: the small files
    // would look cheaper per row than they are.
    ::mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    const Collector::Times read1m = collector.Get("Read/1000000");
    const Collector::Times read100k = collector.Get("Read/100000");
    const Collector::Times write1m = collector.Get("Write/1000000");
    const Collector::Times write100k = collector.Get("Write/100000");
    const Collector::Times floor1m = collector.Get("CountLines/1000000");
    const Collector::Times python1m = collector.Get("PythonCsv/1000000");
    if (read1m.real > 0 && read100k.real > 0 && floor1m.real > 0) {
        // Python times itself; its process's CPU time is not ours to see.
        std::printf("\nSummary, 1,000,000 rows (%.1f MB), fastest repetition:\n",
                    static_cast<double>(TheFiles().Size(1000000)) / 1e6);
        std::printf("  %-42s %8s %8s   %s\n", "", "real", "CPU", "goal");
        if (python1m.real > 0)
            Ratio("Python csv time / Read time", python1m.real / read1m.real, python1m.real / read1m.cpu, ">= 2");
        Ratio("Read time / floor time", read1m.real / floor1m.real, read1m.cpu / floor1m.cpu, "<= 10");
        Ratio("Read time, 1,000,000 rows / 100,000 rows", read1m.real / read100k.real, read1m.cpu / read100k.cpu,
              "<= 12");
        if (write1m.real > 0 && write100k.real > 0)
            Ratio("Write time, 1,000,000 rows / 100,000 rows", write1m.real / write100k.real,
                  write1m.cpu / write100k.cpu, "<= 12");
    }
    benchmark::Shutdown();
    return 0;
}
