#include "core/ChannelSearch.h"

#include <charconv>

RowSearchResult FindRow(int rowCount, int from, bool down, const std::function<bool(int row)>& matches)
{
    if (rowCount <= 0)
        return {};
    const int step = down ? 1 : -1;
    int row = from;
    if (from < 0 || from >= rowCount)
        row = down ? -1 : rowCount; // one step lands on the first (last) row
    bool wrapped = false;
    for (int visited = 0; visited < rowCount; ++visited) {
        row += step;
        if (row == rowCount || row < 0) {
            row = down ? 0 : rowCount - 1;
            wrapped = true;
        }
        if (matches(row))
            return {row, wrapped};
    }
    return {};
}

std::optional<std::int32_t> ParseChannelNumber(std::string_view text, std::int32_t first, std::int32_t last)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < first || number > last)
        return std::nullopt;
    return static_cast<std::int32_t>(number);
}
