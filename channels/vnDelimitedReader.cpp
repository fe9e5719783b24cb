#include "channels/vnDelimitedReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace {

constexpr std::size_t kMaxCount = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());

bool HoldsNul(std::string_view text)
{
    return !text.empty() && std::memchr(text.data(), '\0', text.size()) != nullptr;
}

} // namespace

bool vnDelimitedReader::Feed(std::string_view text, bool atEnd)
{
    if (m_error != 0)
        return false;
    try {
        for (;;) {
            const std::size_t lineFeed = text.find('\n');
            if (lineFeed == std::string_view::npos)
                break;
            bool taken;
            if (m_pending.empty()) {
                taken = TakeLine(text.substr(0, lineFeed), true);
            } else {
                m_pending.append(text.substr(0, lineFeed));
                taken = TakeLine(m_pending, true);
                m_pending.clear();
            }
            if (!taken)
                return false;
            text.remove_prefix(lineFeed + 1);
        }

        // The rest begins the next line; at the end it is the last row,
        // unless it holds nothing but NUL bytes.
        m_pending.append(text);
        if (!atEnd)
            return true;
        const std::string last = std::exchange(m_pending, {});
        return last.find_first_not_of('\0') == std::string::npos || TakeLine(last, false);
    } catch (const std::bad_alloc&) {
        m_error = ENOMEM;
    } catch (const std::length_error&) {
        m_error = ENOMEM;
    }
    return false;
}

bool vnDelimitedReader::TakeLine(std::string_view line, bool endedByLineFeed)
{
    if (HoldsNul(line)) {
        m_scratch.clear();
        for (char c : line)
            if (c != '\0')
                m_scratch += c;
        line = m_scratch;
    }
    if (endedByLineFeed && !line.empty() && line.back() == '\r')
        line.remove_suffix(1);

    const std::size_t rowStart = m_cells.size();
    std::size_t width = 0;
    try {
        width = m_parser.ParseLine(line, m_cells);
    } catch (...) {
        m_cells.resize(rowStart);
        throw;
    }

    const std::size_t maxWidth = std::max(m_maxWidth, width);
    const std::uint64_t rows = m_widths.size() + 1;
    const std::uint64_t fields = m_cells.size();
    if (width > kMaxCount || rows > kMaxCount || rows * maxWidth - fields > std::max(fields, m_paddingAllowance)) {
        m_cells.resize(rowStart);
        m_error = EFBIG;
        return false;
    }
    try {
        m_widths.push_back(static_cast<std::int32_t>(width));
    } catch (...) {
        m_cells.resize(rowStart);
        throw;
    }
    m_maxWidth = maxWidth;
    return true;
}

bool vnDelimitedReader::MoveTo(vnCellTable& table)
{
    std::vector<vnCell> cells = std::move(m_cells);
    std::vector<std::int32_t> widths = std::move(m_widths);
    const std::size_t columns = m_maxWidth;
    m_cells.clear();
    m_widths.clear();
    m_maxWidth = 0;

    const auto rows = static_cast<std::int32_t>(widths.size());
    const bool even = std::all_of(widths.begin(), widths.end(),
                                  [columns](std::int32_t width) { return static_cast<std::size_t>(width) == columns; });
    if (even)
        return table.Assign(rows, static_cast<std::int32_t>(columns), std::move(cells));

    std::vector<vnCell> padded;
    try {
        padded.reserve(widths.size() * columns);
    } catch (const std::exception&) {
        table.Clear();
        m_error = ENOMEM;
        return false;
    }
    auto cell = cells.begin();
    for (const std::int32_t width : widths) {
        padded.insert(padded.end(), std::make_move_iterator(cell), std::make_move_iterator(cell + width));
        cell += width;
        padded.resize(padded.size() + columns - static_cast<std::size_t>(width));
    }
    return table.Assign(rows, static_cast<std::int32_t>(columns), std::move(padded));
}
