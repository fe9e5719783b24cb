// Uploading 200 channels through the GRE Type 1 module to a pseudo-terminal,
// against the time the same bytes take on the real line: 4800 baud, 8 data
// bits, 2 stop bits, so 11 bits per byte. The virtual scanner plays the
// scanner on the master side, in a thread of its own.
//
// UploadAll/pty: open, start packet, 200 channel packets, end packet, close,
// per iteration. Counters: wire_bytes per upload, line_ms (the time those
// bytes need at 4800 baud) and own_pct (the program's processor time per
// upload as a share of the line time; the goal is below 1). The upload keeps
// to the line's speed, so the port runs at 230400 baud here to keep the
// iterations short; the processor time does not depend on it.
// EncodeAll: formatting and serialising the same 200 channels without I/O.
// UploadChanged/6of200 beside UploadAll/200: after all 200 were sent and 6
// changed, the bytes each command puts on the line (counted through the
// transfer's byte sink) and their line time at 4800 baud; changed_share is
// Upload Changed's line time as a share of Upload All's (goal: under 0.1).
#include "channels/vnChannelList.h"
#include "core/ScannerRecordFolder.h"
#include "core/ScannerRecordUpload.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/gre1/vnGre1Packet.h"
#include "modules/gre1/vnGre1Port.h"
#include "modules/gre1/vnGre1Settings.h"
#include "modules/vnByteSink.h"
#include "modules/vnChannelUpload.h"
#include "modules/vnSettingsStore.h"
#include "modules/vnTransfer.h"
#include "tests/support/ScannerOnPty.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr double kLineBaud = 4800.0;
constexpr double kBitsPerByte = 11.0; // start bit, 8 data bits, 2 stop bits

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
    ScannerOnPty scanner(false); // counts only: a run has thousands of uploads
    if (!scanner.Ok()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    vnMemorySettingsStore settings;
    settings.SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, scanner.Path());
    settings.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 230400);
    vnSettingsScope settingsInUse(settings);
    vnChannelList list;
    FillChannels(list);
    vnGre1Module module;
    vnTransfer* transfer = nullptr;
    module.GetTransfer(&transfer);

    const std::clock_t start = std::clock();
    for (auto _ : state) {
        if (vnFailed(transfer->UploadAll(&list))) {
            state.SkipWithError(transfer->GetFailureReason().c_str());
            break;
        }
    }
    // std::clock counts the virtual scanner's thread too, which a real line
    // does not need; the figure errs on the high side.
    const double processor = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;

    const std::uint64_t wireBytes = WireBytes(list);
    const double lineSeconds = static_cast<double>(wireBytes) * kBitsPerByte / kLineBaud;
    const double perUpload = processor / static_cast<double>(state.iterations());
    state.counters["wire_bytes"] = static_cast<double>(wireBytes);
    state.counters["line_ms"] = lineSeconds * 1000.0;
    state.counters["own_pct"] = perUpload / lineSeconds * 100.0;
    state.SetBytesProcessed(static_cast<std::int64_t>(wireBytes) * state.iterations());
    // Every upload must reach the scanner whole: all its bytes, nothing refused.
    const auto uploads = static_cast<int>(state.iterations());
    const bool whole = scanner.WaitForSummaries(uploads) && scanner.Rejections() == 0 &&
        scanner.BytesReceived() == wireBytes * state.iterations();
    state.counters["received_ok"] = whole ? 1 : 0;
}
BENCHMARK(UploadAllToPty)->Name("UploadAll/pty")->Unit(benchmark::kMicrosecond)->UseRealTime();

// Counts the bytes an upload would put on the line.
class CountingSink : public vnByteSink
{
public:
    bool Take(const std::uint8_t*, std::size_t size, std::string*) override
    {
        bytes += size;
        return true;
    }
    std::uint64_t bytes = 0;
};

double LineMs(std::uint64_t bytes)
{
    return static_cast<double>(bytes) * kBitsPerByte / kLineBaud * 1000.0;
}

void UploadChangedBesideAll(benchmark::State& state)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("scanlore-bench-records-" + std::to_string(::getpid()));
    ScannerRecordFolder::Scope records(folder.string());
    vnMemorySettingsStore settings;
    vnSettingsScope settingsInUse(settings);
    vnChannelList list;
    FillChannels(list);
    vnGre1Module module;
    vnTransfer* transfer = nullptr;
    module.GetTransfer(&transfer);
    CountingSink sink;
    transfer->SetByteSink(&sink);

    // Everything sent once, then six frequencies changed.
    vnUploadOutcome all = vnChannelUpload(transfer, nullptr).All(list);
    const std::uint64_t allBytes = sink.bytes;
    ScannerRecordUpload("Pro-89", list).Finish(list, nullptr, all.sent, "bench");
    for (const std::int32_t index : {3, 40, 77, 120, 160, 199}) {
        vnFrequency frequency = list.GetAt(index)->GetFrequency();
        frequency.SetMHz(frequency.GetMHz() + 0.0125);
        list.GetAt(index)->SetFrequency(frequency);
    }

    std::uint64_t changedBytes = 0;
    for (auto _ : state) {
        ScannerRecordUpload record("Pro-89", list);
        vnChannelList sending;
        std::vector<std::int32_t> indexes;
        record.MakeSending(false, sending, &indexes);
        sink.bytes = 0;
        const vnUploadOutcome changed = vnChannelUpload(transfer, nullptr).Selected(sending, indexes);
        changedBytes = sink.bytes;
        if (vnFailed(changed.result) || changed.sent != 6) {
            state.SkipWithError("Upload Changed did not send the six channels");
            break;
        }
    }
    transfer->SetByteSink(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);

    state.counters["changed_bytes"] = static_cast<double>(changedBytes);
    state.counters["changed_line_ms"] = LineMs(changedBytes);
    state.counters["all_bytes"] = static_cast<double>(allBytes);
    state.counters["all_line_ms"] = LineMs(allBytes);
    state.counters["changed_share"] = allBytes ? static_cast<double>(changedBytes) / static_cast<double>(allBytes) : 0;
}
BENCHMARK(UploadChangedBesideAll)->Name("UploadChanged/6of200")->Unit(benchmark::kMicrosecond);

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
