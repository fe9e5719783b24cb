#pragma once

#include "app/CFindDlg.h"
#include "app/ChannelEditCommand.h"
#include "channels/vnChannelList.h"
#include "grid/hvGridCtrl.h"
#include "modules/vnChannelLayout.h"
#include "modules/vnModuleManager.h"
#include "toolkit/CFrameWnd.h"
#include "toolkit/CReBar.h"

#include <QPointer>
#include <QString>
#include <QUndoStack>

#include <cstdint>
#include <string>
#include <vector>

class CHelpWindow;
class QPrinter;
class CStatusBar;
class QCloseEvent;
class QSessionManager;
class CToolBar;
class CTransparentDialogBar;
class vnTransfer;

// Scanlore's main window: the channel grid between the rebar (toolbar and
// bank bar) and the status bar. It owns the channel list that the grid
// shows (row i is the channel at index i) and a module manager, and carries
// out New, Select All, Find, Go To, the two uploads, the module's settings
// and the Modules command, the clipboard commands, Delete and the grid's
// columns.
//
// Every change to the channels is a step on one undo stack; the table is
// modified while the stack is away from its clean point, and New, Open,
// Exit, closing and the end of the desktop session ask before they let
// unsaved edits go.
//
// Constructing it runs the first-run check: on a user's first start the
// modules dialog comes up before any window.
class CMainFrame : public CFrameWnd, public hvGridCtrlOwner
{
    Q_OBJECT

public:
    CMainFrame();
    ~CMainFrame() override;

    // The text of a cell, and a text going back into its channel field as a
    // file gives it, outside the undo stack. A row outside the channel list
    // shows nothing and takes nothing.
    std::string GetCellText(int row, int column) const;
    void SetCellText(int row, int column, const std::string& text);

    std::string GetDispInfoText(int row, int column) override;
    // A finished edit: one undoable step when the typed text is a value of
    // the column and changes the channel; otherwise the status bar says why
    // the cell kept its value.
    void OnEndLabelEdit(int row, int column, const std::string& text) override;

    // Changes channels as one undoable step named text ("Paste of 12
    // Channels"). Nothing is recorded when no channel changes.
    void ChangeChannels(std::vector<ChannelEditCommand::Change> changes, const QString& text);
    QUndoStack& GetUndoStack() { return m_undoStack; }

    // Asks "Save changes to channels.csv?" when the table is modified and
    // saves when told to. False when the user cancels or the save does not
    // happen: the caller must then keep the channels as they are.
    bool SaveModified();
    // Opens a channel file without asking about unsaved edits (run
    // SaveModified first). A file that cannot be read changes nothing; one
    // read in part is shown and forgotten as the current file; one read whole
    // goes to the top of the recent files. True when the channels now hold
    // the file.
    bool OpenChannelFile(const QString& path);
    // Adds the channels of a file into the empty channels (those without a
    // frequency) from the focused row on, as one undoable step, and sums up
    // in a message what was read, added and left over. A file that cannot
    // be read changes nothing. True when the file was read.
    bool ImportChannelFile(const QString& path);

    vnChannelList& GetChannelList() { return m_channels; }
    hvGridCtrl* GetGrid() const { return m_grid; }
    CToolBar* GetToolBar() const { return m_toolBar; }
    CStatusBar* GetStatusBar() const { return m_statusBar; }
    CTransparentDialogBar* GetBankBar() const { return m_bankBar; }
    const CReBar& GetReBar() const { return m_reBar; }
    vnModuleManager& GetModuleManager() { return m_moduleManager; }
    // The help window once Help Topics has opened it; null before.
    CHelpWindow* GetHelpWindow() const { return m_helpWindow; }
    // The Find dialog once Find has made it; null before.
    CFindDlg* GetFindDialog() const { return m_findDlg; }

    // Full path of the channel file last opened or saved; empty when none.
    const std::string& GetFileName() const { return m_fileName; }
    void SetFileName(const std::string& fileName);

