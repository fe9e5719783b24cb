#pragma once

#include "modules/vnResult.h"
#include "modules/vnTransfer.h"

#include <cstdint>
#include <string>
#include <vector>

class vnChannelList;

// Progress of an upload command: the transfer's reports, plus, for a command
// of one upload per channel, which upload begins.
class vnUploadProgress : public vnTransferProgress
{
public:
    // Upload `index` (from 1) of `count` begins; only commands of one upload per channel say it.
    virtual void BeginUpload(int index, int count)
    {
        (void)index;
        (void)count;
    }
};

// How far an upload is, as the window and the terminal show it: "57 of 200
// channels sent (memory 66), 2.1 of 6.0 KB". With bytes null (one upload per
// channel), without the kilobytes: "2 of 5 channels sent (memory 49)". A
// lastNumber of 0 names no memory.
std::string vnUploadProgressText(std::int32_t sent, std::int32_t channels, std::int32_t lastNumber,
                                 const vnTransferState* bytes = nullptr);

// What an upload command did.
struct vnUploadOutcome
{
    vnResult result = S_OK; // S_OK, E_ABORT when cancelled, or the failure
    std::int32_t sent = 0;  // channels that left: Upload All: channel packets sent (from the last vnTransferState);
                            // Selected: uploads completed
    std::int32_t count = 0; // channels in the command (All: channel packets in the upload; Selected: indexes given)
    std::string reason;     // the transfer's failure reason when it failed (empty otherwise)
    // Bytes that left on the line in the last upload (all of it for Upload
    // All): none after a failure means the scanner got nothing.
    std::uint64_t bytesSent = 0;
    bool NothingLeft() const { return Failed() && sent == 0 && bytesSent == 0; }
    // Selected: the numbers of the channels left out for having no frequency.
    std::vector<std::int32_t> withoutFrequency;
    bool Cancelled() const { return result == E_ABORT; }
    bool Failed() const { return vnFailed(result) && result != E_ABORT; }
    // Selected: none of the channels had a frequency, so nothing was sent.
    bool NothingToSend() const { return Failed() && count == 0 && !withoutFrequency.empty(); }

    // "Sent 22 channels to the scanner on /dev/ttyUSB0 in 3.1 s. The scanner
    // does not confirm: check its display." With a scanner's name and a
    // kind: "Sent 6 changed channels to the Pro-89 on ...".
    std::string SentText(const std::string& destination, double seconds, const std::string& scanner = std::string(),
                         const std::string& kind = std::string()) const;
    // How far a failed command got: "57 of 180 channels were sent before the
    // scanner stopped taking data."
    std::string ProgressText() const;
    // "Channels 3 and 7 have no frequency and were not sent."; empty when none.
    std::string WithoutFrequencyText() const;
    // On Linux, for a reason that says the system refused the port: how to
    // get access (the group "dialout"); empty otherwise.
    static std::string AccessHint(const std::string& reason);
};

// The Upload All and Upload Selected commands over a transfer: one place for
// the sequence, the stop-at-first-failure rule and the progress and cancel hooks.
class vnChannelUpload
{
public:
    // transfer may be null (no module): every command then fails. progress may be null.
    vnChannelUpload(vnTransfer* transfer, vnUploadProgress* progress);
    // The whole list as one upload (vnTransfer::UploadAll).
    vnUploadOutcome All(const vnChannelList& channels);
    // One upload per list index that has a frequency, in the order given
    // (the others are listed in withoutFrequency; when none has one, nothing
    // is sent and the command fails). Every channel is checked before the
    // first byte: one the transfer would refuse fails the command at once.
    // Before each upload, BeginUpload(n, count) and a
    // cancel check (a cancel stops before the next upload: E_ABORT); the first failure ends the
    // walk (the rest would most likely fail the same way, each after its own wait).
    // A cancel asked for during the last upload, too late to stop it, still makes the
    // command E_ABORT: the user asked to stop, and sent says how far it got.
    vnUploadOutcome Selected(const vnChannelList& channels, const std::vector<std::int32_t>& indexes);

private:
    class Reporting;

    bool CancelRequested() const;
    std::string FailureReason(vnResult result) const;

    vnTransfer* m_transfer;
    vnUploadProgress* m_progress;
};
