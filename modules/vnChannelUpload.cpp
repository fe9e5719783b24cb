#include "modules/vnChannelUpload.h"

#include "channels/vnChannelList.h"

namespace {

// Passes the transfer's reports on and keeps the last state, for as long as
// one command runs.
class Reporting : public vnTransferProgress
{
public:
    Reporting(vnTransfer* transfer, vnUploadProgress* progress) : m_transfer(transfer), m_progress(progress)
    {
        if (m_transfer)
            m_transfer->SetProgress(this);
    }
    ~Reporting() override
    {
        if (m_transfer)
            m_transfer->SetProgress(nullptr);
    }
    Reporting(const Reporting&) = delete;
    Reporting& operator=(const Reporting&) = delete;

    void OnProgress(std::int32_t sent, std::int32_t total) override
    {
        if (m_progress)
            m_progress->OnProgress(sent, total);
    }
    void OnState(const vnTransferState& state) override
    {
        m_state = state;
        if (m_progress)
            m_progress->OnState(state);
    }
    bool IsCancelRequested() override { return m_progress && m_progress->IsCancelRequested(); }

    const vnTransferState& GetState() const { return m_state; }

private:
    vnTransfer* m_transfer;
    vnUploadProgress* m_progress;
    vnTransferState m_state;
};

} // namespace

vnChannelUpload::vnChannelUpload(vnTransfer* transfer, vnUploadProgress* progress)
    : m_transfer(transfer), m_progress(progress)
{}

vnUploadOutcome vnChannelUpload::All(const vnChannelList& channels)
{
    Reporting reporting(m_transfer, m_progress);
    vnUploadOutcome outcome;
    outcome.result = m_transfer ? m_transfer->UploadAll(&channels) : E_NOTIMPL;
    outcome.sent = reporting.GetState().channelsSent;
    outcome.count = reporting.GetState().channels;
    if (outcome.Failed() && m_transfer)
        outcome.reason = m_transfer->GetFailureReason();
    return outcome;
}

vnUploadOutcome vnChannelUpload::Selected(const vnChannelList& channels, const std::vector<std::int32_t>& indexes)
{
    Reporting reporting(m_transfer, m_progress);
    vnUploadOutcome outcome;
    outcome.count = static_cast<std::int32_t>(indexes.size());
    for (const std::int32_t index : indexes) {
        if (m_progress)
            m_progress->BeginUpload(outcome.sent + 1, outcome.count);
        if (reporting.IsCancelRequested()) {
            outcome.result = E_ABORT;
            break;
        }
        const vnChannel* channel = channels.GetAt(index);
        outcome.result = (m_transfer && channel) ? m_transfer->UploadChannel(channel) : E_FAIL;
        if (vnFailed(outcome.result))
            break;
        ++outcome.sent;
    }
    if (outcome.Failed() && m_transfer)
        outcome.reason = m_transfer->GetFailureReason();
    return outcome;
}