    // Prints the channel list: the grid's rows that have a frequency (only
    // the selected ones when the printer's range is the selection), in the
    // grid's shown columns and their order. The number of pages printed.
    int PrintChannels(QPrinter& printer);
    // Gives a printer the paper, orientation and margins that Page Setup
    // keeps in the settings store.
    static void ApplyPageSetup(QPrinter& printer);

    // The message box text for a failed upload: the fixed sentence, then
    // the reason when the transfer knows it, then a hint when another
    // program holds the port or (on Linux) the system refused access to it.
    static QString TransferErrorText(const std::string& reason);

protected:
    bool OnCreate() override;
    void OnDropFiles(const QStringList& paths) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void RegisterCommands();
    void UpdateTitle();
    QString DocumentName() const;
    void ShowAllChannels();
    void OnCommitDataRequest(QSessionManager& manager);
    bool Save();
    bool SaveAs();
    void UpdateRecentFileMenu();

    void OnFileNew();
    void OnFileOpen();
    void OnFileImport();
    void OnFileSave();
    void OnFileSaveAs();
    void OnEditUndo();
    void OnEditRedo();
    void OnFileRecent(int index);
    void OnEditSelectAll();
    void OnEditFind();
    // The Find dialog's search from the focused row, in its direction or,
    // reversed, the other way.
    void FindNext(bool reverse);
    void OnEditGoTo();
    void OnTransferUploadSelected();
    void OnTransferUploadAll();
    void OnTransferSettings();
    void OnTransferModules();
    void OnHelpTopics();
    void OnFilePageSetup();
    void OnFilePrint();
    void OnFilePrintPreview();

    // Clipboard, Delete, the grid's shortcut menu and its columns.
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditDelete();
    void OnViewColumns();
    void OnGridContextMenu(const QPoint& position);
    // List indexes of the selected rows, top to bottom.
    std::vector<std::int32_t> SelectedRows() const;
    // Puts the rows on the clipboard as tab-separated cell texts and as a
    // channel file.
    void CopyRows(const std::vector<std::int32_t>& rows);
    // How many of the rows' channels the current module's upload would
    // refuse, and why it refuses the first of them.
    int CountNotSendable(const std::vector<std::int32_t>& rows, std::string& firstReason);
    // Clears the rows' channels to New's empty values as one step.
    void ClearRows(const std::vector<std::int32_t>& rows, const char* verb);
    // Brings the toolbar's buttons up to date once, when control is back in
    // the event loop, however many selection changes came before.
    void RequestCommandUIUpdate();

    // The transfer error box; outcome, when given, says how far the command
    // got.
    void ShowTransferError(const vnTransfer* transfer, const QString& outcome = QString());
    // Says in the status bar how far a cancelled upload command got.
    void ShowCancelled(int channel, int channels);
    // Warns in the status bar when the channel of a row could not be sent.
    void WarnIfNotSendable(int row);
    // The current module's channel numbering; empty when there is none.
    vnChannelLayout GetLayout();
    // The grid row showing this channel number; -1 when none does.
    int FindChannelRow(std::int32_t number) const;
    // Makes row the only selected row and the focused one, and shows it.
    void SelectRow(int row);

    // Widgets are children of the window; these only point at them.
    CStatusBar* m_statusBar = nullptr;
    CToolBar* m_toolBar = nullptr;
    CReBar m_reBar;
    CTransparentDialogBar* m_bankBar = nullptr;
    hvGridCtrl* m_grid = nullptr;
    vnModuleManager m_moduleManager;
    vnChannelList m_channels;
    std::string m_fileName;
    QString m_lastWarning; // the status-bar warning shown last, if any
    // After the channel list: its steps point into the list.
    QUndoStack m_undoStack;
    // Made on first use and kept, hidden when closed, until the window goes.
    CHelpWindow* m_helpWindow = nullptr;
    QPointer<CFindDlg> m_findDlg; // modeless, made by the first Find
    bool m_commandUIUpdatePending = false;
};
