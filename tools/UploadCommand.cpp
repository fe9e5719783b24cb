#include "tools/UploadCommand.h"

#include "app/ChannelFile.h"
#include "channels/vnChannelList.h"
#include "modules/gre1/vnGre1Packet.h"
#include "modules/gre1/vnGre1Port.h"
#include "modules/vnModule.h"
#include "modules/vnModuleManager.h"
#include "modules/vnSettingsStore.h"
#include "modules/vnTransfer.h"
#include "tools/OverlaySettingsStore.h"
#include "tools/UploadProgressPrinter.h"

#include <algorithm>
#include <vector>

namespace {

const std::string kSection = "Transfer Options";
// The stop-bits code the port takes for a count of stop bits.
constexpr std::int32_t kOneStopBitCode = 0;
constexpr std::int32_t kTwoStopBitsCode = 2;
// The indices Upload All sends.
constexpr std::int32_t kUploadAllLast = 199;

// A module from the manager for the length of a run.
class ModuleLease
{
public:
    ModuleLease() { m_manager.GetCurrentModule(&m_module); }
    ~ModuleLease() { m_manager.ReleaseModule(m_module); }
    ModuleLease(const ModuleLease&) = delete;
    ModuleLease& operator=(const ModuleLease&) = delete;

    vnModule* Get() const { return m_module; }

private:
    vnModuleManager m_manager;
    vnModule* m_module = nullptr;
};

void PrintPacket(std::FILE* out, const vnGre1Packet& packet)
{
    vnGre1WireBuffer buffer;
    const std::uint8_t size = packet.Serialize(buffer);
    for (std::uint8_t i = 0; i < size; ++i)
        std::fprintf(out, i == 0 ? "%02X" : " %02X", buffer[i]);
    std::fputc('\n', out);
}

// The packets of one upload, as the transfer sends them, one line each.
void PrintUpload(std::FILE* out, std::uint8_t count, const std::vector<const vnChannel*>& channels)
{
    const char start[2] = {static_cast<char>(count), '\0'};
    PrintPacket(out, vnGre1Packet(vnGre1Packet::CommandUploadStart, 1, start));
    std::string text;
    for (const vnChannel* channel : channels) {
        if (vnGre1Port::FormatChannelText(*channel, &text))
            PrintPacket(out, vnGre1Packet(vnGre1Packet::CommandChannel, 0, text.c_str()));
    }
    PrintPacket(out, vnGre1Packet(vnGre1Packet::CommandUploadEnd, 1));
}

} // namespace

const char* UploadCommand::Usage()
{
    return "Usage: scanlore-upload [--port DEV] [--baud N] [--stop-bits 1|2] [--channels LIST] [--dry-run] FILE\n"
           "\n"
           "Uploads the channel file FILE (as saved by Scanlore) to a RadioShack GRE Type 1\n"
           "scanner, as Scanlore's Upload All does.\n"
           "\n"
           "Options:\n"
           "  --port DEV        the serial port, for example /dev/ttyUSB0 or COM1\n"
           "  --baud N          the line speed, 110 to 256000\n"
           "  --stop-bits 1|2   one or two stop bits\n"
           "                    Without these three, Scanlore's stored Transfer Options\n"
           "                    apply; the options change them for this run only.\n"
           "  --channels LIST   only these channel numbers, for example 1-20,45, one upload\n"
           "                    each, as Upload Selected does\n"
           "  --dry-run         open no port; print every packet in hex, one per line\n"
           "  --help            show this text\n"
           "  --version         show the version\n"
           "\n"
           "Exit status: 0 done, 1 the upload failed, 2 bad usage or a file that cannot be\n"
           "read.\n";
}

UploadCommand::UploadCommand(const vnSettingsStore& stored, std::FILE* out, std::FILE* err, bool errIsTerminal)
    : m_stored(stored), m_out(out), m_err(err), m_errIsTerminal(errIsTerminal)
{}

int UploadCommand::Fail(int status, const std::string& message)
{
    std::fprintf(m_err, "scanlore-upload: %s\n", message.c_str());
    return status;
}

