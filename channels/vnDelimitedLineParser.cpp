#include "channels/vnDelimitedLineParser.h"

#include <cstring>
#include <string>

namespace {

constexpr std::size_t npos = std::string_view::npos;

std::size_t FindChar(std::string_view text, char c, std::size_t from, std::size_t to)
{
    if (from >= to)
        return npos;
    const void* hit = std::memchr(text.data() + from, c, to - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : npos;
}

// Finds the quote that closes a quoted field: the first close quote from a
// position on that is not doubled. A search that fails costs the rest of the
// line; after one has failed, later searches of the same line are answered
// from a table built once, so a malformed line still parses in linear time.
class CloseQuoteFinder
{
public:
    CloseQuoteFinder(std::string_view line, char quote) : m_line(line), m_quote(quote) {}

    std::size_t Find(std::size_t from)
    {
        if (!m_next.empty())
            return from < m_line.size() ? m_next[from] : npos;
        const std::size_t found = Scan(from);
        if (found == npos)
            Build();
        return found;
    }

private:
    std::size_t Scan(std::size_t i) const
    {
        const std::size_t n = m_line.size();
        for (; i < n; ++i) {
            if (m_line[i] != m_quote)
                continue;
            if (i + 1 < n && m_line[i + 1] == m_quote)
                ++i;
            else
                return i;
        }
        return npos;
    }

    void Build()
    {
        const std::size_t n = m_line.size();
        m_next.assign(n + 2, npos);
        for (std::size_t i = n; i-- > 0;) {
            if (m_line[i] != m_quote)
                m_next[i] = m_next[i + 1];
            else if (i + 1 < n && m_line[i + 1] == m_quote)
                m_next[i] = m_next[i + 2];
            else
                m_next[i] = i;
        }
    }

    std::string_view m_line;
    char m_quote;
    std::vector<std::size_t> m_next;
};

} // namespace

void vnDelimitedLineParser::AddBare(std::string_view text, std::vector<vnCell>& fields) const
{
    if (m_stripQuotes) {
        while (!text.empty() && text.front() == m_openQuote)
            text.remove_prefix(1);
        while (!text.empty() && text.back() == m_closeQuote)
            text.remove_suffix(1);
    }
    fields.emplace_back().FromText(text);
}

// text runs from the open quote to the close quote, both included.
void vnDelimitedLineParser::AddQuoted(std::string_view text, std::vector<vnCell>& fields) const
{
    vnCell& cell = fields.emplace_back();
    if (!m_stripQuotes) {
        cell.SetString(text);
        return;
    }
    const std::string_view inner = text.substr(1, text.size() - 2);
    if (inner.find(m_closeQuote) == npos) {
        cell.SetString(inner);
        return;
    }
    std::string undoubled;
    undoubled.reserve(inner.size());
    AppendUnquoted(inner, undoubled);
    cell.SetString(undoubled);
}

std::size_t vnDelimitedLineParser::FindCloseQuote(std::string_view text) const
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != m_closeQuote)
            continue;
        if (i + 1 < text.size() && text[i + 1] == m_closeQuote)
            ++i;
        else
            return i;
    }
    return npos;
}

void vnDelimitedLineParser::AppendUnquoted(std::string_view text, std::string& out) const
{
    for (;;) {
        const std::size_t quote = text.find(m_closeQuote);
        if (quote == npos) {
            out.append(text);
            return;
        }
        // One quote of a pair stays; a lone quote stays as it is.
        out.append(text.substr(0, quote + 1));
        const bool doubled = quote + 1 < text.size() && text[quote + 1] == m_closeQuote;
        text.remove_prefix(quote + (doubled ? 2 : 1));
    }
}

std::size_t vnDelimitedLineParser::ParseLine(std::string_view line, std::vector<vnCell>& fields,
                                             std::size_t* openQuote) const
{
    if (openQuote)
        *openQuote = npos;
    const std::size_t n = line.size();
    const std::size_t first = fields.size();
    CloseQuoteFinder closeQuote(line, m_closeQuote);
    // The first separator at or after some position already passed; a later
    // search that starts before it has its answer without looking again.
    std::size_t nextSeparator = 0;
    const auto findSeparator = [&](std::size_t from) {
        if (nextSeparator != npos && nextSeparator < from)
            nextSeparator = FindChar(line, m_separator, from, n);
        return nextSeparator;
    };

    std::size_t start = 0;
    for (;;) {
        // Fields are short: a plain loop beats a library search per field.
        std::size_t at = start;
        while (at < n && line[at] != m_separator && line[at] != m_openQuote)
            ++at;
        if (at == n)
            break;
        if (line[at] == m_separator) {
            AddBare(line.substr(start, at - start), fields);
            start = at + 1;
            continue;
        }
        // An open quote before the separator makes a quoted field when a
        // close quote follows; without a separator ahead it is the last field.
        const std::size_t close = closeQuote.Find(at + 1);
        if (close == npos && at == start && openQuote) {
            *openQuote = at;
            return fields.size() - first;
        }
        const bool separatorAfterClose = close != npos && close + 1 < n && line[close + 1] == m_separator;
        const std::size_t separator = separatorAfterClose ? close + 1 : findSeparator(at + 1);
        if (separator == npos)
            break;
        if (close == npos) {
            AddBare(line.substr(start, separator - start), fields);
            start = separator + 1;
            continue;
        }
        AddQuoted(line.substr(at, close - at + 1), fields);
        // The character after the close quote ends the field. A close quote
        // at the very end of the line ends the line as well.
        start = close + 2;
        if (start > n)
            return fields.size() - first;
    }

    const std::string_view last = line.substr(start);
    if (last.size() >= 2 && last.front() == m_openQuote && last.back() == m_closeQuote)
        AddQuoted(last, fields);
    else
        AddBare(last, fields);
    return fields.size() - first;
}

void vnDelimitedLineParser::ParseLine(std::string_view line, vnCellTable& fields) const
{
    std::vector<vnCell> cells;
    ParseLine(line, cells);
    const auto count = static_cast<std::int32_t>(cells.size());
    fields.Clear();
    fields.AddColumns(1);
    if (fields.AddRows(count) != count - 1)
        return;
    for (std::int32_t row = 0; row < count; ++row)
        fields.SetCell(row, 0, &cells[static_cast<std::size_t>(row)]);
}
