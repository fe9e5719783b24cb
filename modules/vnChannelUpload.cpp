#include "modules/vnChannelUpload.h"

#include "channels/vnChannelList.h"

// Reports to the command's progress for the length of one command and keeps
// the last state the transfer told, which is how far Upload All got.
class vnChannelUpload::Reporting : public vnTransferProgress
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
        m_last = state;
        if (m_progress)
            m_progress->OnState(state);
    }
    bool IsCancelRequested() override { return m_progress && m_progress->IsCancelRequested(); }

    const vnTransferState& Last() const { return m_last; }

private:
    vnTransfer* m_transfer;
    vnUploadProgress* m_progress;
    vnTransferState m_last;
};

vnChannelUpload::vnChannelUpload(vnTransfer* transfer, vnUploadProgress* progress)
    : m_transfer(transfer), m_progress(progress)
{}

bool vnChannelUpload::CancelRequested() const
{
    return m_progress && m_progress->IsCancelRequested();
}

std::string vnChannelUpload::FailureReason(vnResult result) const
{
    if (!vnFailed(result) || result == E_ABORT || !m_transfer)
        return {};
    return m_transfer->GetFailureReason();
}

vnUploadOutcome vnChannelUpload::All(const vnChannelList& channels)
{
    vnUploadOutcome outcome;
    {
        Reporting reporting(m_transfer, m_progress);
        outcome.result = m_transfer ? m_transfer->UploadAll(&channels) : E_NOTIMPL;
        outcome.sent = reporting.Last().channelsSent;
        outcome.count = reporting.Last().channels;
    }
    if (!vnFailed(outcome.result))
        outcome.result = S_OK;
    outcome.reason = FailureReason(outcome.result);
    return outcome;
}

vnUploadOutcome vnChannelUpload::Selected(const vnChannelList& channels, const std::vector<std::int32_t>& indexes)
{
    vnUploadOutcome outcome;
    outcome.count = static_cast<std::int32_t>(indexes.size());
    if (!m_transfer && indexes.empty()) {
        outcome.result = E_FAIL;
        return outcome;
    }
    Reporting reporting(m_transfer, m_progress);
    for (const std::int32_t index : indexes) {
        if (m_progress)
            m_progress->BeginUpload(outcome.sent + 1, outcome.count);
        if (CancelRequested()) {
            outcome.result = E_ABORT;
            return outcome;
        }
        // An index that names no channel fails as a missing module does.
        const vnChannel* channel = channels.GetAt(index);
        const vnResult result = (m_transfer && channel) ? m_transfer->UploadChannel(channel) : E_FAIL;
        if (vnFailed(result)) {
            outcome.result = result;
            outcome.reason = FailureReason(result);
            return outcome;
        }
        ++outcome.sent;
    }
    if (CancelRequested())
        outcome.result = E_ABORT;
    return outcome;
}
