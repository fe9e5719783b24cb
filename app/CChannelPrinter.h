#pragma once

#include "core/ChannelField.h"

#include <QString>
#include <QStringList>

#include <vector>

class ChannelDocument;
class hvGridCtrl;
class QPagedPaintDevice;
class QPrinter;
class vnModule;
class QPainter;
class vnChannel;
class vnChannelLayout;

// Lays out the printed channel list: a heading with the title, the date,
// the module and the scanner model; the channels grouped by bank, each
// group under a heading such as "Bank 3: channels 41-60"; the column header
// at the top of every page and "Page 2 of 5" at its foot. Everything is
// drawn as text, so a PDF of it can be searched.
class CChannelPrinter
{
public:
    struct Column
    {
        ChannelField field = ChannelField::Number;
        QString title;     // as the grid's header shows it
        int width = 1;     // the grid's width; the page shares its width in proportion
        bool left = false; // left-aligned, else centred
    };

    struct Heading
    {
        QString title;
        QString date;
        QString module;
        QString scannerModel;
    };

    CChannelPrinter(Heading heading, std::vector<Column> columns);

    // Adds a channel to the list. Channels without a frequency are left out;
    // a channel whose bank differs from the one before starts a new group.
    void AddChannel(const vnChannel& channel, const vnChannelLayout& layout);

    // Prints onto the device's pages; the number of pages printed.
    int Print(QPagedPaintDevice& device) const;

    // Prints the document's channels that have a frequency (only the grid's
    // selected rows when the printer's range is the selection) in the grid's
    // shown columns and their order, under a heading with the document's
    // name and the module's (which may be null). The number of pages.
    static int PrintDocument(QPrinter& printer, const ChannelDocument& document, const hvGridCtrl& grid,
                             vnModule* module);

    // The heading of channel number's bank: "Bank 3: channels 41-60".
    static QString BankHeading(const vnChannelLayout& layout, int number);

private:
    struct Line
    {
        QString bank;      // a bank heading, or empty for a channel line
        QStringList cells; // a channel line's texts, in column order
    };
    struct Metrics;

    // The lines on each page, as indices into m_lines. A bank heading never
    // stands alone at the foot of a page, and a bank that runs on to the
    // next page has its heading repeated there.
    std::vector<std::vector<int>> Paginate(int firstPageLines, int pageLines) const;
    void PaintPage(QPainter& painter, const Metrics& metrics, const std::vector<int>& lines, int page,
                   int pageCount) const;

    Heading m_heading;
    std::vector<Column> m_columns;
    std::vector<Line> m_lines;
};
