#include "app/CWindowState.h"

#include "app/CMainFrame.h"
#include "app/CTransparentDialogBar.h"
#include "modules/vnSettingsStore.h"
#include "toolkit/CStatusBar.h"
#include "toolkit/CToolBar.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include <algorithm>

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
const std::string kColumnOrder = "Column Order";
const std::string kHiddenColumns = "Hidden Columns";
// The "#" column: the channel number always shows.
constexpr int kNumberColumn = 0;

// Marks a value that the store does not hold.
constexpr int kAbsent = -1;
// The part of a window's top edge, from its left end, that must lie on a
// screen: enough title bar to grab.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 20;
// No screen, nor a row of them, comes near this many pixels: a stored
// place or width beyond it is a damaged value, not a large monitor.
constexpr int kLongestExtent = 100000;

// A list of numbers from least to most; empty when any field is not one.
std::vector<int> ParseNumbers(const std::string& text, int least, int most)
{
    std::vector<int> numbers;
    for (const QString& field : QString::fromStdString(text).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int number = field.trimmed().toInt(&ok);
        if (!ok || number < least || number > most)
            return {};
        numbers.push_back(number);
    }
    return numbers;
}

std::string JoinNumbers(const std::vector<int>& numbers)
{
    QStringList fields;
    for (int number : numbers)
        fields << QString::number(number);
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
    const auto usable = [](int value) { return value > -kLongestExtent && value < kLongestExtent; };
    if (width > 0 && height > 0 && usable(left) && usable(top) && usable(width) && usable(height))
        state.geometry = QRect(left, top, width, height);
    state.maximized = store.GetSettingInt(kSection, kMaximized, 0) != 0;
    state.toolBar = store.GetSettingInt(kSection, kToolBar, 1) != 0;
    state.statusBar = store.GetSettingInt(kSection, kStatusBar, 1) != 0;
    state.bankBar = store.GetSettingInt(kSection, kBankBar, 1) != 0;
    state.columnWidths = ParseNumbers(store.GetSettingString(kSection, kColumnWidths, {}), 1, kLongestExtent);
    state.columnOrder = ParseNumbers(store.GetSettingString(kSection, kColumnOrder, {}), 0, kLongestExtent);
    state.hiddenColumns = ParseNumbers(store.GetSettingString(kSection, kHiddenColumns, {}), 0, kLongestExtent);
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
    store.SetSettingString(kSection, kColumnWidths, JoinNumbers(columnWidths));
    store.SetSettingString(kSection, kColumnOrder, JoinNumbers(columnOrder));
    store.SetSettingString(kSection, kHiddenColumns, JoinNumbers(hiddenColumns));
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
    if (const hvGridCtrl* grid = frame.GetGrid()) {
        for (int column = 0; column < grid->GetColumnCount(); ++column) {
            state.columnWidths.push_back(grid->GetColumnWidth(column));
            if (!grid->IsColumnShown(column))
                state.hiddenColumns.push_back(column);
        }
        state.columnOrder = grid->GetColumnOrder();
    }
    return state;
}

void CWindowState::Apply(CMainFrame& frame) const
{
    QList<QRect> screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screens << primary->availableGeometry();
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            screens << screen->availableGeometry();
    const QRect place = FitToScreens(geometry, screens);
    if (!place.isNull()) {
        frame.resize(place.size());
        frame.move(place.topLeft());
    } else if (!screens.isEmpty()) {
        // The first start: the default size, on a small screen no larger.
        frame.resize(frame.size().boundedTo(screens.constFirst().size()));
    }
    // A window as large as its screen leaves its frame no room there: it
    // opens maximised, and goes back to the fitted size.
    const auto fillsScreen = [&place](const QRect& screen) {
        return screen.contains(place) && (place.width() >= screen.width() || place.height() >= screen.height());
    };
    if (maximized || (!place.isNull() && std::any_of(screens.begin(), screens.end(), fillsScreen)))
        frame.setWindowState(frame.windowState() | Qt::WindowMaximized);
    frame.ShowControlBar(frame.GetToolBar(), toolBar);
    frame.ShowControlBar(frame.GetStatusBar(), statusBar);
    frame.ShowControlBar(frame.GetBankBar(), bankBar);
    // Widths for another set of columns would land on the wrong ones.
    hvGridCtrl* grid = frame.GetGrid();
    if (!grid)
        return;
    if (static_cast<int>(columnWidths.size()) == grid->GetColumnCount())
        for (int column = 0; column < grid->GetColumnCount(); ++column)
            grid->SetColumnWidth(column, columnWidths[static_cast<std::size_t>(column)]);
    // The grid ignores an order that does not name each of its columns once.
    grid->SetColumnOrder(columnOrder);
    for (int column : hiddenColumns)
        if (column != kNumberColumn)
            grid->SetColumnShown(column, false);
}

QRect CWindowState::FitToScreens(const QRect& stored, const QList<QRect>& screens)
{
    if (stored.isNull() || stored.isEmpty() || screens.isEmpty())
        return {};
    QRect screen = screens.constFirst();
    bool onScreen = false;
    qint64 largest = 0;
    for (const QRect& candidate : screens) {
        const QRect common = candidate.intersected(stored);
        const qint64 area = static_cast<qint64>(common.width()) * common.height();
        if (area > largest) {
            largest = area;
            screen = candidate;
            onScreen = true;
        }
    }
    const QSize size = stored.size().boundedTo(screen.size());
    QRect place(stored.topLeft(), size);
    if (!onScreen)
        place.moveCenter(screen.center());
    place.moveLeft(std::clamp(place.left(), screen.left(), screen.right() - size.width() + 1));
    place.moveTop(std::clamp(place.top(), screen.top(), screen.bottom() - size.height() + 1));
    return place;
}

QSize CWindowState::FitSize(const QSize& stored, const QSize& fallback)
{
    const bool usable = stored.width() > 0 && stored.height() > 0 && stored.width() < kLongestExtent &&
        stored.height() < kLongestExtent;
    const QSize size = usable ? stored : fallback;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? size.boundedTo(screen->availableGeometry().size()) : size;
}

bool CWindowState::IsOnScreen(const QRect& geometry)
{
    const QRect grip(geometry.topLeft(), QSize(std::min(kGrabWidth, geometry.width()), kGrabHeight));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(grip))
            return true;
    return false;
}
