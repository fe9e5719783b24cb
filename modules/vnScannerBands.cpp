#include "modules/vnScannerBands.h"

#include "channels/vnChannelList.h"
#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "res/ResourceIds.h"

#include <cmath>
#include <utility>

namespace {

// Whole megahertz with thousands grouped ("1,300"), or the value with the
// decimals it needs ("137.5").
std::string RangeEnd(double mhz)
{
    if (mhz != std::floor(mhz) || mhz >= 1e15)
        return vnText::ShortestText(mhz);
    std::string digits = vnText::Decimal(static_cast<std::int64_t>(mhz));
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

} // namespace

vnScannerBands::vnScannerBands(std::string model, std::vector<vnFrequencyRange> ranges)
    : m_model(std::move(model)), m_ranges(std::move(ranges))
{}

bool vnScannerBands::Contains(double mhz) const
{
    if (mhz == 0.0 || m_ranges.empty())
        return true;
    for (const vnFrequencyRange& range : m_ranges)
        if (mhz >= range.lowMHz && mhz <= range.highMHz)
            return true;
    return false;
}

std::string vnScannerBands::GetRangesText() const
{
    std::string text;
    for (const vnFrequencyRange& range : m_ranges) {
        if (!text.empty())
            text += ", ";
        text += RangeEnd(range.lowMHz) + "\u2013" + RangeEnd(range.highMHz);
    }
    return text.empty() ? text : text + " MHz";
}

std::vector<vnChannelFrequency> vnFindChannels(const vnChannelList& channels, const std::vector<std::int32_t>* indexes,
                                               const std::function<bool(double mhz)>& picked)
{
    std::vector<vnChannelFrequency> found;
    const auto look = [&](std::int32_t index) {
        if (const vnChannel* channel = channels.GetAt(index)) {
            const double mhz = channel->GetFrequency().GetMHz();
            if (picked(mhz))
                found.push_back({index, channel->GetNumber(), mhz});
        }
    };
    if (indexes) {
        for (const std::int32_t index : *indexes)
            look(index);
    } else {
        for (std::int32_t index = 0; index < channels.GetCount(); ++index)
            look(index);
    }
    return found;
}

std::vector<vnOutOfBandChannel> vnScannerBands::FindOutside(const vnChannelList& channels,
                                                            const std::vector<std::int32_t>* indexes) const
{
    return vnFindChannels(channels, indexes, [this](double mhz) { return !Contains(mhz); });
}

std::string vnScannerBands::Owner() const
{
    return m_model.empty() ? vnWords::Say(IDS_BANDS_OWNER_UNNAMED) : vnWords::Say(IDS_BANDS_OWNER, {m_model});
}

std::string vnScannerBands::OutsideText(const std::vector<vnOutOfBandChannel>& outside) const
{
    if (outside.empty())
        return {};
    std::vector<std::string> channels;
    for (const vnOutOfBandChannel& channel : outside)
        channels.push_back(vnText::Decimal(channel.number) + " (" + vnFrequency::MHzText(channel.mhz) + ")");
    std::string list;
    for (std::size_t i = 0; i < channels.size(); ++i)
        list += (i > 0 ? ", " : "") + channels[i];
    return vnWords::Count(vnCounted::ChannelsOutside, static_cast<std::int64_t>(outside.size())) +
        vnWords::Say(IDS_CHANNELS_OUTSIDE_BANDS, {Owner(), GetRangesText(), list});
}

std::string vnScannerBands::OutsideText(std::int32_t number, double mhz) const
{
    return vnWords::Say(IDS_CHANNEL_OUTSIDE_BANDS,
                        {std::to_string(number), vnFrequency::MHzText(mhz), Owner(), GetRangesText()});
}

void vnScannerBands::CopyInside(const vnChannelList& from, const std::vector<vnOutOfBandChannel>& outside,
                                vnChannelList& to, std::vector<std::int32_t>& selected)
{
    to.RemoveAll();
    for (std::int32_t index = 0; index < from.GetCount(); ++index) {
        vnChannel* copy = nullptr;
        to.AddNew(&copy);
        *copy = *from.GetAt(index);
    }
    for (const vnOutOfBandChannel& channel : outside) {
        if (vnChannel* copy = to.GetAt(channel.index))
            copy->SetFrequency(vnFrequency());
        std::erase(selected, channel.index);
    }
}

std::string vnScannerBands::Warning(const vnChannel& channel) const
{
    const double mhz = channel.GetFrequency().GetMHz();
    return Contains(mhz) ? std::string() : OutsideText(channel.GetNumber(), mhz);
}
