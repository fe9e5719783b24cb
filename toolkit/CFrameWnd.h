#pragma once

#include "toolkit/CCmdTarget.h"
#include "toolkit/CCmdUI.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QShortcut;
class QDragEnterEvent;
class QDropEvent;

// A top-level frame window built from one resource id (title, icon, menu,
// accelerator table). Menu items, toolbar buttons and accelerators carry
// command ids; a command is offered to the view, then to the frame, then to
// the application object. One that no target handles is greyed and its
// accelerator does nothing.
class CFrameWnd : public QMainWindow, public CCmdTarget
{
    Q_OBJECT

public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the window from resource id: title, icon, menu and
    // accelerators, then OnCreate. False when any of it fails.
    bool LoadFrame(int resourceId);

    // Runs a command the way a menu item, toolbar button or accelerator
    // does: only when a target handles it and leaves it enabled. Returns
    // whether it ran.
    bool ExecuteCommand(int id);
    // The command's state as the route reports it.
    CCmdUI QueryCommand(int id);
    // Brings every menu item and toolbar button up to date.
    void UpdateCommandUI();

    // Ties an action (a menu item, a toolbar button) to a command: triggering
    // it runs the command, and UpdateCommandUI keeps its state current.
    void AddCommandAction(QAction* action, int id);
    // The menu item of a command, or null.
    QAction* FindMenuItem(int id) const;

    // A list of items that the program fills at run time, such as the recent
    // files: the menu resource marks its place with an item without a label.
    // The items get the commands firstId, firstId + 1, ... in order, and a
    // separator follows them when there are any.
    struct MenuListItem
    {
        QString label;
        QString prompt; // the status-bar text while the item is highlighted
    };
    void SetMenuList(int firstId, const std::vector<MenuListItem>& items);

    // The bars that View > Toolbar and View > Status Bar show and hide, by
    // their control ids (which are also those commands' ids).
    void SetControlBar(int id, QWidget* bar);
    QWidget* GetControlBar(int id) const;
    void ShowControlBar(QWidget* bar, bool show);

    // Binds an accelerator table's keys to its commands while scope or a
    // widget inside it has the focus (the window's own table binds them
    // anywhere in the window).
    void AddAccelerators(int resourceId, QWidget* scope);

    // The view fills the client area, gets the keyboard focus whenever the
    // frame does, and is the first target of every command.
    void SetActiveView(QWidget* view);

    bool OnCmdMsg(int id, CCmdUI* ui) override;

    // A shortcut menu of commands: each item runs its command and is greyed
    // as the command is. The labels are the menu bar's. 0 adds a separator.
    std::unique_ptr<QMenu> CreateCommandMenu(std::initializer_list<int> ids);
    // Shows a shortcut menu at a global position until it closes.
    void TrackPopupMenu(QMenu& menu, const QPoint& globalPos);

    // Test seam: while set, TrackPopupMenu hands the menu to the hook instead
    // of running it; the hook may trigger its actions. Returns the hook it
    // replaces.
    using PopupMenuHook = std::function<void(QMenu&)>;
    static PopupMenuHook SetPopupMenuHook(PopupMenuHook hook);

    // Sets the hook for its lifetime and then puts back the one it replaced.
    class PopupMenuHookScope
    {
    public:
        explicit PopupMenuHookScope(PopupMenuHook hook) : m_previous(SetPopupMenuHook(std::move(hook))) {}
        ~PopupMenuHookScope() { SetPopupMenuHook(std::move(m_previous)); }
        PopupMenuHookScope(const PopupMenuHookScope&) = delete;
        PopupMenuHookScope& operator=(const PopupMenuHookScope&) = delete;

    private:
        PopupMenuHook m_previous;
    };

    // Lets the user drop files from the file manager on the window; each
    // drop reaches OnDropFiles.
    void DragAcceptFiles(bool accept = true) { setAcceptDrops(accept); }

protected:
    // The frame's own part of window creation, after the menu and
    // accelerators: create the view and the bars. False fails LoadFrame.
    virtual bool OnCreate() { return true; }
    // Runs before every command that a menu item, toolbar button,
    // accelerator or ExecuteCommand starts, before its state is asked, so
    // that what every command needs first (such as storing an edit still
    // open over a cell) is done once for all of them.
    virtual void OnBeforeCommand(int /*id*/) {}
    // Local files dropped on the window, never an empty list; called once
    // the drop itself has ended.
    virtual void OnDropFiles(const QStringList& /*paths*/) {}

    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool BuildMenu(int resourceId);
    void BuildAccelerators(int resourceId);
    void OnBarCheck(int id);

    struct MenuList
    {
        QPointer<QMenu> menu;
        QPointer<QAction> anchor; // hidden; the items stand before it
        std::vector<QPointer<QAction>> items;
    };

    std::vector<std::pair<QPointer<QAction>, int>> m_commandActions;
    std::map<int, MenuList> m_menuLists;
    std::map<int, QPointer<QWidget>> m_controlBars;
    QPointer<QWidget> m_view;
};
