#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

#include <optional>

class QPrinter;
class QWidget;
class vnSettingsStore;

// The paper, orientation and margins that File > Page Setup chooses for
// Print and Print Preview. Kept in the settings store's section
// "Page Setup": "Paper Size" (the paper's name, such as "A4" or "Letter",
// or "Custom"), "Paper Width" and "Paper Height", "Orientation" ("Portrait"
// or "Landscape") and "Left Margin", "Top Margin", "Right Margin",
// "Bottom Margin". Lengths are millimetres written as text with '.' as the
// decimal point, whatever the user's locale.
struct CPageSetup
{
    std::optional<QPageSize> pageSize; // none: the printer's own paper
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    std::optional<QMarginsF> margins; // millimetres; none: the printer's own

    // The stored setup. A paper that is neither a known name nor a usable
    // size, an orientation that is neither word, and margins that are not
    // all lengths or that leave the stored paper too little room each keep
    // their default.
    static CPageSetup Read(const vnSettingsStore& store);
    void Write(vnSettingsStore& store) const;

    static CPageSetup Capture(const QPrinter& printer);
    // Margins that the paper cannot take, or that leave it too little
    // room, leave the printer's own.
    void Apply(QPrinter& printer) const;

    // Why margins leave too little of a paper (its size in millimetres as
    // it lies, portrait or landscape) to print on: less than a quarter of
    // its area. Empty when they leave enough.
    static QString MarginsProblem(const QSizeF& paper, const QMarginsF& margins);

    // Margins set on the printer elsewhere (the print dialog's printer
    // properties) that leave too little room give way to the printer's
    // smallest margins, and at least kFallbackMargin millimetres.
    static void KeepRoom(QPrinter& printer);

    // File > Page Setup: the dialog on the stored setup, shown again with
    // the reason while its margins leave too little room; what it accepts
    // is stored. Whether it was accepted.
    static bool RunDialog(QWidget* parent, vnSettingsStore& store);
};
