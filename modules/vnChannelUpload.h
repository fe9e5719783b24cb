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
    // Upload `index` (from 1) of `count` begins; only commands of one upload
    // per channel say it.
    virtual void BeginUpload(int index, int count)
    {
        (void)index;
        (void)count;
    }
};

// What an upload command did.
struct vnUploadOutcome
{
    vnResult result = S_OK; // S_OK, E_ABORT when cancelled, or the failure
    // Channels that left: Upload All's channel packets sent, Upload
    // Selected's uploads completed.
    std::int32_t sent = 0;
    std::int32_t count = 0; // channels in the command
    std::string reason;     // the transfer's failure reason when it failed

    bool Cancelled() const { return result == E_ABORT; }
    bool Failed() const { return vnFailed(result) && result != E_ABORT; }
};

// The Upload All and Upload Selected commands over a transfer: one place for
// the sequence, the stop-at-first-failure rule and the progress and cancel
// hooks, for the window and the terminal alike.
class vnChannelUpload
{
public:
    // transfer may be null (no module): every command then fails. progress
    // may be null.
    vnChannelUpload(vnTransfer* transfer, vnUploadProgress* progress);

    // The whole list as one upload.
    vnUploadOutcome All(const vnChannelList& channels);
    // One upload per list index, in the order given. Before each,
    // BeginUpload and a look at Cancel; the first failure ends the walk: the
    // uploads after it would most likely fail the same way, each after its
    // own wait.
    vnUploadOutcome Selected(const vnChannelList& channels, const std::vector<std::int32_t>& indexes);

private:
    vnTransfer* m_transfer;
    vnUploadProgress* m_progress;
};
