#include "core/ChannelUploadPlan.h"

#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "res/ResourceIds.h"

#include <string_view>
#include <utility>

namespace {

// A port that another program holds, as the serial devices word it (on
// Windows for a refused or shared port): the words after the port in that
// text, the port the word before them.
std::string_view InUse()
{
    const std::string_view text = vnWords::Text(IDS_PORT_IN_USE);
    const std::size_t port = text.find("%1");
    return port == std::string_view::npos ? text : text.substr(port + 2);
}

} // namespace

ChannelUploadPlan::ChannelUploadPlan(const vnChannelList& channels, vnScannerBands bands,
                                     const std::vector<std::int32_t>* indexes)
    : m_channels(channels), m_bands(std::move(bands)), m_isSelected(indexes != nullptr),
      m_selected(indexes ? *indexes : std::vector<std::int32_t>())
{
    m_outside = m_bands.FindOutside(channels, indexes);
    // A channel outside the bands is named as such already.
    m_offStep = FindOffStep(channels, indexes);
    std::erase_if(m_offStep, [this](const ChannelOffStep& channel) { return !m_bands.Contains(channel.mhz); });
}

std::string ChannelUploadPlan::OutsideText() const
{
    return m_bands.OutsideText(m_outside);
}

bool ChannelUploadPlan::LeaveOutOutside()
{
    if (!m_outside.empty()) {
        vnScannerBands::CopyInside(m_channels, m_outside, m_inside, m_selected);
        m_outside.clear();
        m_leftOut = true;
    }
    return !m_isSelected || !m_selected.empty();
}

std::string ChannelUploadPlan::NothingToSendText() const
{
    const vnChannelList& sending = GetSending();
    std::vector<std::int32_t> all;
    if (!m_isSelected)
        for (std::int32_t index = 0; index < sending.GetCount(); ++index)
            all.push_back(index);
    const std::vector<std::int32_t>& indexes = m_isSelected ? m_selected : all;
    for (const std::int32_t index : indexes)
        if (const vnChannel* channel = sending.GetAt(index); channel && channel->GetFrequency().GetMHz() != 0.0)
            return {};
    const vnChannel* first = indexes.empty() ? nullptr : sending.GetAt(indexes.front());
    return vnWords::Count(vnCounted::NothingToSend, static_cast<std::int64_t>(indexes.size()),
                          {first ? vnText::Decimal(first->GetNumber()) : std::string()});
}

vnUploadOutcome ChannelUploadPlan::Send(vnChannelUpload& upload) const
{
    const vnChannelList& sending = m_leftOut ? m_inside : m_channels;
    return m_isSelected ? upload.Selected(sending, m_selected) : upload.All(sending);
}

std::string ChannelUploadPlan::SentText(const vnUploadOutcome& outcome, const std::string& destination, double seconds,
                                        const std::string& scanner, const std::string& kind)
{
    const std::string sent = outcome.SentText(destination, seconds, scanner, kind);
    const std::string skipped = outcome.WithoutFrequencyText();
    return skipped.empty() ? sent : sent + " " + skipped;
}

std::string ChannelUploadPlan::FailureHint(const std::string& reason)
{
    if (const std::size_t at = reason.find(InUse()); at != std::string::npos) {
        const std::string before = reason.substr(0, at);
        const std::size_t space = before.rfind(' ');
        const std::string port = space == std::string::npos ? before : before.substr(space + 1);
        return vnWords::Say(IDS_TRANSFER_IN_USE_HINT, {port});
    }
    return vnUploadOutcome::AccessHint(reason);
}

std::vector<std::string> ChannelUploadPlan::ReasonParagraphs(const std::string& reason)
{
    std::vector<std::string> paragraphs;
    // The hint for a port in use says the reason before what helps.
    if (!reason.empty() && reason.find(InUse()) == std::string::npos)
        paragraphs.push_back(reason);
    if (const std::string hint = FailureHint(reason); !hint.empty())
        paragraphs.push_back(hint);
    return paragraphs;
}

std::vector<std::string> ChannelUploadPlan::FailureParagraphs(const vnUploadOutcome& outcome)
{
    std::vector<std::string> paragraphs = ReasonParagraphs(outcome.reason);
    if (outcome.result != E_INVALIDARG && outcome.count > 0)
        paragraphs.push_back(outcome.ProgressText());
    return paragraphs;
}
