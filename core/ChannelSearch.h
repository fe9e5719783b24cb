#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

// The walks behind Find and Go To, free of any window so that they can be
// checked on their own.

// Where a search ended: the row found (-1 when none matched) and whether the
// walk passed the end (or, searching up, the start) of the rows to get there.
struct RowSearchResult
{
    int row = -1;
    bool wrapped = false;
};

// Visits rows from the one after `from` (before it, searching up) to the
// end, then from the other end round to `from` itself, and returns the
// first row that `matches`. A `from` outside the rows starts at the first
// (last) row without counting as a wrap.
RowSearchResult FindRow(int rowCount, int from, bool down, const std::function<bool(int row)>& matches);

// The channel number a user typed: decimal digits with blanks around them,
// between first and last inclusive. Anything else has no value.
std::optional<std::int32_t> ParseChannelNumber(std::string_view text, std::int32_t first, std::int32_t last);
