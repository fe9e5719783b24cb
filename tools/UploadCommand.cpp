#include "tools/UploadCommand.h"

#include "channels/vnChannelList.h"
#include "channels/vnWords.h"
#include "core/ChannelOpenReport.h"
#include "core/ChannelUploadPlan.h"
#include "core/ScannerRecordUpload.h"
#include "modules/gre1/vnGre1Settings.h"
#include "modules/vnChannelUpload.h"
#include "modules/vnModuleLease.h"
#include "modules/vnModuleManager.h"
#include "modules/vnSettingsStore.h"
#include "modules/vnTransfer.h"
#include "res/ResourceIds.h"
#include "tools/ColumnOption.h"
#include "tools/HexLinePrinter.h"
#include "tools/OverlaySettingsStore.h"
#include "tools/UploadProgressPrinter.h"

#include <chrono>
#include <utility>
#include <vector>

namespace {

// The stop-bits code the port takes for a count of stop bits.
constexpr std::int32_t kOneStopBitCode = 0;
constexpr std::int32_t kTwoStopBitsCode = 2;

constexpr const char* kUsageHead = "Usage: scanlore-upload [--port DEV] [--baud N] [--stop-bits 1|2]\n"
                                   "                       [--channels LIST | --changed [--lock-out-emptied]]\n"
                                   "                       [--scanner NAME] [--skip-out-of-band | --ignore-bands]\n"
                                   "                       [--column ROLE=NAME]... [--dry-run] FILE\n"
                                   "\n"
                                   "Uploads the channel file FILE (- for standard input), read as Scanlore's Open\n"
                                   "reads it (Scanlore's own layout, another tool's file whose columns it names,\n"
                                   "or one whose columns --column names), to a RadioShack GRE Type 1 scanner, as\n"
                                   "Scanlore's Upload All does.\n"
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
                                   "  --changed         only the channels that differ from what the scanner holds,\n"
                                   "                    as the record of earlier uploads says; one upload each\n"
                                   "  --lock-out-emptied  send channels that are empty here but that the scanner\n"
                                   "                    still holds again with Lockout set, so it skips them\n"
                                   "  --scanner NAME    whose record to use and keep (default: the stored name)\n"
                                   "                    Each upload writes down what it sent in the scanner's\n"
                                   "                    record, in the user's data folder; a dry run does not.\n"
                                   "  --skip-out-of-band  leave out channels outside the scanner model's bands\n"
                                   "  --ignore-bands    send channels outside the bands anyway\n"
                                   "                    Without either, such channels stop the upload before the\n"
                                   "                    port opens (a dry run too).\n";
constexpr const char* kUsageTail = "  --dry-run         open no port; print every packet in hex, one per line\n"
                                   "  --help            show this text\n"
                                   "  --version         show the version\n"
                                   "\n"
                                   "Ctrl+C stops the upload after the packet being written; the scanner's record\n"
                                   "then says which channels it took. A second Ctrl+C ends the program at once.\n"
                                   "\n"
                                   "Exit status: 0 done (or nothing changed), 1 the upload failed or was stopped,\n"
                                   "2 bad usage, a file that cannot be read, no port given or stored, or no\n"
                                   "channel to send that has a frequency.\n";

} // namespace

const char* UploadCommand::Usage()
{
    static const std::string usage = std::string(kUsageHead) + ColumnOptionUsage() + kUsageTail;
    return usage.c_str();
}

