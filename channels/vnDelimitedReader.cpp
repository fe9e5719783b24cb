#include "channels/vnDelimitedReader.h"

#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace {

constexpr std::size_t kMaxCount = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
constexpr std::size_t npos = std::string_view::npos;

bool HoldsNul(std::string_view text)
{
    return !text.empty() && std::memchr(text.data(), '\0', text.size()) != nullptr;
}

} // namespace

bool vnDelimitedReader::Stop(int error, std::string reason)
{
    m_cells.resize(m_rowStart);
    m_error = error;
    m_reason = reason.empty() ? std::generic_category().message(error) : std::move(reason);
    return false;
}

bool vnDelimitedReader::Fits(std::size_t bytes) const
{
    return bytes <= m_maxLineBytes && m_rowBytes <= m_maxLineBytes - bytes;
}

bool vnDelimitedReader::Feed(std::string_view text, bool atEnd)
{
    if (m_error != 0)
        return false;
    // A row's first line, for the reason when it grows too long.
    const auto tooLong = [this] {
        return Stop(
            EFBIG,
            vnWords::Say(IDS_LINE_TOO_LONG,
                         {vnText::Decimal(m_fieldLine != 0 ? m_rowLine : m_line), vnText::ByteSize(m_maxLineBytes)}));
    };
    try {
        for (;;) {
            const std::size_t lineFeed = text.find(m_lineEnd);
            if (lineFeed == npos)
                break;
            bool taken;
            if (m_pending.empty()) {
                taken = TakeLine(text.substr(0, lineFeed), true);
            } else {
                if (!Fits(m_pending.size() + lineFeed))
                    return tooLong();
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
        if (!Fits(m_pending.size() + text.size()))
            return tooLong();
        m_pending.append(text);
        if (!atEnd)
            return true;
        const std::string last = std::exchange(m_pending, {});
        if (last.find_first_not_of('\0') != npos)
            return TakeLine(last, false);
        if (m_fieldLine != 0)
            return Stop(EILSEQ, vnWords::Say(IDS_QUOTE_NEVER_CLOSED, {vnText::Decimal(m_fieldLine)}));
        return true;
    } catch (const std::bad_alloc&) {
        return Stop(ENOMEM, {});
    } catch (const std::length_error&) {
        return Stop(ENOMEM, {});
    }
}

bool vnDelimitedReader::TakeLine(std::string_view line, bool endedByLineFeed)
{
    const std::int64_t number = m_line;
    if (endedByLineFeed)
        ++m_line;
    const std::size_t size = line.size();
    if (!Fits(size))
        return Stop(
            EFBIG,
            vnWords::Say(IDS_LINE_TOO_LONG,
                         {vnText::Decimal(m_fieldLine != 0 ? m_rowLine : number), vnText::ByteSize(m_maxLineBytes)}));
    if (HoldsNul(line)) {
        m_scratch.clear();
        for (char c : line)
            if (c != '\0')
                m_scratch += c;
        line = m_scratch;
    }
    if (endedByLineFeed && m_lineEnd == '\n' && !line.empty() && line.back() == '\r')
        line.remove_suffix(1);

    if (m_fieldLine == 0) {
        m_rowStart = m_cells.size();
        m_rowLine = number;
    } else {
        // The line goes on with a quoted field of an earlier line.
        const std::size_t close = m_parser.FindCloseQuote(line);
        if (close == npos) {
            if (!endedByLineFeed)
                return Stop(EILSEQ, vnWords::Say(IDS_QUOTE_NEVER_CLOSED, {vnText::Decimal(m_fieldLine)}));
            m_parser.AppendUnquoted(line, m_field);
            m_field += ' ';
            m_rowBytes += size + 1;
            return true;
        }
        m_parser.AppendUnquoted(line.substr(0, close), m_field);
        // A separator or the line end after the close quote; anything else
        // means the quotes are not what they seemed, and a guess could join
        // lines that belong apart.
        if (close + 1 < line.size() && line[close + 1] != m_parser.GetSeparator())
            return Stop(EILSEQ,
                        vnWords::Say(IDS_TEXT_AFTER_QUOTE, {vnText::Decimal(number), vnText::Decimal(m_fieldLine)}));
        m_cells.emplace_back().SetString(m_field);
        m_field.clear();
        m_fieldLine = 0;
        if (close + 1 == line.size())
            return EndRow();
        line.remove_prefix(close + 2);
    }

    // The fields of the line, or of the rest after a field that ends on it.
    std::size_t open = npos;
    m_parser.ParseLine(line, m_cells, &open);
    if (open == npos)
        return EndRow();
    if (!endedByLineFeed)
        return Stop(EILSEQ, vnWords::Say(IDS_QUOTE_NEVER_CLOSED, {vnText::Decimal(number)}));
    m_fieldLine = number;
    m_rowBytes += size + 1;
    m_parser.AppendUnquoted(line.substr(open + 1), m_field);
    m_field += ' ';
    return true;
}

bool vnDelimitedReader::EndRow()
{
    if (m_keepRows >= 0) {
        const bool blank = std::all_of(m_cells.begin() + static_cast<std::ptrdiff_t>(m_rowStart), m_cells.end(),
                                       [](const vnCell& cell) { return cell.GetType() == vnCellType::Empty; });
        if (blank || static_cast<std::int64_t>(m_widths.size()) >= m_keepRows) {
            if (!blank && m_rowsPast++ == 0)
                m_firstLinePast = m_rowLine;
            m_cells.resize(m_rowStart);
            m_rowBytes = 0;
            return true;
        }
    }
    const std::size_t width = m_cells.size() - m_rowStart;
    const std::size_t maxWidth = std::max(m_maxWidth, width);
    const std::uint64_t rows = m_widths.size() + 1;
    const std::uint64_t fields = m_cells.size();
    if (width > kMaxCount || rows > kMaxCount)
        return Stop(EFBIG, {});
    if (rows * maxWidth - fields > std::max(fields, m_paddingAllowance)) {
        // Every row is padded to the widest one: name both.
        const bool wider = width > m_maxWidth;
        return Stop(EFBIG,
                    vnWords::Say(IDS_LINE_FAR_TOO_WIDE,
                                 {vnText::Decimal(wider ? m_rowLine : m_widestLine), vnText::Decimal(maxWidth),
                                  vnText::Decimal(wider ? m_maxWidth : width),
                                  vnText::Decimal(wider ? m_widestLine : m_rowLine)}));
    }
    if (width > m_maxWidth)
        m_widestLine = m_rowLine;
    if (m_keepRows >= 0)
        m_rowLines.push_back(m_rowLine);
    m_widths.push_back(static_cast<std::int32_t>(width));
    m_maxWidth = maxWidth;
    m_rowStart = m_cells.size();
    m_rowBytes = 0;
    return true;
}

bool vnDelimitedReader::MoveTo(vnCellTable& table, std::vector<std::int64_t>* lines)
{
    if (lines)
        *lines = std::move(m_rowLines);
    m_rowLines.clear();
    // The fields of a row still open stay for the lines to come.
    std::vector<vnCell> open(std::make_move_iterator(m_cells.begin() + static_cast<std::ptrdiff_t>(m_rowStart)),
                             std::make_move_iterator(m_cells.end()));
    m_cells.resize(m_rowStart);
    std::vector<vnCell> cells = std::exchange(m_cells, std::move(open));
    std::vector<std::int32_t> widths = std::move(m_widths);
    const std::size_t columns = m_maxWidth;
    m_widths.clear();
    m_maxWidth = 0;
    m_rowStart = 0;

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
        m_reason = std::generic_category().message(ENOMEM);
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
