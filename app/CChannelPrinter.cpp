#include "app/CChannelPrinter.h"

#include "app/CPageSetup.h"
#include "app/ChannelDocument.h"
#include "channels/vnChannel.h"
#include "core/ChannelCellText.h"
#include "grid/hvGridCtrl.h"
#include "modules/vnChannelLayout.h"
#include "modules/vnModule.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"

#include <QDate>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

constexpr int kBodyPoints = 9;
constexpr int kTitlePoints = 14;
// Lines of the first page that its heading takes: the title (two lines
// high), the date, the module, the scanner model and a blank line.
constexpr int kHeadingLines = 6;
// A line's height is the font's height and this share more.
constexpr double kLineSpacing = 1.35;
constexpr int kCellPadding = 3; // in points, either side of a cell's text
// A set flag prints as a check mark and a clear one as nothing, so the
// flag columns need no more than their titles.
const QString kFlagMark = QStringLiteral("\u2713");

} // namespace

struct CChannelPrinter::Metrics
{
    QFont body;
    QFont bold;
    QFont title;
    int lineHeight = 0;
    int padding = 0;
    int width = 0;
    int height = 0;
    std::vector<int> columnLeft; // and one past the last column: its right edge
};

CChannelPrinter::CChannelPrinter(Heading heading, std::vector<Column> columns)
    : m_heading(std::move(heading)), m_columns(std::move(columns))
{}

QString CChannelPrinter::BankHeading(const vnChannelLayout& layout, int number)
{
    const std::int64_t perBank = std::max(layout.GetChannelsPerBank(), 1);
    const std::int64_t offset = static_cast<std::int64_t>(number) - layout.GetFirstChannel();
    // Floor division, so that a number below the first channel lands in a
    // bank of its own rather than in the first one.
    const std::int64_t index = offset >= 0 ? offset / perBank : (offset - perBank + 1) / perBank;
    const std::int64_t first = layout.GetFirstChannel() + index * perBank;
    return LoadStringText(IDS_PRINT_BANK).arg(layout.GetFirstBank() + index).arg(first).arg(first + perBank - 1);
}

void CChannelPrinter::AddChannel(const vnChannel& channel, const vnChannelLayout& layout)
{
    if (channel.GetFrequency().GetMHz() == 0.0)
        return;
    const QString bank = BankHeading(layout, channel.GetNumber());
    const auto lastBank =
        std::find_if(m_lines.rbegin(), m_lines.rend(), [](const Line& l) { return !l.bank.isEmpty(); });
    if (lastBank == m_lines.rend() || lastBank->bank != bank)
        m_lines.push_back({bank, {}});

    Line line;
    for (const Column& column : m_columns) {
        const std::string text = GetChannelCellText(channel, column.field);
        if (GetFieldInfo(column.field).flag)
            line.cells << (text == "True" ? kFlagMark : QString());
        else
            line.cells << QString::fromStdString(text);
    }
    m_lines.push_back(std::move(line));
}

std::vector<std::vector<int>> CChannelPrinter::Paginate(int firstPageLines, int pageLines) const
{
    std::vector<std::vector<int>> pages(1);
    int room = firstPageLines;
    int bank = -1;
    for (int i = 0; i < static_cast<int>(m_lines.size()); ++i) {
        const bool heading = !m_lines[static_cast<std::size_t>(i)].bank.isEmpty();
        if (heading)
            bank = i;
        // A heading needs the line after it on the same page.
        const int needed = heading ? 2 : 1;
        if (room < needed && !pages.back().empty()) {
            pages.emplace_back();
            room = pageLines;
            if (!heading && bank >= 0) {
                pages.back().push_back(bank);
                --room;
            }
        }
        pages.back().push_back(i);
        --room;
    }
    return pages;
}

int CChannelPrinter::Print(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;

    Metrics metrics;
    metrics.body = QFont(QStringLiteral("DejaVu Sans"));
    metrics.body.setPointSize(kBodyPoints);
    metrics.bold = metrics.body;
    metrics.bold.setBold(true);
    metrics.title = metrics.bold;
    metrics.title.setPointSize(kTitlePoints);
    painter.setFont(metrics.body);
    const QFontMetrics fm(metrics.body, &device);
    metrics.lineHeight = static_cast<int>(fm.height() * kLineSpacing);
    metrics.padding = kCellPadding * device.logicalDpiX() / 72;
    metrics.width = painter.viewport().width();
    metrics.height = painter.viewport().height();

    // Each column is as wide as its title and, but for the description, its
    // widest text. The description takes the rest of the page's width; with
    // no description shown, the rest is shared in proportion to the grid's
    // widths among the columns that are not flags.
    const QFontMetrics boldMetrics(metrics.bold, &device);
    std::vector<int> widths;
    int needed = 0;
    int totalWidth = 0;
    int fill = -1;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        const Column& column = m_columns[c];
        int width = boldMetrics.horizontalAdvance(column.title);
        if (column.field == ChannelField::Description)
            fill = static_cast<int>(c);
        else
            for (const Line& line : m_lines)
                width = std::max(width, fm.horizontalAdvance(line.cells.value(static_cast<qsizetype>(c))));
        widths.push_back(width + 2 * metrics.padding + 1);
        needed += widths.back();
        if (!GetFieldInfo(column.field).flag)
            totalWidth += std::max(column.width, 0);
    }
    const std::int64_t spare = std::max(metrics.width - needed, 0);
    int left = 0;
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
        metrics.columnLeft.push_back(left);
        const int share = GetFieldInfo(m_columns[c].field).flag ? 0 : std::max(m_columns[c].width, 0);
        if (fill < 0)
            left += widths[c] + static_cast<int>(spare * share / std::max(totalWidth, 1));
        else
            left += widths[c] + (static_cast<int>(c) == fill ? static_cast<int>(spare) : 0);
    }
    metrics.columnLeft.push_back(metrics.width);

    // Every page: the column header, and the page number at the foot.
    const int pageLines = std::max(metrics.height / metrics.lineHeight - 3, 2);
    const int firstPageLines = std::max(pageLines - kHeadingLines, 2);
    const auto pages = Paginate(firstPageLines, pageLines);
    const int pageCount = static_cast<int>(pages.size());
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0)
            device.newPage();
        PaintPage(painter, metrics, pages[static_cast<std::size_t>(page)], page, pageCount);
    }
    painter.end();
    return pageCount;
}

