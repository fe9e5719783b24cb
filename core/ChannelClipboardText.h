#pragma once

#include <string>
#include <string_view>
#include <vector>

// Rows of cell texts as tab-separated text, the form in which spreadsheets
// (LibreOffice Calc, Gnumeric, Excel) put cells on the clipboard and take
// them from it: fields separated by tabs, one row a line. A field holding a
// tab, a double quote or a line end is written in double quotes with every
// inner quote doubled.
class ChannelClipboardText
{
public:
    using Row = std::vector<std::string>;

    // Each row ends with a line feed, as spreadsheets write it.
    static std::string Encode(const std::vector<Row>& rows);

    // Reads LF, CR LF and lone CR line ends; a line end after the last row
    // adds no row. A field that opens with a quote runs to its closing quote
    // (taking tabs and line ends inside); one whose quote never closes is
    // read as plain text up to the next tab or line end. Empty text gives no
    // rows.
    static std::vector<Row> Decode(std::string_view text);

    // Whether the rows are whole channels as Copy writes them: every row has
    // the seven fields of a channel, the first a channel number.
    static bool AreChannelRows(const std::vector<Row>& rows);

    // Whether the row is the header line of a channel file, as a spreadsheet
    // holding a saved file copies it along: the seven column names in any
    // letter case, the first also as the grid's "#".
    static bool IsChannelHeader(const Row& row);
};
