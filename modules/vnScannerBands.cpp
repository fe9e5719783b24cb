#include "modules/vnScannerBands.h"

#include "channels/vnChannelList.h"
#include "channels/vnText.h"

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

std::vector<vnOutOfBandChannel> vnScannerBands::FindOutside(const vnChannelList& channels,
                                                            const std::vector<std::int32_t>* indexes) const
{
    std::vector<vnOutOfBandChannel> outside;
    const auto look = [&](std::int32_t index) {
        if (const vnChannel* channel = channels.GetAt(index)) {
            const double mhz = channel->GetFrequency().GetMHz();
            if (!Contains(mhz))
                outside.push_back({index, channel->GetNumber(), mhz});
        }
    };
    if (indexes) {
        for (const std::int32_t index : *indexes)
            look(index);
    } else {
        for (std::int32_t index = 0; index < channels.GetCount(); ++index)
            look(index);
    }
    return outside;
}

std::string vnScannerBands::Owner() const
{
    return m_model.empty() ? std::string("the scanner's") : "the " + m_model + "'s";
}

std::string vnScannerBands::OutsideText(const std::vector<vnOutOfBandChannel>& outside) const
{
    if (outside.empty())
        return {};
    std::string text = outside.size() == 1 ? std::string("1 channel is outside ")
                                           : std::to_string(outside.size()) + " channels are outside ";
    text += Owner() + " bands (" + GetRangesText() + "): ";
    for (std::size_t i = 0; i < outside.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += std::to_string(outside[i].number) + " (" + vnFrequency::MHzText(outside[i].mhz) + ")";
    }
    return text + ".";
}

std::string vnScannerBands::OutsideText(std::int32_t number, double mhz) const
{
    return "Channel " + std::to_string(number) + ": " + vnFrequency::MHzText(mhz) + " MHz is outside " + Owner() +
        " bands (" + GetRangesText() + ").";
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
