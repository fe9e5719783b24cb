#include "tools/UploadCommand.h"

#include "channels/vnChannelList.h"
#include "core/ChannelOpenReport.h"
#include "core/ChannelUploadPlan.h"
#include "modules/gre1/vnGre1Settings.h"
#include "modules/vnChannelUpload.h"
#include "modules/vnModuleLease.h"
#include "modules/vnModuleManager.h"
#include "modules/vnSettingsStore.h"
#include "modules/vnTransfer.h"
#include "tools/HexLinePrinter.h"
#include "tools/OverlaySettingsStore.h"
#include "tools/UploadProgressPrinter.h"

#include <chrono>
#include <vector>

namespace {

// The stop-bits code the port takes for a count of stop bits.
constexpr std::int32_t kOneStopBitCode = 0;
constexpr std::int32_t kTwoStopBitsCode = 2;

} // namespace

const char* UploadCommand::Usage()
{
    return "Usage: scanlore-upload [--port DEV] [--baud N] [--stop-bits 1|2] [--channels LIST]\n"
           "                       [--skip-out-of-band | --ignore-bands] [--dry-run] FILE\n"
           "\n"
           "Uploads the channel file FILE (- for standard input), read as Scanlore's Open\n"
           "reads it (Scanlore's own layout or another tool's file whose columns it\n"
           "names), to a RadioShack GRE Type 1 scanner, as Scanlore's Upload All does.\n"
           "\n"
           "Options:\n"
           "  --port DEV        the serial port, for example /dev/ttyUSB0 or COM1\n"
           "  --baud N          the line speed, 110 to 256000\n"
           "  --stop-bits 1|2   one or two stop bits\n"
           "                    Without these three, Scanlore's stored Transfer Options\n"
           "                    apply; the options change them for this run only.\n"
           "  --channels LIST   only these channel numbers, for example 1-20,45, one upload\n"
           "                    each, as Upload Selected does; each channel once, and\n"
           "                    channels without a frequency are named and left out\n"
           "  --skip-out-of-band  leave out channels outside the scanner model's bands\n"
           "  --ignore-bands    send channels outside the bands anyway\n"
           "                    Without either, such channels stop the upload before the\n"
           "                    port opens (a dry run too).\n"
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
        settings.SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, *options.port);
    if (options.baud)
        settings.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, static_cast<std::int32_t>(*options.baud));
    if (options.stopBits)
        settings.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::StopBits,
                               *options.stopBits == 1 ? kOneStopBitCode : kTwoStopBitsCode);
    vnSettingsScope scope(settings);

    // Made before the module, which may hold on to it until it goes.
    HexLinePrinter packets(m_out);
    vnModuleManager manager;
    vnModuleLease module(manager);
    vnTransfer* transfer = module.GetTransfer();
    if (!transfer)
        return Fail(UploadFailed, "no scanner module to upload with");

    // The channels as New makes them, then the file as Open reads it.
    const vnChannelLayout layout = module.GetLayout();
    vnChannelList list;
    layout.MakeChannels(list);
    // "-" is standard input, read to its end as a file would be.
    const bool standardInput = options.file == "-";
    const std::string file = standardInput ? std::string("standard input") : options.file;
    const ChannelOpenReport read =
        standardInput ? OpenChannelDescriptor(0, file, list) : OpenChannelFile(options.file, list);
    // A file read only in part is not uploaded as if it were all of it.
    if (!read.failure.empty())
        return Fail(BadUsage, read.failure);
    // How another tool's file was read and what was left out, as Open says
    // it; standard output stays for the packets.
    if (const std::string notes = read.Notes(); !notes.empty())
        Fail(Done, notes);

    std::vector<std::int32_t> selected;
    for (std::int32_t number : options.channels) {
        const std::int32_t index = list.IndexOfNumber(number);
        if (index < 0)
            return Fail(BadUsage,
                        "there is no channel " + std::to_string(number) + "; the scanner has channels " +
                            std::to_string(layout.GetFirstChannel()) + " to " +
                            std::to_string(layout.GetLastChannel()) + ".");
        selected.push_back(index);
    }

    // Channels outside the model's bands stop the command before the port
    // opens, unless the options say what to do with them.
    ChannelUploadPlan plan(list, module.GetBands(), options.channels.empty() ? nullptr : &selected);
    if (!plan.GetOutside().empty() && !options.ignoreBands) {
        const std::string outside = plan.OutsideText();
        if (!options.skipOutOfBand)
            return Fail(UploadFailed,
                        outside + "\nNothing was sent. --skip-out-of-band leaves them out, --ignore-bands sends them.");
        Fail(Done, outside + (plan.GetOutside().size() == 1 ? " It is left out." : " They are left out."));
        if (!plan.LeaveOutOutside())
            return Fail(UploadFailed, "nothing left to send.");
    }

    // A dry run is the same upload with the packets printed instead of sent.
    if (options.dryRun && vnFailed(transfer->SetByteSink(&packets)))
        return Fail(UploadFailed, "this scanner module cannot show its packets without sending them");
    UploadProgressPrinter progress(m_err, m_errIsTerminal);
    vnChannelUpload upload(transfer, options.dryRun ? nullptr : &progress);
    const auto start = std::chrono::steady_clock::now();
    const vnUploadOutcome outcome = plan.Send(upload);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    progress.Finish();
    if (const std::string skipped = outcome.WithoutFrequencyText(); !skipped.empty() && !outcome.NothingToSend())
        Fail(Done, skipped);
    if (!vnFailed(outcome.result)) {
        if (!options.dryRun)
            Fail(Done, outcome.SentText(transfer->GetDestination(), took.count()));
        return Done;
    }

    std::string text;
    for (const std::string& paragraph : ChannelUploadPlan::FailureParagraphs(outcome))
        text += (text.empty() ? "" : "\n") + paragraph;
    if (outcome.reason.empty())
        text = "the upload failed." + (text.empty() ? "" : "\n" + text);
    return Fail(UploadFailed, text);
}
