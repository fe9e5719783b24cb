#include "core/ChannelCellText.h"

#include "channels/vnChannel.h"
#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "res/ResourceIds.h"

#include <cmath>

namespace {

bool IsTrue(std::string_view text)
{
    return vnText::ReadTruthWord(text).value_or(false);
}

} // namespace

std::string GetChannelCellText(const vnChannel& channel, ChannelField field)
{
    switch (field) {
    case ChannelField::Number:
        return vnText::Decimal(channel.GetNumber());
    case ChannelField::Frequency: {
        const double mhz = channel.GetFrequency().GetMHz();
        return mhz == 0.0 ? std::string() : vnFrequency::MHzText(mhz);
    }
    case ChannelField::Description:
        return channel.GetDescription();
    case ChannelField::CarNumber:
        return channel.GetCarNumber();
    case ChannelField::Delay:
        return channel.GetDelay() ? "True" : "False";
    case ChannelField::Lockout:
        return channel.GetLockout() ? "True" : "False";
    case ChannelField::Priority:
        return channel.GetPriority() ? "True" : "False";
    }
    return {};
}

void SetChannelCellText(vnChannel& channel, ChannelField field, std::string_view text)
{
    switch (field) {
    case ChannelField::Number:
        break;
    case ChannelField::Frequency: {
        vnFrequency frequency(0.0, vnFrequency::UnitHertz);
        // Beyond the largest frequency the hertz could be infinite.
        const double mhz = vnFrequency::ReadMHz(text);
        frequency.SetMHz(std::fabs(mhz) <= vnFrequency::MaxMHz ? mhz : 0.0);
        channel.SetFrequency(frequency);
        break;
    }
    case ChannelField::Description:
        channel.SetDescription(std::string(text));
        break;
    case ChannelField::CarNumber:
        channel.SetCarNumber(std::string(text));
        break;
    case ChannelField::Delay:
        channel.SetDelay(IsTrue(text));
        break;
    case ChannelField::Lockout:
        channel.SetLockout(IsTrue(text));
        break;
    case ChannelField::Priority:
        channel.SetPriority(IsTrue(text));
        break;
    }
}

bool SetTypedChannelCellText(vnChannel& channel, ChannelField field, std::string_view text)
{
    if (field == ChannelField::Frequency) {
        std::optional<double> mhz = 0.0;
        if (!vnText::TrimBlanks(text).empty() && !(mhz = vnFrequency::ReadTypedMHz(text)))
            return false;
        vnFrequency frequency(0.0, vnFrequency::UnitHertz);
        frequency.SetMHz(*mhz);
        channel.SetFrequency(frequency);
        return true;
    }
    // An empty flag cell is False, as a new channel's is.
    if (GetFieldInfo(field).flag && !text.empty() && !vnText::ReadTruthWord(text))
        return false;
    SetChannelCellText(channel, field, text);
    return true;
}

std::string RejectedCellTextMessage(const vnChannel& channel, ChannelField field, std::string_view text)
{
    const std::string quoted = "\"" + std::string(text) + "\"";
    const std::string number = GetChannelCellText(channel, ChannelField::Number);
    if (field == ChannelField::Frequency) {
        const std::string kept = GetChannelCellText(channel, ChannelField::Frequency);
        return vnWords::Say(IDS_CELL_NOT_FREQUENCY,
                            {quoted, number, kept.empty() ? vnWords::Say(IDS_CELL_NO_FREQUENCY) : kept});
    }
    const std::string flag = GetFieldInfo(field).flag ? GetFieldInfo(field).header : vnWords::Say(IDS_CELL_THIS_COLUMN);
    return vnWords::Say(IDS_CELL_NOT_TRUTH_WORD, {quoted, flag, number, GetChannelCellText(channel, field)});
}
