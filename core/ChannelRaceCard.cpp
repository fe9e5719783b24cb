#include "core/ChannelRaceCard.h"

#include "channels/vnText.h"
#include "core/ChannelCars.h"
#include "core/ChannelCellText.h"

#include <algorithm>

namespace ChannelRaceCard {

namespace {

bool HasFrequency(const vnChannel& channel)
{
    return channel.GetFrequency().GetMHz() != 0.0;
}

std::string FrequencyText(const vnChannel& channel)
{
    return GetChannelCellText(channel, ChannelField::Frequency);
}

} // namespace

Card Make(const std::vector<vnChannel>& channels, bool withLockedOut)
{
    Card card;
    for (const ChannelCars::Car& car : ChannelCars::List(channels)) {
        std::vector<const vnChannel*> tuned;
        for (const std::int32_t index : car.channels)
            if (HasFrequency(channels[static_cast<std::size_t>(index)]))
                tuned.push_back(&channels[static_cast<std::size_t>(index)]);
        if (tuned.empty())
            continue;
        if (!withLockedOut &&
            std::all_of(tuned.begin(), tuned.end(), [](const vnChannel* c) { return c->GetLockout(); })) {
            ++card.carsLeftOut;
            continue;
        }
        // The primary first, the others in table order.
        std::stable_partition(tuned.begin(), tuned.end(),
                              [](const vnChannel* c) { return ChannelCars::IsPrimary(c->GetDescription()); });
        Line line{car.number, car.driver, {}};
        for (const vnChannel* channel : tuned)
            line.frequencies.push_back(FrequencyText(*channel));
        card.cars.push_back(std::move(line));
    }
    for (const vnChannel& channel : channels)
        if (HasFrequency(channel) && vnText::TrimBlanks(channel.GetCarNumber()).empty())
            card.others.push_back({{}, channel.GetDescription(), {FrequencyText(channel)}});
    return card;
}

std::string Title(const std::string& fileName, const std::string& date)
{
    return fileName + ", " + date;
}

} // namespace ChannelRaceCard
