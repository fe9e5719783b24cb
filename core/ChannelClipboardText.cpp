#include "core/ChannelClipboardText.h"

#include "core/ChannelColumnMap.h"
#include "core/ChannelField.h"

#include <charconv>

namespace {

constexpr char kQuote = '"';
constexpr char kTab = '\t';

bool NeedsQuotes(std::string_view field)
{
    return field.find_first_of("\t\"\r\n") != std::string_view::npos;
}

bool IsLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// Moves i past the line end at i (CR LF counts as one).
void SkipLineEnd(std::string_view text, std::size_t& i)
{
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
    ++i;
}

// Reads the quoted field whose opening quote is at i. On success i is after
// the closing quote; without a closing quote nothing is read.
bool ReadQuoted(std::string_view text, std::size_t& i, std::string& field)
{
    std::string value;
    for (std::size_t j = i + 1; j < text.size(); ++j) {
        if (text[j] != kQuote) {
            value += text[j];
        } else if (j + 1 < text.size() && text[j + 1] == kQuote) {
            value += kQuote;
            ++j;
        } else {
            field = std::move(value);
            i = j + 1;
            return true;
        }
    }
    return false;
}

bool IsWholeNumber(std::string_view text)
{
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

} // namespace

std::string ChannelClipboardText::Encode(const std::vector<Row>& rows)
{
    std::string text;
    for (const Row& row : rows) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            if (column > 0)
                text += kTab;
            const std::string& field = row[column];
            if (!NeedsQuotes(field)) {
                text += field;
                continue;
            }
            text += kQuote;
            for (char c : field) {
                if (c == kQuote)
                    text += kQuote;
                text += c;
            }
            text += kQuote;
        }
        text += '\n';
    }
    return text;
}

std::vector<ChannelClipboardText::Row> ChannelClipboardText::Decode(std::string_view text)
{
    std::vector<Row> rows;
    Row row;
    std::string field;
    std::size_t i = 0;
    while (i < text.size()) {
        // At the start of a field.
        if (text[i] == kQuote && ReadQuoted(text, i, field)) {
            // Text after the closing quote belongs to the field as it stands.
            while (i < text.size() && text[i] != kTab && !IsLineEnd(text[i]))
                field += text[i++];
        } else {
            const std::size_t end = text.find_first_of("\t\r\n", i);
            const std::size_t stop = end == std::string_view::npos ? text.size() : end;
            field.assign(text.substr(i, stop - i));
            i = stop;
        }
        row.push_back(std::move(field));
        field.clear();
        if (i >= text.size())
            break;
        if (text[i] == kTab) {
            ++i;
            // A tab at the very end still opens an empty last field.
            if (i == text.size())
                row.emplace_back();
            continue;
        }
        SkipLineEnd(text, i);
        rows.push_back(std::move(row));
        row.clear();
    }
    if (!row.empty())
        rows.push_back(std::move(row));
    return rows;
}

bool ChannelClipboardText::AreChannelRows(const std::vector<Row>& rows)
{
    if (rows.empty())
        return false;
    for (const Row& row : rows)
        if (row.size() != static_cast<std::size_t>(ChannelFieldCount) || !IsWholeNumber(row.front()))
            return false;
    return true;
}

bool ChannelClipboardText::IsChannelHeader(const Row& row)
{
    if (row.size() != static_cast<std::size_t>(ChannelFieldCount))
        return false;
    for (const ChannelFieldInfo& info : ChannelFields()) {
        const std::string name = ChannelColumnMap::NormalName(row[static_cast<std::size_t>(ColumnOf(info.field))]);
        const bool number = info.field == ChannelField::Number && name == "#";
        if (!number && name != ChannelColumnMap::NormalName(info.header))
            return false;
    }
    return true;
}
