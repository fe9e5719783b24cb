// The largest files Open takes, read as scanlore-convert and the window's
// Open read them: 64 MiB of commas, of line feeds and of channel lines, and
// a file of 1,000,000 channel lines. Each case gives its time and, as the
// counter peak_MB, the peak resident memory of the process while it ran
// (goal: under 300 MB and under 5 s); rss_after_MB is what the process
// still holds once the channels are gone. The label says how the read ended.
#include "channels/vnChannelList.h"
#include "channels/vnInputFile.h"
#include "core/ChannelOpenReport.h"
#include "tests/support/Gre1Layout.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kCapBytes = vnInputFile::kDefaultMaxBytes;
constexpr int kMillionLines = 1000000;
constexpr double kBytesPerMB = 1e6;

const char* const kHeader =
    "\"ID\",\"Frequency\",\"Description\",\"Car Number\",\"Delay\",\"Lockout\",\"Priority\"\r\n";

std::string ChannelLine(int number)
{
    return std::to_string(number) + ",146.5200,\"Fire " + std::to_string(number) + "\",,False,False,False\r\n";
}

// Writes the unit again and again until the file holds up to bytes.
void WriteRepeated(const fs::path& path, const std::string& head, const std::string& unit, std::uint64_t bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << head;
    std::string block;
    while (block.size() + unit.size() <= (std::uint64_t{1} << 20))
        block += unit;
    std::uint64_t written = head.size();
    while (written + block.size() <= bytes) {
        out << block;
        written += block.size();
    }
    while (written + unit.size() <= bytes) {
        out << unit;
        written += unit.size();
    }
}

// The four files, written once to the temporary folder and removed at the end.
class Files
{
public:
    Files() : m_folder(fs::temp_directory_path() / ("scanlore-open-bench-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_folder);
        WriteRepeated(Path(Commas), "", ",", kCapBytes);
        WriteRepeated(Path(LineFeeds), "", "\n", kCapBytes);
        WriteRepeated(Path(ChannelLines), kHeader, ChannelLine(1), kCapBytes);
        std::ofstream lines(Path(MillionLines), std::ios::binary);
        lines << kHeader;
        for (int number = 1; number <= kMillionLines; ++number)
            lines << ChannelLine(number);
    }
    ~Files()
    {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    Files(const Files&) = delete;
    Files& operator=(const Files&) = delete;

    enum Shape { Commas, LineFeeds, ChannelLines, MillionLines, ShapeCount };
    static const char* Name(int shape)
    {
        static const char* const names[] = {"64 MiB of commas", "64 MiB of line feeds", "64 MiB of channel lines",
                                            "1,000,000 channel lines"};
        return names[shape];
    }
    std::string Path(int shape) const { return (m_folder / (std::to_string(shape) + ".csv")).string(); }

private:
    fs::path m_folder;
};

const Files& TheFiles()
{
    static const Files files;
    return files;
}

// A line of /proc/self/status in bytes ("VmHWM:  123 kB"); 0 when unknown.
double StatusBytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key + ":", 0) == 0)
            return std::stod(line.substr(key.size() + 1)) * 1024.0;
    return 0.0;
}

// Lets the peak start again from what the process holds now (Linux 4.0 and
// later); false when the system keeps the peak since the start.
bool ResetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

void Open(benchmark::State& state)
{
    const int shape = static_cast<int>(state.range(0));
    const std::string path = TheFiles().Path(shape);
    const bool reset = ResetPeak();
    std::string ending;
    for (auto _ : state) {
        vnChannelList channels;
        Gre1Layout().MakeChannels(channels);
        const ChannelOpenReport report = OpenChannelFile(path, channels);
        ending = report.failure.empty() ? report.summary : report.failure;
        benchmark::DoNotOptimize(channels);
    }
    state.counters["peak_MB"] = StatusBytes("VmHWM") / kBytesPerMB;
    state.counters["rss_after_MB"] = StatusBytes("VmRSS") / kBytesPerMB;
    std::replace(ending.begin(), ending.end(), '\n', ' ');
    state.SetLabel(std::string(Files::Name(shape)) + (reset ? "" : " (peak since start)") + ": " + ending);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
}

BENCHMARK(Open)->DenseRange(0, Files::ShapeCount - 1)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    TheFiles();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
