// Uploading 200 channels through the GRE Type 1 module to a pseudo-terminal,
// against the time the same bytes take on the real line: 4800 baud, 8 data
// bits, 2 stop bits, so 11 bits per byte. A thread on the master side plays
// the scanner and drains the bytes.
//
// UploadAll/pty: open, start packet, 200 channel packets, end packet, close,
// per iteration. Counters: wire_bytes per upload, line_ms (the time those
// bytes need at 4800 baud) and own_pct (the program's wall time per upload
// as a share of the line time; the goal is below 1).
// EncodeAll: formatting and serialising the same 200 channels without I/O.
#include "channels/vnChannelList.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/gre1/vnGre1Packet.h"
#include "modules/gre1/vnGre1Port.h"
#include "modules/vnSettingsStore.h"
#include "modules/vnTransfer.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

namespace {

constexpr double kLineBaud = 4800.0;
constexpr double kBitsPerByte = 11.0; // start bit, 8 data bits, 2 stop bits

// The master side of a pseudo-terminal, read as fast as it comes.
class PtyDrain
{
public:
    PtyDrain()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        char name[128] = {};
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0 ||
            ptsname_r(m_master, name, sizeof name) != 0)
            return;
        // Keeps the master readable while the port is closed between uploads.
        m_slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        m_path = name;
        m_thread = std::thread([this] {
            char buffer[65536];
            while (!m_stop) {
                pollfd fd{m_master, POLLIN, 0};
                if (poll(&fd, 1, 10) > 0) {
                    const ssize_t n = read(m_master, buffer, sizeof buffer);
                    if (n > 0)
                        m_bytes += static_cast<std::uint64_t>(n);
                }
            }
        });
    }
    ~PtyDrain()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_slave >= 0)
            close(m_slave);
        if (m_master >= 0)
            close(m_master);
    }
    const std::string& Path() const { return m_path; }
    std::uint64_t Bytes() const { return m_bytes; }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
    std::atomic<bool> m_stop{false};
    std::atomic<std::uint64_t> m_bytes{0};
    std::thread m_thread;
};

// 200 channels as a user might keep them: numbered, spread over the bands,
// every fourth with a car number, flags mixed.
void FillChannels(vnChannelList& list)
{
    for (std::int32_t i = 0; i < 200; ++i) {
        vnChannel* channel = nullptr;
        list.AddNew(&channel);
        channel->SetNumber(i + 1);
        vnFrequency frequency;
        frequency.SetMHz(i < 100 ? 151.0025 + 0.0125 * i : 851.0125 + 0.025 * (i - 100));
        channel->SetFrequency(frequency);
        channel->SetDescription("Channel description not sent");
        if (i % 4 == 0)
            channel->SetCarNumber(std::to_string(1000 + i));
        channel->SetDelay(i % 2 == 0);
        channel->SetLockout(i % 7 == 0);
        channel->SetPriority(i == 0);
    }
}

std::uint64_t WireBytes(const vnChannelList& list)
{
    std::uint64_t bytes = 6 + 6; // start and end packets
    std::string text;
    for (std::int32_t i = 0; i < list.GetCount(); ++i)
        if (vnGre1Port::FormatChannelText(*list.GetAt(i), &text))
            bytes += 5 + text.size();
    return bytes;
}

void UploadAllToPty(benchmark::State& state)
{
    PtyDrain scanner;
    if (scanner.Path().empty()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    vnMemorySettingsStore settings;
    settings.SetSettingString("Transfer Options", "Communications Port", scanner.Path());
    vnSettingsStore* previous = vnSetSettings(&settings);
    vnChannelList list;
    FillChannels(list);
    vnGre1Module module;
    vnTransfer* transfer = nullptr;
    module.GetTransfer(&transfer);

    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (vnFailed(transfer->UploadAll(&list))) {
            state.SkipWithError(transfer->GetFailureReason().c_str());
            break;
        }
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    vnSetSettings(previous);

    const std::uint64_t wireBytes = WireBytes(list);
    const double lineSeconds = static_cast<double>(wireBytes) * kBitsPerByte / kLineBaud;
    const double perUpload = wall.count() / static_cast<double>(state.iterations());
    state.counters["wire_bytes"] = static_cast<double>(wireBytes);
    state.counters["line_ms"] = lineSeconds * 1000.0;
    state.counters["own_pct"] = perUpload / lineSeconds * 100.0;
    state.SetBytesProcessed(static_cast<std::int64_t>(wireBytes) * state.iterations());
    // Let the drain catch up, then check that every byte arrived.
    for (int i = 0; i < 100 && scanner.Bytes() < wireBytes * state.iterations(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    state.counters["drained_ok"] = scanner.Bytes() == wireBytes * state.iterations() ? 1 : 0;
}
BENCHMARK(UploadAllToPty)->Name("UploadAll/pty")->Unit(benchmark::kMicrosecond)->UseRealTime();

void EncodeAll(benchmark::State& state)
{
    vnChannelList list;
    FillChannels(list);
    vnGre1WireBuffer buffer;
    std::string text;
    for (auto _ : state) {
        std::uint64_t bytes = 0;
        for (std::int32_t i = 0; i < list.GetCount(); ++i) {
            if (!vnGre1Port::FormatChannelText(*list.GetAt(i), &text))
                continue;
            bytes += vnGre1Packet(vnGre1Packet::CommandChannel, 0, text.c_str()).Serialize(buffer);
        }
        benchmark::DoNotOptimize(bytes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(EncodeAll)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
