#include "channels/vnWords.h"

#include "channels/vnText.h"

namespace {

struct CountedForms
{
    vnCounted phrase;
    const char* one;
    const char* many;
};

constexpr CountedForms kCounted[] = {
    {vnCounted::Channels, "1 channel", "%1 channels"},
    {vnCounted::ChannelsUpper, "1 Channel", "%1 Channels"},
    {vnCounted::ChannelLines, "1 channel line", "%1 channel lines"},
    {vnCounted::Lines, "1 line", "%1 lines"},
    {vnCounted::LinesWere, "1 line was", "%1 lines were"},
    {vnCounted::TheLines, "the line", "%1 lines"},
    {vnCounted::OtherNames, "1 other", "%1 other"},
    {vnCounted::Columns, "%2 column", "%2 columns"},
    {vnCounted::TitleLines, "its title line", "%1 title lines"},
    {vnCounted::FrequenciesGiven, "a frequency", "%1 frequencies"},
    {vnCounted::TitleLinesSkipped, "1 title line above the channels was skipped.",
     "%1 title lines above the channels were skipped."},
    {vnCounted::FrequenciesConverted, "1 frequency was converted to MHz.", "%1 frequencies were converted to MHz."},
    {vnCounted::LinesSkipped, "1 line was skipped: ", "%1 lines were skipped: "},
    {vnCounted::ChannelsOutside, "1 channel is outside ", "%1 channels are outside "},
    {vnCounted::LeftOut, "It is left out.", "They are left out."},
    {vnCounted::WithoutFrequency, "Channel %2 has no frequency and was not sent.",
     "Channels %2 have no frequency and were not sent."},
    {vnCounted::Sent, "Sent 1 channel", "Sent %1 channels"},
    {vnCounted::SentBeforeFailure, "%2 of 1 channel was sent before the scanner stopped taking data.",
     "%2 of %1 channels were sent before the scanner stopped taking data."},
    {vnCounted::NoneSent, "The channel was not sent.", "None of the %1 channels was sent."},
    {vnCounted::Bytes, "1 byte", "%1 bytes"},
    {vnCounted::StopBits, "1 stop bit", "%1 stop bits"},
    {vnCounted::PasteNotSendable, "%2", "%1 pasted channels need a look before an upload; the first: %2"},
    {vnCounted::PasteCellsRefused, "1 pasted cell was not a value of its column and kept what it had.",
     "%1 pasted cells were not values of their columns and kept what they had."},
    {vnCounted::PasteRowsLeftOut, "1 row beyond the last channel was not pasted.",
     "%1 rows beyond the last channel were not pasted."},
    {vnCounted::PasteCellsLeftOut, "1 cell beyond the last column was not pasted.",
     "%1 cells beyond the last column were not pasted."},
};

} // namespace

namespace vnWords {

std::string Count(vnCounted phrase, std::int64_t count, const std::vector<std::string>& arguments)
{
    std::vector<std::string> all{vnText::Decimal(count)};
    all.insert(all.end(), arguments.begin(), arguments.end());
    for (const CountedForms& forms : kCounted)
        if (forms.phrase == phrase)
            return Format(count == 1 ? forms.one : forms.many, all);
    return {};
}

std::string List(const std::vector<std::string>& items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

std::string Format(std::string_view pattern, const std::vector<std::string>& arguments)
{
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < arguments.size()) {
            text += arguments[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace vnWords
