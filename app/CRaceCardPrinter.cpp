#include "app/CRaceCardPrinter.h"

#include "app/CPageSetup.h"
#include "app/ChannelDocument.h"
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
constexpr int kTitlePoints = 12;
constexpr double kLineSpacing = 1.3;
// Points between the parts of a line, and between columns.
constexpr int kGapPoints = 6;
constexpr int kColumnGapPoints = 18;
// A long description of a channel without a car gives up its end before
// the card gives up a column.
constexpr double kMostNameShare = 0.28;

int Points(int points, const QPaintDevice& device)
{
    return points * device.logicalDpiX() / 72;
}

} // namespace

CRaceCardPrinter::CRaceCardPrinter(QString title, ChannelRaceCard::Card card)
    : m_title(std::move(title)), m_card(std::move(card))
{}

std::vector<CRaceCardPrinter::Entry> CRaceCardPrinter::Entries() const
{
    std::vector<Entry> entries;
    for (const ChannelRaceCard::Line& line : m_card.cars)
        entries.push_back({{}, &line});
    if (!m_card.others.empty()) {
        entries.push_back({QString::fromUtf8(ChannelRaceCard::kOthersHeading), nullptr});
        for (const ChannelRaceCard::Line& line : m_card.others)
            entries.push_back({{}, &line});
    }
    return entries;
}

int CRaceCardPrinter::Print(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPointSize(kBodyPoints);
    QFont bold = body;
    bold.setBold(true);
    QFont title = bold;
    title.setPointSize(kTitlePoints);
    const QFontMetrics fm(body, &device);
    const QFontMetrics boldMetrics(bold, &device);
    const int lineHeight = static_cast<int>(fm.height() * kLineSpacing);
    const int gap = Points(kGapPoints, device);
    const int columnGap = Points(kColumnGapPoints, device);
    const int pageWidth = painter.viewport().width();
    const int pageHeight = painter.viewport().height();

    // One width for every column: the widest car number, name and
    // frequencies of any line.
    const std::vector<Entry> entries = Entries();
    int carWidth = 0;
    int nameWidth = 0;
    int frequencyWidth = 0;
    for (const Entry& entry : entries) {
        if (!entry.line)
            continue;
        carWidth = std::max(carWidth, boldMetrics.horizontalAdvance(QString::fromStdString(entry.line->car)));
        nameWidth = std::max(nameWidth, fm.horizontalAdvance(QString::fromStdString(entry.line->name)));
        int frequencies = 0;
        for (const std::string& frequency : entry.line->frequencies)
            frequencies += fm.horizontalAdvance(QString::fromStdString(frequency)) + gap;
        frequencyWidth = std::max(frequencyWidth, frequencies);
    }
    nameWidth = std::min(nameWidth, static_cast<int>(pageWidth * kMostNameShare));
    const int columnWidth = std::min(carWidth + gap + nameWidth + gap + frequencyWidth, pageWidth);
    const int columns = std::max(1, (pageWidth + columnGap) / (columnWidth + columnGap));
    // The title line and a blank line on every page, the page number at the foot.
    const int top = lineHeight * 2;
    const int rows = std::max((pageHeight - top - lineHeight) / lineHeight, 1);

    // The entries column by column; a heading does not stand last in a column.
    std::vector<std::vector<std::vector<int>>> pages;
    std::size_t next = 0;
    while (next < entries.size()) {
        auto& page = pages.emplace_back();
        for (int column = 0; column < columns && next < entries.size(); ++column) {
            auto& lines = page.emplace_back();
            while (next < entries.size() && static_cast<int>(lines.size()) < rows) {
                if (!entries[next].heading.isEmpty() && static_cast<int>(lines.size()) == rows - 1 &&
                    next + 1 < entries.size())
                    break;
                lines.push_back(static_cast<int>(next++));
            }
        }
    }
    if (pages.empty())
        pages.emplace_back();

    const int pageCount = static_cast<int>(pages.size());
    for (int p = 0; p < pageCount; ++p) {
        if (p > 0)
            device.newPage();
        painter.setFont(title);
        painter.drawText(QRect(0, 0, pageWidth, lineHeight * 3 / 2), Qt::AlignLeft | Qt::AlignVCenter, m_title);
        const auto& page = pages[static_cast<std::size_t>(p)];
        for (std::size_t c = 0; c < page.size(); ++c) {
            const int left = static_cast<int>(c) * (columnWidth + columnGap);
            int y = top;
            for (const int index : page[c]) {
                const Entry& entry = entries[static_cast<std::size_t>(index)];
                if (!entry.line) {
                    painter.setFont(bold);
                    painter.drawText(QRect(left, y, columnWidth, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                                     entry.heading);
                    y += lineHeight;
                    continue;
                }
                const ChannelRaceCard::Line& line = *entry.line;
                painter.setFont(bold);
                painter.drawText(QRect(left, y, carWidth, lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                                 QString::fromStdString(line.car));
                painter.setFont(body);
                const int nameLeft = left + carWidth + gap;
                // Eliding measures a little wider than the advance the width
                // came from: half the gap keeps the widest name whole.
                const int room = nameWidth + gap / 2;
                painter.drawText(QRect(nameLeft, y, room, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                                 fm.elidedText(QString::fromStdString(line.name), Qt::ElideRight, room));
                int x = nameLeft + nameWidth + gap;
                for (const std::string& frequency : line.frequencies) {
                    const QString text = QString::fromStdString(frequency);
                    const int width = fm.horizontalAdvance(text);
                    painter.drawText(QRect(x, y, width + 1, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, text);
                    x += width + gap;
                }
                y += lineHeight;
            }
        }
        if (pageCount > 1) {
            painter.setFont(body);
            painter.drawText(QRect(0, pageHeight - lineHeight, pageWidth, lineHeight), Qt::AlignCenter,
                             LoadStringText(IDS_PRINT_PAGE).arg(p + 1).arg(pageCount));
        }
    }
    painter.end();
    return pageCount;
}

int CRaceCardPrinter::PrintDocument(QPrinter& printer, const ChannelDocument& document, bool withLockedOut)
{
    std::vector<vnChannel> channels;
    for (std::int32_t index = 0; index < document.GetCount(); ++index)
        channels.push_back(*document.GetAt(index));
    const std::string title = ChannelRaceCard::Title(document.GetDisplayName().toStdString(),
                                                     QDate::currentDate().toString(Qt::ISODate).toStdString());
    CPageSetup::KeepRoom(printer);
    return CRaceCardPrinter(QString::fromStdString(title), ChannelRaceCard::Make(channels, withLockedOut))
        .Print(printer);
}
