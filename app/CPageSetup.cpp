#include "app/CPageSetup.h"

#include "modules/vnSettingsStore.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"

#include "toolkit/CMessageBox.h"

#include <QPageSetupDialog>
#include <QPrinter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

const std::string kSection = "Page Setup";
const std::string kPaperSize = "Paper Size";
const std::string kPaperWidth = "Paper Width";
const std::string kPaperHeight = "Paper Height";
const std::string kOrientation = "Orientation";
const std::string kLeftMargin = "Left Margin";
const std::string kTopMargin = "Top Margin";
const std::string kRightMargin = "Right Margin";
const std::string kBottomMargin = "Bottom Margin";

const std::string kPortrait = "Portrait";
const std::string kLandscape = "Landscape";
const std::string kCustom = "Custom";

// No paper or margin of a printer comes near ten metres; a stored length
// beyond it is a broken value, not a poster.
constexpr double kLongestLength = 10000.0;
constexpr int kLengthDecimals = 2;
// The least share of the paper that the margins must leave to print on.
constexpr double kLeastPrintedShare = 0.25;
constexpr double kFallbackMargin = 10.0;

std::string Length(double millimetres)
{
    return QString::number(millimetres, 'f', kLengthDecimals).toStdString();
}

// A stored length, or nothing when the value is missing or not a length.
// QString reads numbers with '.' whatever the locale.
std::optional<double> ReadLength(const vnSettingsStore& store, const std::string& name)
{
    bool ok = false;
    const double value = QString::fromStdString(store.GetSettingString(kSection, name, {})).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0.0 || value > kLongestLength)
        return std::nullopt;
    return value;
}

std::optional<QPageSize> NamedPageSize(const std::string& name)
{
    const QString key = QString::fromStdString(name);
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto pageSizeId = static_cast<QPageSize::PageSizeId>(id);
        if (pageSizeId != QPageSize::Custom && QPageSize::key(pageSizeId) == key)
            return QPageSize(pageSizeId);
    }
    return std::nullopt;
}

} // namespace

CPageSetup CPageSetup::Read(const vnSettingsStore& store)
{
    CPageSetup setup;
    setup.pageSize = NamedPageSize(store.GetSettingString(kSection, kPaperSize, {}));
    if (!setup.pageSize) {
        const auto width = ReadLength(store, kPaperWidth);
        const auto height = ReadLength(store, kPaperHeight);
        if (width && height && *width > 0.0 && *height > 0.0)
            setup.pageSize = QPageSize(QSizeF(*width, *height), QPageSize::Millimeter);
    }
    setup.orientation = store.GetSettingString(kSection, kOrientation, kPortrait) == kLandscape ? QPageLayout::Landscape
                                                                                                : QPageLayout::Portrait;
    const auto left = ReadLength(store, kLeftMargin);
    const auto top = ReadLength(store, kTopMargin);
    const auto right = ReadLength(store, kRightMargin);
    const auto bottom = ReadLength(store, kBottomMargin);
    if (left && top && right && bottom)
        setup.margins = QMarginsF(*left, *top, *right, *bottom);
    if (setup.pageSize && setup.margins) {
        const QSizeF paper =
            QPageLayout(*setup.pageSize, setup.orientation, {}).fullRect(QPageLayout::Millimeter).size();
        if (!MarginsProblem(paper, *setup.margins).isEmpty())
            setup.margins.reset();
    }
    return setup;
}

void CPageSetup::Write(vnSettingsStore& store) const
{
    if (pageSize && pageSize->isValid()) {
        const bool named = pageSize->id() != QPageSize::Custom;
        store.SetSettingString(kSection, kPaperSize, named ? pageSize->key().toStdString() : kCustom);
        const QSizeF size = pageSize->size(QPageSize::Millimeter);
        store.SetSettingString(kSection, kPaperWidth, Length(size.width()));
        store.SetSettingString(kSection, kPaperHeight, Length(size.height()));
    }
    store.SetSettingString(kSection, kOrientation, orientation == QPageLayout::Landscape ? kLandscape : kPortrait);
    if (margins) {
        store.SetSettingString(kSection, kLeftMargin, Length(margins->left()));
        store.SetSettingString(kSection, kTopMargin, Length(margins->top()));
        store.SetSettingString(kSection, kRightMargin, Length(margins->right()));
        store.SetSettingString(kSection, kBottomMargin, Length(margins->bottom()));
    }
}

CPageSetup CPageSetup::Capture(const QPrinter& printer)
{
    const QPageLayout layout = printer.pageLayout();
    CPageSetup setup;
    setup.pageSize = layout.pageSize();
    setup.orientation = layout.orientation();
    setup.margins = layout.margins(QPageLayout::Millimeter);
    return setup;
}

void CPageSetup::Apply(QPrinter& printer) const
{
    if (pageSize && pageSize->isValid())
        printer.setPageSize(*pageSize);
    printer.setPageOrientation(orientation);
    const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    if (margins && MarginsProblem(paper, *margins).isEmpty())
        printer.setPageMargins(*margins, QPageLayout::Millimeter);
}

QString CPageSetup::MarginsProblem(const QSizeF& paper, const QMarginsF& margins)
{
    const double width = std::max(paper.width() - margins.left() - margins.right(), 0.0);
    const double height = std::max(paper.height() - margins.top() - margins.bottom(), 0.0);
    const double area = paper.width() * paper.height();
    if (area > 0.0 && width * height >= kLeastPrintedShare * area)
        return {};
    const int percent = area > 0.0 ? static_cast<int>(100.0 * width * height / area) : 0;
    return LoadStringText(IDS_MARGINS_TOO_WIDE).arg(percent);
}

void CPageSetup::KeepRoom(QPrinter& printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    if (MarginsProblem(layout.fullRect().size(), layout.margins()).isEmpty())
        return;
    const QMarginsF least = layout.minimumMargins();
    printer.setPageMargins(QMarginsF(std::max(least.left(), kFallbackMargin), std::max(least.top(), kFallbackMargin),
                                     std::max(least.right(), kFallbackMargin),
                                     std::max(least.bottom(), kFallbackMargin)),
                           QPageLayout::Millimeter);
}

bool CPageSetup::RunDialog(QWidget* parent, vnSettingsStore& store)
{
    QPrinter printer(QPrinter::HighResolution);
    Read(store).Apply(printer);
    QPageSetupDialog dialog(&printer, parent);
    while (dialog.exec() == QDialog::Accepted) {
        const CPageSetup setup = Capture(printer);
        const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
        const QString problem = setup.margins ? MarginsProblem(paper, *setup.margins) : QString();
        if (problem.isEmpty()) {
            setup.Write(store);
            return true;
        }
        CMessageBox::Show(parent, problem, CMessageBox::Exclamation);
    }
    return false;
}
