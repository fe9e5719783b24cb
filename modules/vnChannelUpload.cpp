#include "modules/vnChannelUpload.h"

#include "channels/vnChannelList.h"
#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "res/ResourceIds.h"

#include <cerrno>
#include <system_error>

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
        outcome.bytesSent = reporting.Last().bytesSent;
    }
    // A port that failed to open reported nothing: the channels that have a
    // frequency are what the upload would have sent. (A refusal of the
    // channels themselves, E_INVALIDARG, sent nothing and counts nothing.)
    if (outcome.count == 0 && vnFailed(outcome.result) && outcome.result != E_ABORT && outcome.result != E_INVALIDARG)
        for (std::int32_t index = 0; index < channels.GetCount(); ++index)
            if (channels.GetAt(index)->GetFrequency().GetMHz() != 0.0)
                ++outcome.count;
    if (!vnFailed(outcome.result))
        outcome.result = S_OK;
    outcome.reason = FailureReason(outcome.result);
    return outcome;
}

vnUploadOutcome vnChannelUpload::Selected(const vnChannelList& channels, const std::vector<std::int32_t>& indexes)
{
    vnUploadOutcome outcome;
    if (!m_transfer && indexes.empty()) {
        outcome.result = E_FAIL;
        return outcome;
    }
    // A channel without a frequency would make an upload with no channel in it.
    std::vector<std::int32_t> sending;
    for (const std::int32_t index : indexes) {
        const vnChannel* channel = channels.GetAt(index);
        if (channel && channel->GetFrequency().GetMHz() == 0.0)
            outcome.withoutFrequency.push_back(channel->GetNumber());
        else
            sending.push_back(index);
    }
    outcome.count = static_cast<std::int32_t>(sending.size());
    if (sending.empty()) {
        outcome.result = E_INVALIDARG;
        outcome.reason = outcome.withoutFrequency.size() == 1
            ? vnWords::Say(IDS_CHANNEL_NO_FREQUENCY_SENT, {std::to_string(outcome.withoutFrequency.front())})
            : vnWords::Say(IDS_NO_CHANNEL_HAS_FREQUENCY);
        return outcome;
    }
    // What one upload would refuse is refused before the first byte of any.
    for (const std::int32_t index : sending) {
        const vnChannel* channel = channels.GetAt(index);
        std::string reason;
        if (m_transfer && channel && vnFailed(m_transfer->CheckChannel(channel, &reason))) {
            outcome.result = E_INVALIDARG;
            outcome.reason = reason;
            return outcome;
        }
    }
    Reporting reporting(m_transfer, m_progress);
    for (const std::int32_t index : sending) {
        if (m_progress)
            m_progress->BeginUpload(outcome.sent + 1, outcome.count);
        if (CancelRequested()) {
            outcome.result = E_ABORT;
            return outcome;
        }
        // An index that names no channel fails as a missing module does.
        const vnChannel* channel = channels.GetAt(index);
        const vnResult result = (m_transfer && channel) ? m_transfer->UploadChannel(channel) : E_FAIL;
        outcome.bytesSent = reporting.Last().bytesSent;
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

std::string vnUploadProgressText(std::int32_t sent, std::int32_t channels, std::int32_t lastNumber,
                                 const vnTransferState* bytes)
{
    constexpr double kBytesPerKB = 1000.0;
    const std::string counted = vnWords::Count(vnCounted::ChannelsSentOf, channels, {vnText::Decimal(sent)});
    const std::string memory =
        lastNumber > 0 ? vnWords::Say(IDS_UPLOAD_PROGRESS_MEMORY, {vnText::Decimal(lastNumber)}) : std::string();
    if (!bytes)
        return counted + memory;
    return vnWords::Say(IDS_UPLOAD_PROGRESS,
                        {counted, memory, vnText::FixedText(static_cast<double>(bytes->bytesSent) / kBytesPerKB, 1),
                         vnText::FixedText(static_cast<double>(bytes->bytes) / kBytesPerKB, 1)});
}

std::string vnUploadOutcome::SentText(const std::string& destination, double seconds, const std::string& scanner,
                                      const std::string& kind) const
{
    const std::string what =
        kind.empty() ? vnWords::Count(vnCounted::Sent, sent) : vnWords::Count(vnCounted::SentKind, sent, {kind});
    const std::string to = scanner.empty() ? vnWords::Say(IDS_THE_SCANNER) : scanner;
    const std::string time = vnText::FixedText(seconds, 1);
    if (destination.empty())
        return vnWords::Say(IDS_SENT_RESULT_NO_PORT, {what, to, time});
    return vnWords::Say(IDS_SENT_RESULT, {what, to, destination, time});
}

std::string vnUploadOutcome::ProgressText() const
{
    if (sent == 0)
        return vnWords::Count(vnCounted::NoneSent, count);
    return vnWords::Count(vnCounted::SentBeforeFailure, count, {vnText::Decimal(sent)});
}

std::string vnUploadOutcome::WithoutFrequencyText() const
{
    if (withoutFrequency.empty())
        return {};
    std::vector<std::string> numbers;
    for (const std::int32_t number : withoutFrequency)
        numbers.push_back(vnText::Decimal(number));
    return vnWords::Count(vnCounted::WithoutFrequency, static_cast<std::int64_t>(numbers.size()),
                          {vnWords::List(numbers)});
}

std::string vnUploadOutcome::AccessHint(const std::string& reason)
{
#ifdef _WIN32
    (void)reason;
    return {};
#else
    // The reason carries the system's own words, in the user's language.
    const std::string denied = std::system_category().message(EACCES);
    const std::string notPermitted = std::system_category().message(EPERM);
    if (reason.find(denied) == std::string::npos && reason.find(notPermitted) == std::string::npos)
        return {};
    return std::string(vnWords::Text(IDS_TRANSFER_ACCESS_HINT));
#endif
}
