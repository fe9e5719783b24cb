#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

#include <optional>

class QPrinter;
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
    // size, an orientation that is neither word and margins that are not
    // all lengths each keep their default.
    static CPageSetup Read(const vnSettingsStore& store);
    void Write(vnSettingsStore& store) const;

    static CPageSetup Capture(const QPrinter& printer);
    // Margins that the paper cannot take leave the printer's own.
    void Apply(QPrinter& printer) const;
};