UploadCommand::UploadCommand(const vnSettingsStore& stored, std::FILE* out, std::FILE* err, bool errIsTerminal,
                             std::function<bool()> interrupted)
    : m_stored(stored), m_out(out), m_err(err), m_errIsTerminal(errIsTerminal), m_interrupted(std::move(interrupted))
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
        return Fail(UploadFailed, vnWords::Say(IDS_NO_MODULE_TO_UPLOAD));

    // The channels as New makes them, then the file as Open reads it.
    const vnChannelLayout layout = module.GetLayout();
    vnChannelList list;
    layout.MakeChannels(list);
    const ChannelOpenReport read =
        OpenChannelArgument(options.file, 0, list, options.columns, layout.GetChannelsPerBank());
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
                        vnWords::Say(IDS_NO_SUCH_CHANNEL,
                                     {std::to_string(number), std::to_string(layout.GetFirstChannel()),
                                      std::to_string(layout.GetLastChannel())}));
        selected.push_back(index);
    }

    // What the scanner holds, as its record says: what --changed sends, and
    // the channels empty here that it still holds.
    const std::string scanner = options.scanner.empty() ? module.GetScannerName() : options.scanner;
    ScannerRecordUpload record(scanner, list);
    vnChannelList table;
    const bool perChannel = !options.channels.empty() || options.changed;
    if (!PrepareFromRecord(options, record, table, selected))
        return Done;

    // Channels outside the model's bands stop the command before the port
    // opens, unless the options say what to do with them.
    ChannelUploadPlan plan(table, module.GetBands(), perChannel ? &selected : nullptr);
    if (!plan.GetOutside().empty() && !options.ignoreBands) {
        const std::string outside = plan.OutsideText();
        if (!options.skipOutOfBand)
            return Fail(UploadFailed, vnWords::Say(IDS_OUTSIDE_NOTHING_SENT, {outside}));
        Fail(Done,
             outside + " " + vnWords::Count(vnCounted::LeftOut, static_cast<std::int64_t>(plan.GetOutside().size())));
        if (!plan.LeaveOutOutside())
            return Fail(UploadFailed, vnWords::Say(IDS_NOTHING_LEFT_TO_SEND));
    }

    // A table without a frequency to send opens no port.
    if (const std::string nothing = plan.NothingToSendText(); !nothing.empty())
        return Fail(BadUsage, nothing);
    // No port to send to is never guessed; a dry run needs none.
    if (!options.dryRun)
        if (const std::string problem = module.GetSetupProblem(); !problem.empty())
            return Fail(BadUsage, vnWords::Say(IDS_PORT_FOR_THIS_RUN, {problem}));

    // Most likely typos, but a rare real channel lies off the steps: named,
    // and sent as they are.
    if (const std::string offStep = plan.OffStepText(); !offStep.empty())
        Fail(Done,
             offStep + " " +
                 vnWords::Count(vnCounted::SentAsTheyAre, static_cast<std::int64_t>(plan.GetOffStep().size())));

    // A dry run is the same upload with the packets printed instead of sent.
    if (options.dryRun && vnFailed(transfer->SetByteSink(&packets)))
        return Fail(UploadFailed, vnWords::Say(IDS_NO_PACKETS_SHOWN));
    UploadProgressPrinter progress(m_err, m_errIsTerminal, m_interrupted);
    vnChannelUpload upload(transfer, options.dryRun ? nullptr : &progress);
    const auto start = std::chrono::steady_clock::now();
    const vnUploadOutcome outcome = plan.Send(upload);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    progress.Finish();
    if (const std::string skipped = outcome.WithoutFrequencyText(); !skipped.empty() && !outcome.NothingToSend())
        Fail(Done, skipped);
    // A dry run sent nothing, and a refusal before the first byte changed nothing.
    const std::string updated = options.dryRun || outcome.result == E_INVALIDARG
        ? std::string()
        : Record(record, plan.GetSending(), plan.GetSendingIndexes(), outcome, transfer->GetDestination());
    if (!vnFailed(outcome.result)) {
        if (!options.dryRun)
            Fail(Done,
                 outcome.SentText(transfer->GetDestination(), took.count(),
                                  options.changed ? vnWords::Say(IDS_THE_NAMED_SCANNER, {scanner}) : "",
                                  options.changed ? vnWords::Say(IDS_CHANGED_KIND) : "") +
                     "\n" + updated);
        return Done;
    }

    // Stopped by the user: how far it got and what the scanner now holds.
    if (outcome.Cancelled())
        return Fail(UploadFailed,
                    vnWords::Format(vnWords::Text(IDS_UPLOAD_CANCELLED),
                                    {std::to_string(outcome.sent), std::to_string(outcome.count)}) +
                        (updated.empty() ? "" : "\n" + updated));

    std::string text;
    for (const std::string& paragraph : ChannelUploadPlan::FailureParagraphs(outcome))
        text += (text.empty() ? "" : "\n") + paragraph;
    if (outcome.reason.empty())
        text = vnWords::Say(IDS_UPLOAD_FAILED_PLAIN) + (text.empty() ? "" : "\n" + text);
    if (!updated.empty())
        text += "\n" + updated;
    return Fail(UploadFailed, text);
}

bool UploadCommand::PrepareFromRecord(const UploadOptions& options, const ScannerRecordUpload& record,
                                      vnChannelList& table, std::vector<std::int32_t>& selected)
{
    if (!record.GetReadProblem().empty())
        Fail(Done, vnWords::Say(IDS_RECORD_REPLACED, {record.GetRecord().GetScanner(), record.GetReadProblem()}));
    // Upload All and --changed leave out channels empty here; the scanner
    // keeps what it held in them.
    const bool lockOut = options.channels.empty() && !record.GetEmptied().empty() && options.lockOutEmptied;
    if (options.channels.empty() && !record.GetEmptied().empty()) {
        const auto emptied = static_cast<std::int64_t>(record.GetEmptied().size());
        Fail(Done,
             record.EmptiedText() + " " +
                 vnWords::Count(lockOut ? vnCounted::EmptiedSentLockedOut : vnCounted::LockOutEmptiedHint, emptied));
    }
    record.MakeSending(lockOut, table, options.changed ? &selected : nullptr);
    if (options.changed && selected.empty()) {
        Fail(Done, vnWords::Say(IDS_NOTHING_SENT_AFTER, {record.NothingChangedText()}));
        return false;
    }
    return true;
}

std::string UploadCommand::Record(ScannerRecordUpload& record, const vnChannelList& sending,
                                  const std::vector<std::int32_t>* indexes, const vnUploadOutcome& outcome,
                                  const std::string& port)
{
    const bool nothingKnown = record.GetRecord().IsEmpty();
    const std::string problem =
        record.Finish(sending, indexes, outcome.sent, port, std::chrono::system_clock::now(), !outcome.NothingLeft());
    std::string text = vnFailed(outcome.result) ? UpdatedText(record.GetMeant(), outcome.sent)
                                                : ChannelsToCheckText(record.GetMeant());
    if (!vnFailed(outcome.result) && nothingKnown && !indexes)
        text += "\n" + EmptyNotSentNote();
    if (!problem.empty())
        text += "\n" + vnWords::Say(IDS_RECORD_NOT_WRITTEN, {record.GetRecord().GetScanner(), problem});
    return text;
}