int UploadCommand::Run(const UploadOptions& options)
{
    OverlaySettingsStore settings(m_stored);
    if (options.port)
        settings.SetSettingString(kSection, "Communications Port", *options.port);
    if (options.baud)
        settings.SetSettingInt(kSection, "Baud", static_cast<std::int32_t>(*options.baud));
    if (options.stopBits)
        settings.SetSettingInt(kSection, "Stop Bits", *options.stopBits == 1 ? kOneStopBitCode : kTwoStopBitsCode);
    vnSettingsScope scope(settings);

    ModuleLease module;
    vnChannelLayout* layout = nullptr;
    vnTransfer* transfer = nullptr;
    if (!module.Get() || vnFailed(module.Get()->GetChannelLayout(&layout)) || !layout ||
        vnFailed(module.Get()->GetTransfer(&transfer)) || !transfer)
        return Fail(UploadFailed, "no scanner module to upload with");

    // The channels as New makes them, then the file as Open reads it.
    vnChannelList list;
    for (std::int64_t number = layout->GetFirstChannel(); number <= layout->GetLastChannel(); ++number) {
        vnChannel* channel = nullptr;
        list.AddNew(&channel);
        channel->SetNumber(static_cast<std::int32_t>(number));
    }
    const ChannelFileResult read = ReadChannelFile(options.file, list);
    if (!read.ok)
        return Fail(BadUsage, OpenFailedMessage(options.file, read.reason));
    if (read.applied.linesNotLoaded > 0)
        Fail(Done, LinesNotLoadedMessage(options.file, read.applied.linesNotLoaded, list.GetCount()));
    // Another tool's file: how it was read and what was left out, as Open
    // says it; standard output stays for the packets.
    if (!read.applied.layout.empty() || read.applied.skipped > 0)
        Fail(Done, ReadSummaryMessage(options.file, read.applied));

    // The uploads: all channels at once, or one per listed channel.
    std::vector<const vnChannel*> selected;
    for (std::int32_t number : options.channels) {
        const vnChannel* found = nullptr;
        for (std::int32_t i = 0; i < list.GetCount() && !found; ++i) {
            if (list.GetAt(i)->GetNumber() == number)
                found = list.GetAt(i);
        }
        if (!found)
            return Fail(BadUsage,
                        "there is no channel " + std::to_string(number) + "; the scanner has channels " +
                            std::to_string(layout->GetFirstChannel()) + " to " +
                            std::to_string(layout->GetLastChannel()) + ".");
        selected.push_back(found);
    }

    if (options.dryRun) {
        std::vector<const vnChannel*> all;
        for (std::int32_t i = 0; i <= std::min(kUploadAllLast, list.GetCount() - 1); ++i)
            all.push_back(list.GetAt(i));
        // The same check as the upload makes before it opens the port.
        for (const vnChannel* channel : selected.empty() ? all : selected) {
            std::string reason;
            if (vnFailed(transfer->CheckChannel(channel, &reason)))
                return Fail(UploadFailed, reason);
        }
        if (selected.empty())
            PrintUpload(m_out, vnGre1Port::RangeCount, all);
        for (const vnChannel* channel : selected)
            PrintUpload(m_out, vnGre1Port::SingleChannelCount, {channel});
        return Done;
    }

    UploadProgressPrinter progress(m_err, m_errIsTerminal);
    transfer->SetProgress(&progress);
    vnResult result = S_OK;
    int sent = 0;
    if (selected.empty()) {
        result = transfer->UploadAll(&list);
    } else {
        for (const vnChannel* channel : selected) {
            progress.BeginUpload(sent + 1, static_cast<int>(selected.size()));
            result = transfer->UploadChannel(channel);
            if (vnFailed(result))
                break;
            ++sent;
        }
    }
    progress.Finish();
    transfer->SetProgress(nullptr);
    if (!vnFailed(result))
        return Done;

    std::string reason = transfer->GetFailureReason();
    if (reason.empty())
        reason = "the upload failed.";
    if (!selected.empty())
        reason +=
            "\n" + std::to_string(sent) + " of " + std::to_string(selected.size()) + " selected channels were sent.";
    return Fail(UploadFailed, reason);
}
