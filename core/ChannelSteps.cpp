#include "core/ChannelSteps.h"

#include "channels/vnChannelList.h"
#include "channels/vnFrequency.h"
#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "res/ResourceIds.h"

#include <algorithm>

std::vector<ChannelOffStep> FindOffStep(const vnChannelList& channels, const std::vector<std::int32_t>* indexes)
{
    return vnFindChannels(channels, indexes, [](double mhz) { return !vnFrequency::IsOnChannelStep(mhz); });
}

std::string OffStepText(const std::vector<ChannelOffStep>& offStep)
{
    if (offStep.empty())
        return {};
    std::vector<std::string> channels;
    for (const ChannelOffStep& channel : offStep)
        channels.push_back(vnText::Decimal(channel.number) + " (" + vnFrequency::MHzText(channel.mhz) + ")");
    return vnWords::Count(vnCounted::ChannelsOffStep, static_cast<std::int64_t>(offStep.size()),
                          {vnWords::List(channels)});
}

std::string OffStepWarning(const vnChannel& channel)
{
    const double mhz = channel.GetFrequency().GetMHz();
    if (vnFrequency::IsOnChannelStep(mhz))
        return {};
    return vnWords::Say(IDS_OFF_STEP_WARNING, {vnText::Decimal(channel.GetNumber()), vnFrequency::MHzText(mhz)});
}

std::string OffStepCountText(const std::vector<std::int32_t>& numbers)
{
    if (numbers.empty())
        return {};
    constexpr std::size_t shownNumbers = 5;
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < std::min(numbers.size(), shownNumbers); ++i)
        shown.push_back(vnText::Decimal(numbers[i]));
    if (numbers.size() > shownNumbers)
        shown.push_back(vnWords::Say(IDS_MORE_NUMBERS,
                                     {vnText::Decimal(static_cast<std::int64_t>(numbers.size() - shownNumbers))}));
    return vnWords::Count(vnCounted::FrequenciesOffStep, static_cast<std::int64_t>(numbers.size()),
                          {vnWords::List(shown)});
}