void CChannelPrinter::PaintPage(QPainter& painter, const Metrics& metrics, const std::vector<int>& lines, int page,
                                int pageCount) const
{
    const int lineHeight = metrics.lineHeight;
    int y = 0;
    const auto textLine = [&](const QFont& font, const QString& text, int height) {
        painter.setFont(font);
        painter.drawText(QRect(0, y, metrics.width, height), Qt::AlignLeft | Qt::AlignVCenter, text);
        y += height;
    };

    if (page == 0) {
        textLine(metrics.title, m_heading.title, lineHeight * 2);
        textLine(metrics.body, LoadStringText(IDS_PRINT_DATE).arg(m_heading.date), lineHeight);
        textLine(metrics.body, LoadStringText(IDS_PRINT_MODULE).arg(m_heading.module), lineHeight);
        textLine(metrics.body, LoadStringText(IDS_PRINT_MODEL).arg(m_heading.scannerModel), lineHeight);
        y += lineHeight;
    }

    const auto cells = [&](const QStringList& texts, bool header) {
        painter.setFont(header ? metrics.bold : metrics.body);
        const QFontMetrics fm = painter.fontMetrics();
        for (int c = 0; c < static_cast<int>(m_columns.size()); ++c) {
            const QRect cell(metrics.columnLeft[static_cast<std::size_t>(c)], y,
                             metrics.columnLeft[static_cast<std::size_t>(c) + 1] -
                                 metrics.columnLeft[static_cast<std::size_t>(c)],
                             lineHeight);
            const QRect inner = cell.adjusted(metrics.padding, 0, -metrics.padding, 0);
            const Qt::Alignment align =
                (m_columns[static_cast<std::size_t>(c)].left ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter;
            painter.drawText(inner, align, fm.elidedText(texts.value(c), Qt::ElideRight, inner.width()));
        }
        y += lineHeight;
        painter.drawLine(0, y - 1, metrics.width, y - 1);
    };

    QStringList titles;
    for (const Column& column : m_columns)
        titles << column.title;
    cells(titles, true);

    for (int index : lines) {
        const Line& line = m_lines[static_cast<std::size_t>(index)];
        if (line.bank.isEmpty())
            cells(line.cells, false);
        else
            textLine(metrics.bold, line.bank, lineHeight);
    }

    painter.setFont(metrics.body);
    painter.drawText(QRect(0, metrics.height - lineHeight, metrics.width, lineHeight), Qt::AlignCenter,
                     LoadStringText(IDS_PRINT_PAGE).arg(page + 1).arg(pageCount));
}

int CChannelPrinter::PrintDocument(QPrinter& printer, const ChannelDocument& document, const hvGridCtrl& grid,
                                   vnModule* module)
{
    Heading heading;
    heading.title = document.GetDisplayName();
    heading.date = QDate::currentDate().toString(Qt::ISODate);
    vnChannelLayout layout;
    if (module) {
        const char* name = nullptr;
        if (!vnFailed(module->GetName(&name)) && name)
            heading.module = QString::fromUtf8(name);
        std::string model;
        if (!vnFailed(module->GetScannerModel(&model)))
            heading.scannerModel = QString::fromStdString(model);
        vnChannelLayout* moduleLayout = nullptr;
        if (!vnFailed(module->GetChannelLayout(&moduleLayout)) && moduleLayout)
            layout = *moduleLayout;
    }

    // The columns as the grid shows them: hidden ones left out, in the order
    // the user sees.
    std::vector<Column> columns;
    for (const int column : grid.GetShownColumns())
        if (const auto field = FieldOfColumn(column))
            columns.push_back({*field, grid.model()->headerData(column, Qt::Horizontal).toString(),
                               grid.GetColumnWidth(column), GetFieldInfo(*field).alignLeft});

    CPageSetup::KeepRoom(printer);
    CChannelPrinter channelPrinter(heading, std::move(columns));
    const bool selectionOnly = printer.printRange() == QPrinter::Selection;
    for (std::int32_t row = 0; row < document.GetCount(); ++row)
        if (!selectionOnly || grid.IsItemSelected(row))
            channelPrinter.AddChannel(*document.GetAt(row), layout);
    return channelPrinter.Print(printer);
}
