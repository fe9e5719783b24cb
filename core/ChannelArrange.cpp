#include "core/ChannelArrange.h"

#include "channels/vnWords.h"
#include "modules/vnChannelLayout.h"
#include "res/ResourceIds.h"

#include <algorithm>

namespace ChannelArrange {

namespace {

std::int64_t BankOf(const vnChannel& channel, const vnChannelLayout& layout)
{
    if (layout.GetChannelsPerBank() <= 0)
        return 0;
    const std::int64_t offset = static_cast<std::int64_t>(channel.GetNumber()) - layout.GetFirstChannel();
    // Rounds towards minus infinity, so numbers below the first share no bank
    // with it.
    const std::int64_t per = layout.GetChannelsPerBank();
    return offset >= 0 ? offset / per : -((-offset + per - 1) / per);
}

bool HasFrequency(const vnChannel& channel)
{
    return channel.GetFrequency().GetMHz() != 0.0;
}

// The contents of from, numbered as to.
vnChannel Renumbered(vnChannel from, const vnChannel& to)
{
    from.SetNumber(to.GetNumber());
    return from;
}

vnChannel EmptyAs(const vnChannel& to)
{
    vnChannel empty;
    empty.SetNumber(to.GetNumber());
    return empty;
}

// Keeps the indexes inside the table, sorted, each once.
std::vector<std::int32_t> Clean(std::vector<std::int32_t> selected, std::size_t count)
{
    std::erase_if(selected,
                  [count](std::int32_t index) { return index < 0 || static_cast<std::size_t>(index) >= count; });
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    return selected;
}

Result Refused(std::string reason)
{
    Result result;
    result.refusal = std::move(reason);
    return result;
}

// The one bank that holds every selected index, or a reason.
std::optional<Bank> BankOfSelection(const std::vector<vnChannel>& channels, const vnChannelLayout& layout,
                                    const std::vector<std::int32_t>& selected, std::string& refusal)
{
    for (const Bank& bank : Banks(channels, layout)) {
        if (selected.front() < bank.first || selected.front() > bank.last)
            continue;
        if (selected.back() <= bank.last)
            return bank;
        refusal = vnWords::Say(IDS_ARRANGE_SPANS_BANKS);
        return std::nullopt;
    }
    return std::nullopt;
}

// Places contents into the numbered slots from index first on.
void Place(std::vector<vnChannel>& channels, std::int32_t first, const std::vector<vnChannel>& contents)
{
    for (std::size_t i = 0; i < contents.size(); ++i) {
        vnChannel& slot = channels[static_cast<std::size_t>(first) + i];
        slot = Renumbered(contents[i], slot);
    }
}

// Case is ignored for ASCII letters only, whatever the process locale.
char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsWholeNumber(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

const std::string& KeyText(const vnChannel& channel, SortKey key, std::string& storage)
{
    storage = key == SortKey::Description ? channel.GetDescription() : channel.GetCarNumber();
    return storage;
}

bool HasKey(const vnChannel& channel, SortKey key)
{
    switch (key) {
    case SortKey::Frequency:
        return HasFrequency(channel);
    case SortKey::Description:
        return !channel.GetDescription().empty();
    case SortKey::CarNumber:
        return !channel.GetCarNumber().empty();
    }
    return false;
}

int CompareKeys(const vnChannel& a, const vnChannel& b, SortKey key)
{
    if (key == SortKey::Frequency) {
        const double x = a.GetFrequency().GetMHz();
        const double y = b.GetFrequency().GetMHz();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    std::string left;
    std::string right;
    return CompareTexts(KeyText(a, key, left), KeyText(b, key, right));
}

// Sorts the contents of the slots at indexes among themselves.
void SortSlots(std::vector<vnChannel>& channels, const std::vector<std::int32_t>& indexes, const SortOrder& order)
{
    std::vector<vnChannel> contents;
    contents.reserve(indexes.size());
    for (const std::int32_t index : indexes)
        contents.push_back(channels[static_cast<std::size_t>(index)]);
    std::stable_sort(contents.begin(), contents.end(), [&order](const vnChannel& a, const vnChannel& b) {
        const bool hasA = HasKey(a, order.key);
        const bool hasB = HasKey(b, order.key);
        if (hasA != hasB)
            return hasA; // nothing in the key goes last, either way round
        if (!hasA)
            return false;
        const int compared = CompareKeys(a, b, order.key);
        return order.descending ? compared > 0 : compared < 0;
    });
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        vnChannel& slot = channels[static_cast<std::size_t>(indexes[i])];
        slot = Renumbered(contents[i], slot);
    }
}

} // namespace

std::vector<Bank> Banks(const std::vector<vnChannel>& channels, const vnChannelLayout& layout)
{
    std::vector<Bank> banks;
    for (std::size_t index = 0; index < channels.size(); ++index) {
        const auto i = static_cast<std::int32_t>(index);
        if (banks.empty() ||
            BankOf(channels[index], layout) != BankOf(channels[static_cast<std::size_t>(banks.back().first)], layout))
            banks.push_back({i, i});
        else
            banks.back().last = i;
    }
    return banks;
}

bool IsEmpty(const vnChannel& channel)
{
    return channel == EmptyAs(channel);
}

Result InsertEmpty(const std::vector<vnChannel>& channels, const vnChannelLayout& layout,
                   std::vector<std::int32_t> selected)
{
    selected = Clean(std::move(selected), channels.size());
    if (selected.empty())
        return Refused(vnWords::Say(IDS_ARRANGE_SELECT_INSERT));
    std::string refusal;
    const std::optional<Bank> bank = BankOfSelection(channels, layout, selected, refusal);
    if (!bank)
        return Refused(refusal);
    const std::int32_t first = selected.front();
    const auto count = static_cast<std::int32_t>(selected.size());
    // The channels pushed past the bank's end must have nothing to lose.
    for (std::int32_t index = std::max(first, bank->last - count + 1); index <= bank->last; ++index) {
        const vnChannel& pushed = channels[static_cast<std::size_t>(index)];
        const std::string number = std::to_string(pushed.GetNumber());
        if (HasFrequency(pushed))
            return Refused(vnWords::Say(IDS_ARRANGE_LAST_HAS_FREQUENCY, {number}));
        if (!IsEmpty(pushed))
            return Refused(vnWords::Say(IDS_ARRANGE_LAST_NOT_EMPTY, {number}));
    }
    Result result;
    result.channels = channels;
    std::vector<vnChannel> contents(static_cast<std::size_t>(count));
    contents.insert(contents.end(), channels.begin() + first, channels.begin() + bank->last + 1 - count);
    Place(result.channels, first, contents);
    for (std::int32_t index = first; index < first + count && index <= bank->last; ++index)
        result.selected.push_back(index);
    return result;
}

Result Remove(const std::vector<vnChannel>& channels, const vnChannelLayout& layout, std::vector<std::int32_t> selected)
{
    selected = Clean(std::move(selected), channels.size());
    if (selected.empty())
        return Refused(vnWords::Say(IDS_ARRANGE_SELECT_REMOVE));
    std::string refusal;
    const std::optional<Bank> bank = BankOfSelection(channels, layout, selected, refusal);
    if (!bank)
        return Refused(refusal);
    std::vector<vnChannel> contents;
    for (std::int32_t index = selected.front(); index <= bank->last; ++index)
        if (!std::binary_search(selected.begin(), selected.end(), index))
            contents.push_back(channels[static_cast<std::size_t>(index)]);
    contents.resize(static_cast<std::size_t>(bank->last - selected.front() + 1));
    Result result;
    result.channels = channels;
    Place(result.channels, selected.front(), contents);
    result.selected = {selected.front()};
    return result;
}

Result Move(const std::vector<vnChannel>& channels, std::vector<std::int32_t> selected, int step)
{
    selected = Clean(std::move(selected), channels.size());
    const auto count = static_cast<std::int32_t>(channels.size());
    if (selected.empty() || step == 0)
        return Refused(vnWords::Say(IDS_ARRANGE_SELECT_MOVE));
    if (step < 0 ? selected.front() == 0 : selected.back() == count - 1)
        return Refused(vnWords::Say(step < 0 ? IDS_ARRANGE_FIRST_UP : IDS_ARRANGE_LAST_DOWN));
    // Each selected channel changes place with its neighbour in the
    // direction of the move; taking them from that end first moves a block
    // whole and the neighbour to its other end.
    Result result;
    result.channels = channels;
    const auto swap = [&result](std::int32_t a, std::int32_t b) {
        vnChannel& first = result.channels[static_cast<std::size_t>(a)];
        vnChannel& second = result.channels[static_cast<std::size_t>(b)];
        const vnChannel moved = Renumbered(second, first);
        second = Renumbered(first, second);
        first = moved;
    };
    if (step < 0) {
        for (const std::int32_t index : selected)
            swap(index - 1, index);
    } else {
        for (auto index = selected.rbegin(); index != selected.rend(); ++index)
            swap(*index, *index + 1);
    }
    for (const std::int32_t index : selected)
        result.selected.push_back(index + (step < 0 ? -1 : 1));
    return result;
}

Result MoveTo(const std::vector<vnChannel>& channels, std::vector<std::int32_t> selected, std::int32_t before)
{
    selected = Clean(std::move(selected), channels.size());
    if (selected.empty())
        return Refused(vnWords::Say(IDS_ARRANGE_SELECT_MOVE));
    before = std::clamp<std::int32_t>(before, 0, static_cast<std::int32_t>(channels.size()));
    std::vector<vnChannel> block;
    std::vector<vnChannel> rest;
    std::int32_t place = before;
    for (std::size_t index = 0; index < channels.size(); ++index) {
        if (std::binary_search(selected.begin(), selected.end(), static_cast<std::int32_t>(index))) {
            block.push_back(channels[index]);
            if (static_cast<std::int32_t>(index) < before)
                --place;
        } else {
            rest.push_back(channels[index]);
        }
    }
    rest.insert(rest.begin() + place, block.begin(), block.end());
    Result result;
    result.channels = channels;
    Place(result.channels, 0, rest);
    for (std::size_t i = 0; i < block.size(); ++i)
        result.selected.push_back(place + static_cast<std::int32_t>(i));
    return result;
}

Result Sort(const std::vector<vnChannel>& channels, const vnChannelLayout& layout,
            const std::vector<std::int32_t>& selected, const SortOrder& order)
{
    Result result;
    result.channels = channels;
    std::vector<std::int32_t> indexes;
    switch (order.scope) {
    case SortScope::Selection:
        result.selected = Clean(selected, channels.size());
        if (result.selected.size() < 2)
            return Refused(vnWords::Say(IDS_ARRANGE_SELECT_SORT));
        SortSlots(result.channels, result.selected, order);
        return result;
    case SortScope::EachBank:
        for (const Bank& bank : Banks(channels, layout)) {
            indexes.clear();
            for (std::int32_t index = bank.first; index <= bank.last; ++index)
                indexes.push_back(index);
            SortSlots(result.channels, indexes, order);
        }
        return result;
    case SortScope::WholeList:
        for (std::int32_t index = 0; index < static_cast<std::int32_t>(channels.size()); ++index)
            indexes.push_back(index);
        SortSlots(result.channels, indexes, order);
        return result;
    }
    return result;
}

int CompareTexts(const std::string& a, const std::string& b)
{
    if (IsWholeNumber(a) && IsWholeNumber(b)) {
        const std::string_view x = std::string_view(a).substr(std::min(a.find_first_not_of('0'), a.size()));
        const std::string_view y = std::string_view(b).substr(std::min(b.find_first_not_of('0'), b.size()));
        if (x.size() != y.size())
            return x.size() < y.size() ? -1 : 1;
        if (const int compared = x.compare(y); compared != 0)
            return compared < 0 ? -1 : 1;
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char x = AsciiLower(a[i]);
        const char y = AsciiLower(b[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace ChannelArrange
