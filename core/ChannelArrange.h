#pragma once

#include "channels/vnChannel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class vnChannelLayout;

// Rearranging a table's channels while their memory numbers stay in place:
// a channel's contents move from one number to another. Each operation takes
// the contents in table order and gives the new contents, or a reason why
// nothing changes. Indexes are table indexes; "selected" lists them in any
// order, each once.
namespace ChannelArrange {

// Which table indexes form each bank of the layout, as [first, last] pairs
// in order; the whole table as one bank when the layout has no banks.
struct Bank
{
    std::int32_t first = 0;
    std::int32_t last = 0;
};
std::vector<Bank> Banks(const std::vector<vnChannel>& channels, const vnChannelLayout& layout);

// A channel with only its number: nothing to lose when it is moved out.
bool IsEmpty(const vnChannel& channel);

struct Result
{
    // Why nothing changed; empty when the operation was done (it may still
    // have changed nothing, as a sort of sorted channels).
    std::string refusal;
    std::vector<vnChannel> channels; // the new contents, same numbers
    std::vector<std::int32_t> selected;
};

// As many empty channels as are selected, above the first selected one; the
// bank's channels below move down. Refused when the selection spans banks or
// a channel that is not empty would be pushed past the bank's end.
Result InsertEmpty(const std::vector<vnChannel>& channels, const vnChannelLayout& layout,
                   std::vector<std::int32_t> selected);
// Removes the selected channels; the bank's channels below move up and empty
// channels fill its end. Refused when the selection spans banks.
Result Remove(const std::vector<vnChannel>& channels, const vnChannelLayout& layout,
              std::vector<std::int32_t> selected);
// Moves the selected channels one place up (step -1) or down (+1), across
// bank borders; refused at the first or last channel.
Result Move(const std::vector<vnChannel>& channels, std::vector<std::int32_t> selected, int step);
// Moves the selected channels, in their order, to stand before the channel
// at index before (the table's count: to the end).
Result MoveTo(const std::vector<vnChannel>& channels, std::vector<std::int32_t> selected, std::int32_t before);

enum class SortKey { Frequency, Description, CarNumber };
enum class SortScope { Selection, EachBank, WholeList };
struct SortOrder
{
    SortKey key = SortKey::Frequency;
    bool descending = false;
    SortScope scope = SortScope::WholeList;
};
// Sorts within the scope. Channels with nothing in the key go last; equal
// keys keep their order. Texts that are whole numbers compare by value
// (equal values shorter text first), other texts ignoring case.
Result Sort(const std::vector<vnChannel>& channels, const vnChannelLayout& layout,
            const std::vector<std::int32_t>& selected, const SortOrder& order);

// The text order of the sort: negative, zero or positive.
int CompareTexts(const std::string& a, const std::string& b);

} // namespace ChannelArrange
