#pragma once

#include "app/CFindDlg.h"
#include "app/ChannelDocument.h"
#include "core/ScannerRecord.h"
#include "grid/hvGridCtrl.h"
#include "modules/vnModuleManager.h"
#include "modules/vnScannerBands.h"
#include "toolkit/CFrameWnd.h"
#include "toolkit/CReBar.h"

#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CGridEditCommands;
class CHelpWindow;
class QPrinter;
class CStatusBar;
class QCloseEvent;
class QEvent;
class QSessionManager;
class CToolBar;
class CTransparentDialogBar;
class QLabel;

// Scanlore's main window: the channel grid between the rebar (toolbar and
// bank bar) and the status bar. It shows the open channel table, a
// ChannelDocument, and carries out the menus' commands on it: it asks the
// document, the current module and the dialogs, and shows their answers.
// The grid's rows are the document's channels, row i the channel at index i.
//
// The table is modified while the document's undo stack is away from its
// clean point; New, Open, Exit, closing and the end of the desktop session
// ask before they let unsaved edits go.
//
// Constructing it runs the first-run check: on a user's first start the
// modules dialog comes up before any window.
class CMainFrame : public CFrameWnd, public hvGridCtrlOwner
{
    Q_OBJECT

public:
    CMainFrame();
    ~CMainFrame() override;

    std::string GetDispInfoText(int row, int column) override;
    // Frequencies outside the scanner's bands or off the channel steps, in the
    // words of the upload's question.
    std::string GetCellWarning(int row, int column) override;
    // A channel that differs from what the scanner's record says it holds is
    // marked on its number, with what the scanner has.
    std::string GetCellMark(int row, int column) override;
    // A finished edit goes to the document; the status bar says why a text
    // was refused or that the upload would refuse the channel.
    void OnEndLabelEdit(int row, int column, const std::string& text) override;
    // The flags' check boxes and rows dragged by their number go to the
    // grid's edit commands.
    bool GetDispInfoCheck(int row, int column) override;
    void OnCheckChanged(const std::vector<int>& rows, int column, bool checked) override;
    void OnRowsDropped(const std::vector<int>& rows, int before) override;
    // The grid's edit commands come first.
    bool OnCmdMsg(int id, CCmdUI* ui) override;

    ChannelDocument& GetDocument() { return m_document; }

    // Asks "Save changes to channels.csv?" when the table is modified and
    // saves when told to. False when the user cancels or the save does not
    // happen: the caller must then keep the channels as they are.
    bool SaveModified();
    // Opens a channel file without asking about unsaved edits (run
    // SaveModified first) and shows what the document says of it; a file
    // read whole goes to the top of the recent files. True when the
    // channels now hold the file.
    bool OpenChannelFile(const QString& path);
    // What the window does on being activated: when another program has
    // changed the current file, offers to reload it (an undoable step) if
    // nothing is edited, and otherwise says that Save will ask.
    void CheckOutsideChange();
    // Adds the channels of a file into the empty channels from the focused
    // row on and shows the document's summary. True when the file was read.
    bool ImportChannelFile(const QString& path);

    hvGridCtrl* GetGrid() const { return m_grid; }
    CToolBar* GetToolBar() const { return m_toolBar; }
    CStatusBar* GetStatusBar() const { return m_statusBar; }
    CTransparentDialogBar* GetBankBar() const { return m_bankBar; }
    const CReBar& GetReBar() const { return m_reBar; }
    // The help window once Help Topics has opened it; null before.
    CHelpWindow* GetHelpWindow() const { return m_helpWindow; }
    // "6 channels differ from the Pro-89", in the status bar.
    QLabel* GetScannerDifferenceLabel() const { return m_scannerDifferences; }
    // The Find dialog once Find has made it; null before.
    CFindDlg* GetFindDialog() const { return m_findDlg; }

    // Prints the channel list: the channels that have a frequency (only the
    // selected ones when the printer's range is the selection), in the
    // grid's shown columns and their order. The number of pages printed.
    int PrintChannels(QPrinter& printer);
    // Prints the race card of the channels; cars locked out on every channel
    // only with withLockedOut. The number of pages printed.
    int PrintRaceCard(QPrinter& printer, bool withLockedOut);

protected:
    bool OnCreate() override;
    void OnBeforeCommand(int id) override;
    void OnDropFiles(const QStringList& paths) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void RegisterCommands();
    // Follow Cars and Print Race Card.
    void RegisterRaceWeekendCommands();
    void CreateColumns();
    void UpdateTitle();
    void OnCommitDataRequest(QSessionManager& manager);
    bool Save();
    // Asks for a name, offering proposed, and saves under it.
    bool SaveAs(const QString& proposed = QString());
    void UpdateRecentFileMenu();
    // The file dialog for a channel file to open or to save as; empty when
    // cancelled.
    // The file to open or import.
    QString AskFileName();
    // Shows what a file command said; with remember, a file that is now the
    // current one goes to the top of the recent files.
    bool ShowFileOutcome(const ChannelDocument::FileOutcome& outcome, bool remember);
    // A document's message in a box, when it has one.
    void ShowMessage(const ChannelDocument::Message& message);
    // A document's message in the status bar; none clears it.
    void ShowStatus(const ChannelDocument::Message& message);

    void OnFileNew();
    void OnFileOpen();
    void OnFileImport();
    void OnFileRecent(int index);
    void OnEditFind();
    // The Find dialog's search from the focused row, in its direction or,
    // reversed, the other way.
    void FindNext(bool reverse);
    void OnEditGoTo();
    // Upload Selected, or Upload All.
    void OnTransferUpload(bool selected);
    void OnTransferSettings();
    void OnTransferModules(bool introduce = false);
    // The current scanner's bands, which the grid marks frequencies by.
    void UpdateBands();
    // The current scanner's record, which the grid marks channels by.
    void UpdateScannerRecord();
    // The status bar's count of channels that differ from the record.
    void UpdateScannerDifferences();
    void OnTransferUploadChanged();
    void OnViewCompareScanner();
    void ShowHelp(const QUrl& page);
    void OnFilePageSetup();
    void OnFilePrint();
    void OnFilePrintPreview();
    // Print to PDF offers the table's name with .pdf beside its file.
    void OfferPdfName(QPrinter& printer) const;
    void OnEditFollowCars();
    // Undo or Redo, saying which step it took back or did again.
    void UndoStep(bool redo);
    void OnFilePrintRaceCard();

    void OnViewColumns();
    // Brings the toolbar's buttons up to date once, when control is back in
    // the event loop, however many selection changes came before.
    void RequestCommandUIUpdate();

    // Widgets are children of the window; these only point at them.
    CStatusBar* m_statusBar = nullptr;
    CToolBar* m_toolBar = nullptr;
    CReBar m_reBar;
    CTransparentDialogBar* m_bankBar = nullptr;
    hvGridCtrl* m_grid = nullptr;
    vnModuleManager m_moduleManager;
    vnScannerBands m_bands;
    ScannerRecord m_scannerRecord;
    QLabel* m_scannerDifferences = nullptr; // child of the status bar
    ChannelDocument m_document;
    std::unique_ptr<CGridEditCommands> m_editCommands; // made with the grid
    // Made on first use and kept, hidden when closed, until the window goes.
    CHelpWindow* m_helpWindow = nullptr;
    QPointer<CFindDlg> m_findDlg; // modeless, made by the first Find
    bool m_commandUIUpdatePending = false;
};
