#include "toolkit/CFrameWnd.h"

#include "res/AcceleratorResource.h"
#include "res/AppIcon.h"
#include "res/MenuResource.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"
#include "toolkit/CReBarBand.h"
#include "toolkit/CWinApp.h"
#include "toolkit/FileNameCodec.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>

#include <utility>

namespace {

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The file a local URL names. Its percent-encoded bytes are the name's bytes,
// which toLocalFile would read as UTF-8 and lose when they are not.
QString LocalFileOf(const QUrl& url)
{
    const QString name = url.toLocalFile();
    if (!name.contains(QChar::ReplacementCharacter) || !url.host().isEmpty())
        return name;
    return DecodeFileName(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

// The local files among dragged data; links and remote addresses are left out.
QStringList LocalFiles(const QMimeData* data)
{
    QStringList paths;
    if (data)
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                paths << LocalFileOf(url);
    return paths;
}

CFrameWnd::PopupMenuHook& PopupMenuHookSlot()
{
    static CFrameWnd::PopupMenuHook hook;
    return hook;
}

} // namespace

CFrameWnd::CFrameWnd()
{
    // The bars are shown and hidden through the View menu only.
    setContextMenuPolicy(Qt::PreventContextMenu);

    for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        OnCommand(id, [this, id] { OnBarCheck(id); });
        OnUpdateCommandUI(id, [this, id](CCmdUI& ui) {
            QWidget* bar = GetControlBar(id);
            ui.Enable(bar != nullptr);
            ui.SetCheck(bar && !bar->isHidden());
        });
    }
}

CFrameWnd::~CFrameWnd() = default;

bool CFrameWnd::LoadFrame(int resourceId)
{
    setWindowTitle(FromView(LoadStringResource(resourceId)));
    setWindowIcon(LoadAppIcon(resourceId));
    if (!BuildMenu(resourceId))
        return false;
    BuildAccelerators(resourceId);
    if (!OnCreate())
        return false;
    UpdateCommandUI();
    return true;
}

bool CFrameWnd::BuildMenu(int resourceId)
{
    const MenuResource* resource = FindMenuResource(resourceId);
    if (!resource)
        return false;
    QMenuBar* bar = menuBar();
    for (const PopupMenuResource& popup : resource->popups) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(popup.title));
        // Items are brought up to date when their menu opens.
        connect(menu, &QMenu::aboutToShow, this, &CFrameWnd::UpdateCommandUI);
        for (const MenuItemResource& item : popup.items) {
            if (item.command == 0) {
                menu->addSeparator();
                continue;
            }
            if (!item.label) {
                QAction* anchor = menu->addAction(QString());
                anchor->setVisible(false);
                m_menuLists[item.command] = {menu, anchor, {}};
                continue;
            }
            // The text after a tab is shown as the key name and binds nothing.
            QAction* action = menu->addAction(QString::fromUtf8(item.label));
            action->setStatusTip(FromView(LoadCommandPrompt(item.command)));
            AddCommandAction(action, item.command);
        }
    }
    return true;
}

void CFrameWnd::BuildAccelerators(int resourceId)
{
    AddAccelerators(resourceId, this);
}

void CFrameWnd::AddAccelerators(int resourceId, QWidget* scope)
{
    for (const AcceleratorResource& accelerator : FindAcceleratorResource(resourceId)) {
        auto* shortcut = new QShortcut(QKeySequence(accelerator.keys), scope);
        shortcut->setContext(scope == this ? Qt::WindowShortcut : Qt::WidgetWithChildrenShortcut);
        const int id = accelerator.command;
        connect(shortcut, &QShortcut::activated, this, [this, id] { ExecuteCommand(id); });
    }
}

void CFrameWnd::AddCommandAction(QAction* action, int id)
{
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    m_commandActions.emplace_back(action, id);
}

QAction* CFrameWnd::FindMenuItem(int id) const
{
    const QMenuBar* bar = menuBar();
    for (QAction* popup : bar->actions())
        if (QMenu* menu = popup->menu())
            for (QAction* item : menu->actions())
                if (!item->isSeparator() && item->data().toInt() == id)
                    return item;
    return nullptr;
}

