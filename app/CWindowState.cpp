#include "app/CWindowState.h"

#include "app/CMainFrame.h"
#include "app/CTransparentDialogBar.h"
#include "modules/vnSettingsStore.h"
#include "toolkit/CStatusBar.h"
#include "toolkit/CToolBar.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

namespace {

const std::string kSection = "Window";
const std::string kLeft = "Left";
const std::string kTop = "Top";
const std::string kWidth = "Width";
const std::string kHeight = "Height";
const std::string kMaximized = "Maximized";
const std::string kToolBar = "Toolbar";
const std::string kStatusBar = "Status Bar";
const std::string kBankBar = "Bank Bar";
const std::string kColumnWidths = "Column Widths";

// Marks a value that the store does not hold.
constexpr int kAbsent = -1;
// The part of a window's top edge, from its left end, that must lie on a
// screen: enough title bar to grab.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 20;

std::vector<int> ParseWidths(const std::string& text)
{
    std::vector<int> widths;
    for (const QString& field : QString::fromStdString(text).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int width = field.trimmed().toInt(&ok);
        if (!ok || width <= 0)
            return {};
        widths.push_back(width);
    }
    return widths;
}

std::string JoinWidths(const std::vector<int>& widths)
{
    QStringList fields;
    for (int width : widths)
        fields << QString::number(width);
    return fields.join(QLatin1Char(',')).toStdString();
}

} // namespace

CWindowState CWindowState::Read(const vnSettingsStore& store)
{
    CWindowState state;
    const int left = store.GetSettingInt(kSection, kLeft, kAbsent);
    const int top = store.GetSettingInt(kSection, kTop, kAbsent);
    const int width = store.GetSettingInt(kSection, kWidth, kAbsent);
    const int height = store.GetSettingInt(kSection, kHeight, kAbsent);
    // Negative coordinates are real on a screen left of or above the
    // primary one; only a size says whether anything was stored.
    if (width > 0 && height > 0)
        state.geometry = QRect(left, top, width, height);
    state.maximized = store.GetSettingInt(kSection, kMaximized, 0) != 0;
    state.toolBar = store.GetSettingInt(kSection, kToolBar, 1) != 0;
    state.statusBar = store.GetSettingInt(kSection, kStatusBar, 1) != 0;
    state.bankBar = store.GetSettingInt(kSection, kBankBar, 1) != 0;
    state.columnWidths = ParseWidths(store.GetSettingString(kSection, kColumnWidths, {}));
    return state;
}

void CWindowState::Write(vnSettingsStore& store) const
{
    if (!geometry.isNull()) {
        store.SetSettingInt(kSection, kLeft, geometry.x());
        store.SetSettingInt(kSection, kTop, geometry.y());
        store.SetSettingInt(kSection, kWidth, geometry.width());
        store.SetSettingInt(kSection, kHeight, geometry.height());
    }
    store.SetSettingInt(kSection, kMaximized, maximized ? 1 : 0);
    store.SetSettingInt(kSection, kToolBar, toolBar ? 1 : 0);
    store.SetSettingInt(kSection, kStatusBar, statusBar ? 1 : 0);
    store.SetSettingInt(kSection, kBankBar, bankBar ? 1 : 0);
    store.SetSettingString(kSection, kColumnWidths, JoinWidths(columnWidths));
}

CWindowState CWindowState::Capture(const CMainFrame& frame)
{
    CWindowState state;
    state.maximized = frame.isMaximized();
    // A maximised window keeps the place it goes back to.
    state.geometry = state.maximized ? frame.normalGeometry() : QRect(frame.pos(), frame.size());
    state.toolBar = frame.GetToolBar() && !frame.GetToolBar()->isHidden();
    state.statusBar = frame.GetStatusBar() && !frame.GetStatusBar()->isHidden();
    state.bankBar = frame.GetBankBar() && !frame.GetBankBar()->isHidden();
    if (const hvGridCtrl* grid = frame.GetGrid())
        for (int column = 0; column < grid->GetColumnCount(); ++column)
            state.columnWidths.push_back(grid->GetColumnWidth(column));
    return state;
}

void CWindowState::Apply(CMainFrame& frame) const
{
    if (!geometry.isNull()) {
        frame.resize(geometry.size());
        if (IsOnScreen(geometry))
            frame.move(geometry.topLeft());
    }
    if (maximized)
        frame.setWindowState(frame.windowState() | Qt::WindowMaximized);
    frame.ShowControlBar(frame.GetToolBar(), toolBar);
    frame.ShowControlBar(frame.GetStatusBar(), statusBar);
    frame.ShowControlBar(frame.GetBankBar(), bankBar);
    // Widths for another set of columns would land on the wrong ones.
    if (hvGridCtrl* grid = frame.GetGrid(); grid && static_cast<int>(columnWidths.size()) == grid->GetColumnCount())
        for (int column = 0; column < grid->GetColumnCount(); ++column)
            grid->SetColumnWidth(column, columnWidths[static_cast<std::size_t>(column)]);
}

bool CWindowState::IsOnScreen(const QRect& geometry)
{
    const QRect grip(geometry.topLeft(), QSize(std::min(kGrabWidth, geometry.width()), kGrabHeight));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(grip))
            return true;
    return false;
}
