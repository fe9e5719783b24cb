#pragma once

#include "core/ChannelRaceCard.h"

#include <QString>

#include <vector>

class QPagedPaintDevice;
class QPrinter;
class ChannelDocument;

// Draws a race card: a title line with the file's name and the date, then
// one line per car (car number, driver, frequencies with the primary first)
// in as many columns as fit across the page, then the channels that belong
// to no car under their own heading. At 9 points an A4 or Letter page holds
// 45 cars. Everything is drawn as text, so a PDF of it can be searched.
class CRaceCardPrinter
{
public:
    CRaceCardPrinter(QString title, ChannelRaceCard::Card card);

    // Prints onto the device's pages; the number of pages printed.
    int Print(QPagedPaintDevice& device) const;

    // The document's race card, under the title "spring.csv, 2026-12-08";
    // cars locked out on every channel are left out unless withLockedOut.
    static int PrintDocument(QPrinter& printer, const ChannelDocument& document, bool withLockedOut);

private:
    struct Entry
    {
        QString heading; // a heading line, or empty for a car or channel line
        const ChannelRaceCard::Line* line = nullptr;
    };
    std::vector<Entry> Entries() const;

    QString m_title;
    ChannelRaceCard::Card m_card;
};
