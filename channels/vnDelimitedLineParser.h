#pragma once

#include "channels/vnCell.h"
#include "channels/vnCellTable.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Splits one line of delimited text (without its line end) into fields.
//
// A field is bare text, typed by vnCell::FromText, or text in quotes, which
// stays a String holding exactly the text between the quotes; a doubled close
// quote inside it stands for one quote. A field counts as quoted when an open
// quote stands before its separator and a close quote follows somewhere later;
// text before the open quote is dropped and the character right after the
// close quote ends the field, whatever it is. The last field of a line is
// quoted when it starts and ends with a quote. Quote characters at the ends of
// a bare field are removed.
class vnDelimitedLineParser
{
public:
    vnDelimitedLineParser() = default;
    vnDelimitedLineParser(const vnDelimitedLineParser&) = default;
    vnDelimitedLineParser& operator=(const vnDelimitedLineParser&) = default;
    virtual ~vnDelimitedLineParser() = default;

    void SetSeparator(char separator) { m_separator = separator; }
    void SetOpenQuote(char quote) { m_openQuote = quote; }
    void SetCloseQuote(char quote) { m_closeQuote = quote; }
    void SetQuote(char quote) { m_openQuote = m_closeQuote = quote; }
    // Off keeps quote characters: a quoted field is then the String as it
    // stands in the line, quotes included, and bare fields keep theirs.
    void SetStripQuotes(bool strip) { m_stripQuotes = strip; }

    // Clears fields and fills its single column with one row per field.
    void ParseLine(std::string_view line, vnCellTable& fields) const;
    // Appends the line's fields and returns how many; a line always has at
    // least one field, an empty line one Empty field.
    //
    // With openQuote, a quoted field that begins at the start of a field and
    // is not closed in the line is left open: the fields before it are
    // appended and counted, and *openQuote is its open quote's position;
    // otherwise *openQuote is npos.
    std::size_t ParseLine(std::string_view line, std::vector<vnCell>& fields, std::size_t* openQuote = nullptr) const;

    // For a field left open: the position of the first close quote in text
    // that is not doubled, or npos.
    std::size_t FindCloseQuote(std::string_view text) const;
    // Appends text from inside quotes with each doubled close quote made one;
    // text holds no close quote that is not doubled.
    void AppendUnquoted(std::string_view text, std::string& out) const;
    char GetSeparator() const { return m_separator; }

private:
    void AddBare(std::string_view text, std::vector<vnCell>& fields) const;
    void AddQuoted(std::string_view text, std::vector<vnCell>& fields) const;

    char m_separator = ',';
    char m_openQuote = '"';
    char m_closeQuote = '"';
    bool m_stripQuotes = true;
};