void CFrameWnd::SetMenuList(int firstId, const std::vector<MenuListItem>& items)
{
    const auto list = m_menuLists.find(firstId);
    if (list == m_menuLists.end() || !list->second.menu || !list->second.anchor)
        return;
    QMenu* menu = list->second.menu;
    QAction* anchor = list->second.anchor;
    for (const QPointer<QAction>& old : list->second.items)
        delete old.data();
    list->second.items.clear();
    if (items.empty())
        return;

    int id = firstId;
    for (const MenuListItem& item : items) {
        auto* action = new QAction(item.label, menu);
        action->setStatusTip(item.prompt);
        menu->insertAction(anchor, action);
        AddCommandAction(action, id++);
        list->second.items.emplace_back(action);
    }
    auto* separator = new QAction(menu);
    separator->setSeparator(true);
    menu->insertAction(anchor, separator);
    list->second.items.emplace_back(separator);
    UpdateCommandUI();
}

bool CFrameWnd::OnCmdMsg(int id, CCmdUI* ui)
{
    if (auto* view = dynamic_cast<CCmdTarget*>(m_view.data()); view && view->OnCmdMsg(id, ui))
        return true;
    if (CCmdTarget::OnCmdMsg(id, ui))
        return true;
    if (CWinApp* app = CWinApp::GetApp(); app && app->OnCmdMsg(id, ui))
        return true;
    return false;
}

std::unique_ptr<QMenu> CFrameWnd::CreateCommandMenu(std::initializer_list<int> ids)
{
    auto menu = std::make_unique<QMenu>(this);
    for (int id : ids) {
        if (id == 0) {
            menu->addSeparator();
            continue;
        }
        const QAction* item = FindMenuItem(id);
        QAction* action = menu->addAction(item ? item->text() : QString());
        action->setStatusTip(FromView(LoadCommandPrompt(id)));
        AddCommandAction(action, id);
    }
    UpdateCommandUI();
    return menu;
}

CFrameWnd::PopupMenuHook CFrameWnd::SetPopupMenuHook(PopupMenuHook hook)
{
    return std::exchange(PopupMenuHookSlot(), std::move(hook));
}

void CFrameWnd::TrackPopupMenu(QMenu& menu, const QPoint& globalPos)
{
    if (PopupMenuHookSlot())
        PopupMenuHookSlot()(menu);
    else
        menu.exec(globalPos);
}

CCmdUI CFrameWnd::QueryCommand(int id)
{
    CCmdUI ui;
    OnCmdMsg(id, &ui);
    return ui;
}

bool CFrameWnd::ExecuteCommand(int id)
{
    OnBeforeCommand(id);
    if (!QueryCommand(id).IsEnabled())
        return false;
    // The frame may go away while its command runs (nested loops of
    // dialogs end with the application); only touch it if it still exists.
    QPointer<CFrameWnd> self(this);
    OnCmdMsg(id, nullptr);
    if (self)
        UpdateCommandUI();
    return true;
}

void CFrameWnd::UpdateCommandUI()
{
    std::erase_if(m_commandActions, [](const auto& entry) { return entry.first.isNull(); });
    std::map<int, CCmdUI> states;
    for (const auto& [action, id] : m_commandActions) {
        auto it = states.find(id);
        if (it == states.end())
            it = states.emplace(id, QueryCommand(id)).first;
        const CCmdUI& ui = it->second;
        action->setEnabled(ui.IsEnabled());
        action->setCheckable(ui.IsCheckable());
        if (ui.IsCheckable())
            action->setChecked(ui.IsChecked());
        if (!ui.GetText().isEmpty())
            action->setText(ui.GetText());
    }
}

void CFrameWnd::SetControlBar(int id, QWidget* bar)
{
    m_controlBars[id] = bar;
}

QWidget* CFrameWnd::GetControlBar(int id) const
{
    const auto it = m_controlBars.find(id);
    return it == m_controlBars.end() ? nullptr : it->second.data();
}

void CFrameWnd::ShowControlBar(QWidget* bar, bool show)
{
    if (!bar)
        return;
    bar->setVisible(show);
    // A band follows its bar once the window is on screen; before that it
    // hears nothing of a hidden bar and would show it again.
    if (auto* band = qobject_cast<CReBarBand*>(bar->parentWidget()))
        band->setVisible(show);
    UpdateCommandUI();
}

void CFrameWnd::OnBarCheck(int id)
{
    if (QWidget* bar = GetControlBar(id))
        ShowControlBar(bar, bar->isHidden());
}

void CFrameWnd::SetActiveView(QWidget* view)
{
    m_view = view;
    setCentralWidget(view);
    setFocusProxy(view);
}

void CFrameWnd::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CFrameWnd::dropEvent(QDropEvent* event)
{
    const QStringList paths = LocalFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has finished: opening may ask questions in modal
    // boxes, and the file manager waits for the drop to end.
    QMetaObject::invokeMethod(
        this, [this, paths] { OnDropFiles(paths); }, Qt::QueuedConnection);
}
