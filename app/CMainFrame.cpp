#include "app/CMainFrame.h"

#include "channels/vnWords.h"

#include "app/CChannelPrinter.h"
#include "app/CChooseColumnsDlg.h"
#include "app/CColumnsDlg.h"
#include "app/CCompareScannerDlg.h"
#include "app/CFindDlg.h"
#include "app/CFollowCarsDlg.h"
#include "app/CGoToDlg.h"
#include "app/CGridEditCommands.h"
#include "app/CHelpWindow.h"
#include "app/CPageSetup.h"
#include "app/CRaceCardPrinter.h"
#include "app/CRecentFileList.h"
#include "app/CTransparentDialogBar.h"
#include "app/CUploadCommand.h"
#include "app/CWindowState.h"
#include "core/ChannelRaceCard.h"
#include "core/ChannelSteps.h"
#include "core/ScannerComparison.h"
#include "core/ScannerRecordUpload.h"
#include "modules/ui/vnManagerModulesDlg.h"
#include "modules/vnModule.h"
#include "modules/vnModuleLease.h"
#include "modules/vnSettingsStore.h"
#include "modules/vnTransfer.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"
#include "toolkit/CFileDialog.h"
#include "toolkit/CMessageBox.h"
#include "toolkit/CStatusBar.h"
#include "toolkit/CToolBar.h"
#include "toolkit/FileNameCodec.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSessionManager>
#include <QTimer>

namespace {

const std::string kRootSection;
const std::string kFirstRun = "First Run";

const QString kChannelFileExtension = QStringLiteral("csv");
constexpr int kStatusPanes[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// A menu label that names the step: "&Undo Frequency of Channel 12\tCtrl+Z";
// plain is the label without a step, named the one with.
QString StepLabel(int plain, int named, const QString& step, const char* keys)
{
    const QString label = step.isEmpty() ? LoadStringText(plain) : LoadStringText(named).arg(step);
    return label + QLatin1Char('\t') + QString::fromUtf8(keys);
}

CRecentFileList RecentFiles()
{
    return CRecentFileList(vnSettings(), ID_FILE_MRU_COUNT);
}

} // namespace

CMainFrame::CMainFrame() : m_reBar(this)
{
    resize(780, 560);
    RegisterCommands();
    connect(&m_document.GetUndoStack(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    connect(&m_document, &ChannelDocument::PathChanged, this, &CMainFrame::UpdateTitle);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &CMainFrame::OnCommitDataRequest, Qt::DirectConnection);
    // Edits, pastes and imports say at once what the upload would refuse.
    m_document.SetChannelCheck([this](const std::vector<const vnChannel*>& channels) {
        return vnModuleLease(m_moduleManager).ReviewChannels(channels);
    });

    // First-run check, before the window exists: the modules dialog once.
    vnSettingsStore& settings = vnSettings();
    if (settings.GetSettingInt(kRootSection, kFirstRun, 1) != 0) {
        OnTransferModules(true);
        settings.SetSettingInt(kRootSection, kFirstRun, 0);
    }
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::RegisterCommands()
{
    // The commands this window handles; everything else goes on to the
    // application object, and what nobody handles stays greyed.
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_FILE_IMPORT, [this] { OnFileImport(); });
    OnCommand(ID_FILE_SAVE, [this] { Save(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { SaveAs(); });
    QUndoStack& undo = m_document.GetUndoStack();
    OnCommand(ID_EDIT_UNDO, [this] { UndoStep(false); });
    OnUpdateCommandUI(ID_EDIT_UNDO, [&undo](CCmdUI& ui) {
        ui.Enable(undo.canUndo());
        ui.SetText(
            StepLabel(IDS_UNDO_LABEL, IDS_UNDO_STEP_LABEL, undo.canUndo() ? undo.undoText() : QString(), "Ctrl+Z"));
    });
    OnCommand(ID_EDIT_REDO, [this] { UndoStep(true); });
    OnUpdateCommandUI(ID_EDIT_REDO, [&undo](CCmdUI& ui) {
        ui.Enable(undo.canRedo());
        ui.SetText(
            StepLabel(IDS_REDO_LABEL, IDS_REDO_STEP_LABEL, undo.canRedo() ? undo.redoText() : QString(), "Ctrl+Y"));
    });
    for (int index = 0; index < ID_FILE_MRU_COUNT; ++index)
        OnCommand(ID_FILE_MRU_FILE1 + index, [this, index] { OnFileRecent(index); });
    OnCommand(ID_EDIT_SELECT_ALL, [this] { m_grid->SelectAll(); });
    OnCommand(ID_EDIT_FIND, [this] { OnEditFind(); });
    OnCommand(ID_EDIT_FIND_NEXT, [this] { FindNext(false); });
    OnCommand(ID_EDIT_FIND_PREVIOUS, [this] { FindNext(true); });
    OnCommand(ID_EDIT_GOTO, [this] { OnEditGoTo(); });
    // Greyed while there is nothing to act on.
    const auto needRows = [this](CCmdUI& ui) { ui.Enable(m_document.GetCount() > 0); };
    const auto needSearch = [this](CCmdUI& ui) {
        ui.Enable(m_document.GetCount() > 0 && m_findDlg && !m_findDlg->GetRequest().what.isEmpty());
    };
    OnUpdateCommandUI(ID_EDIT_FIND, needRows);
    OnUpdateCommandUI(ID_EDIT_FIND_NEXT, needSearch);
    OnUpdateCommandUI(ID_EDIT_FIND_PREVIOUS, needSearch);
    OnUpdateCommandUI(ID_EDIT_GOTO, needRows);
    OnCommand(ID_VIEW_COLUMNS, [this] { OnViewColumns(); });
    OnCommand(ID_TRANSFER_UPLOAD_SELECTED, [this] { OnTransferUpload(true); });
    OnCommand(ID_TRANSFER_UPLOAD_ALL, [this] { OnTransferUpload(false); });
    OnCommand(ID_TRANSFER_UPLOAD_CHANGED, [this] { OnTransferUploadChanged(); });
    OnCommand(ID_VIEW_COMPARE_SCANNER, [this] { OnViewCompareScanner(); });
    OnCommand(ID_TRANSFER_SETTINGS, [this] { OnTransferSettings(); });
    OnCommand(ID_TRANSFER_MODULES, [this] { OnTransferModules(); });
    OnCommand(ID_HELP_TOPICS, [this] { ShowHelp(CHelpWindow::ContentsPage); });
    OnCommand(ID_FILE_PAGE_SETUP, [this] { OnFilePageSetup(); });
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    OnCommand(ID_TOOLBAR_PRINT, [this] { OnFilePrint(); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
    RegisterRaceWeekendCommands();
}

void CMainFrame::RegisterRaceWeekendCommands()
{
    OnCommand(ID_EDIT_FOLLOW_CARS, [this] { OnEditFollowCars(); });
    OnCommand(ID_FILE_PRINT_RACE_CARD, [this] { OnFilePrintRaceCard(); });
    // Greyed while the table has no car numbers.
    const auto needCars = [this](CCmdUI& ui) { ui.Enable(!m_document.GetCars().empty()); };
    OnUpdateCommandUI(ID_EDIT_FOLLOW_CARS, needCars);
    OnUpdateCommandUI(ID_FILE_PRINT_RACE_CARD, [this](CCmdUI& ui) { ui.Enable(m_document.GetCount() > 0); });
}

bool CMainFrame::OnCreate()
{
    m_grid = new hvGridCtrl(this, this);
    SetActiveView(m_grid);
    m_editCommands = std::make_unique<CGridEditCommands>(*this, *m_grid, m_document,
                                                         [this](const auto& message) { ShowStatus(message); });
    AddAccelerators(IDR_GRID, m_grid);

    m_toolBar = new CToolBar(this);
    if (!m_toolBar->LoadToolBar(IDR_MAINFRAME))
        return false;
    SetControlBar(AFX_IDW_TOOLBAR, m_toolBar);

    m_bankBar = new CTransparentDialogBar(this);
    if (!m_bankBar->GetDlgItem(IDC_BANK_COMBO))
        return false;

    m_reBar.AddBar(m_toolBar);
    m_reBar.AddBar(m_bankBar);

    m_statusBar = new CStatusBar(this);
    if (!m_statusBar->SetIndicators(kStatusPanes))
        return false;
    setStatusBar(m_statusBar);
    SetControlBar(AFX_IDW_STATUS_BAR, m_statusBar);
    m_scannerDifferences = new QLabel(m_statusBar);
    m_statusBar->addPermanentWidget(m_scannerDifferences);

    m_bankBar->SetBanks(vnModuleLease(m_moduleManager).GetLayout());
    UpdateBands();
    connect(m_bankBar, &CTransparentDialogBar::BankChosen, this, [this](std::int32_t first) {
        if (const std::int32_t row = m_document.FindChannel(first); row >= 0)
            m_grid->SelectOnly(row);
    });

    CreateColumns();
    // The grid shows the document's channels, always as many rows as it has,
    // from channel 1 at the top, with a line between banks.
    connect(&m_document, &ChannelDocument::Reset, this, [this] {
        m_grid->SetItemCount(m_document.GetCount());
        const std::vector<std::int32_t> banks = m_document.GetBankStarts();
        m_grid->SetGroupStarts({banks.begin(), banks.end()});
        m_grid->scrollToTop();
        m_grid->SelectOnly(0);
    });
    connect(&m_document, &ChannelDocument::ChannelsChanged, m_grid, &hvGridCtrl::RedrawItems);
    connect(&m_document, &ChannelDocument::Reset, this, &CMainFrame::UpdateScannerDifferences);
    connect(&m_document, &ChannelDocument::ChannelsChanged, this, &CMainFrame::UpdateScannerDifferences);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_editCommands->ShowContextMenu(at); });
    // The toolbar's Cut, Copy and Paste follow the selection and the clipboard.
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CMainFrame::RequestCommandUIUpdate);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::RequestCommandUIUpdate);
    // The bank bar follows the focused row.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& row) {
        if (const vnChannel* channel = m_document.GetAt(row.row()))
            m_bankBar->ShowBankOf(channel->GetNumber());
    });

    CWindowState::Read(vnSettings()).Apply(*this);
    UpdateRecentFileMenu();
    DragAcceptFiles();

    OnFileNew();
    UpdateScannerRecord();
    return true;
}

void CMainFrame::CreateColumns()
{
    for (const ChannelFieldInfo& info : ChannelFields())
        m_grid->InsertColumn(ColumnOf(info.field), LoadStringText(info.title),
                             info.alignLeft ? hvGridCtrl::FormatLeft : hvGridCtrl::FormatCenter, info.width);
    m_grid->model()->setHeaderData(ColumnOf(ChannelField::Number), Qt::Horizontal,
                                   LoadStringText(IDS_COLUMN_NUMBER_NAME), Qt::AccessibleTextRole);
    // A character typed on one selected row starts editing its description,
    // which also takes the room a wider window gives the grid.
    m_grid->SetTypingColumn(ColumnOf(ChannelField::Description));
    m_grid->SetFillColumn(ColumnOf(ChannelField::Description));
    for (const ChannelFieldInfo& info : ChannelFields())
        m_grid->SetColumnCheckBox(ColumnOf(info.field), info.flag);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    CFrameWnd::closeEvent(event);
    if (event->isAccepted())
        CWindowState::Capture(*this).Write(vnSettings());
}

std::string CMainFrame::GetDispInfoText(int row, int column)
{
    const auto field = FieldOfColumn(column);
    return field ? m_document.GetCellText(row, *field) : std::string();
}

std::string CMainFrame::GetCellWarning(int row, int column)
{
    const vnChannel* channel = FieldOfColumn(column) == ChannelField::Frequency ? m_document.GetAt(row) : nullptr;
    if (!channel)
        return {};
    const std::string outside = m_bands.Warning(*channel);
    return outside.empty() ? OffStepWarning(*channel) : outside;
}

std::string CMainFrame::GetCellMark(int row, int column)
{
    const vnChannel* channel = FieldOfColumn(column) == ChannelField::Number ? m_document.GetAt(row) : nullptr;
    return channel ? DifferenceTooltip(*channel, m_scannerRecord) : std::string();
}

void CMainFrame::UpdateScannerRecord()
{
    const vnModuleLease module(m_moduleManager);
    const std::string scanner = module.GetScannerName();
    m_scannerRecord =
        scanner.empty() ? ScannerRecord() : ScannerRecordUpload(scanner, m_document.GetChannels()).GetRecord();
    UpdateScannerDifferences();
    if (m_grid)
        m_grid->RedrawItems(0, m_document.GetCount() - 1);
}

void CMainFrame::UpdateScannerDifferences()
{
    if (!m_scannerDifferences)
        return;
    const std::string scanner = m_scannerRecord.GetScanner();
    const std::size_t count = scanner.empty() ? 0 : FindDifferences(m_document.GetChannels(), m_scannerRecord).size();
    m_scannerDifferences->setText(
        QString::fromStdString(DifferenceCountText(static_cast<std::int32_t>(count), scanner)));
}

void CMainFrame::OnTransferUploadChanged()
{
    CUploadCommand upload(
        m_moduleManager, this, *m_statusBar, [this] { ShowHelp(CHelpWindow::NoAnswerPage); },
        [this] { UpdateScannerRecord(); });
    upload.Changed(m_document.GetChannels());
}

void CMainFrame::OnViewCompareScanner()
{
    UpdateScannerRecord();
    const std::string& scanner = m_scannerRecord.GetScanner();
    const std::vector<ComparisonRow> rows = ComparisonRows(m_document.GetChannels(), m_scannerRecord);
    std::string summary;
    const std::string sent = ScannerRecord::ShortTime(m_scannerRecord.GetLastUpload());
    const std::string& port = m_scannerRecord.GetLastPort();
    if (m_scannerRecord.IsEmpty())
        summary = vnWords::Say(IDS_NOTHING_SENT_TO_SCANNER, {scanner});
    else if (rows.empty())
        summary = vnWords::Say(IDS_COMPARE_SAME, {scanner, sent});
    else
        summary = vnWords::Say(port.empty() ? IDS_COMPARE_DIFFERENT : IDS_COMPARE_DIFFERENT_PORT,
                               {DifferenceCountText(static_cast<std::int32_t>(rows.size()), scanner), sent, port});
    CCompareScannerDlg dialog(summary, rows, this);
    dialog.DoModal();
}

void CMainFrame::UpdateBands()
{
    m_bands = vnModuleLease(m_moduleManager).GetBands();
    if (m_grid) // not yet on the first start
        m_grid->RedrawItems(0, m_document.GetCount() - 1);
}

void CMainFrame::OnEndLabelEdit(int row, int column, const std::string& text)
{
    if (const auto field = FieldOfColumn(column))
        ShowStatus(m_document.EditCell(row, *field, text));
}

bool CMainFrame::GetDispInfoCheck(int row, int column)
{
    const auto field = FieldOfColumn(column);
    return field && m_document.GetFlag(row, *field);
}

void CMainFrame::OnCheckChanged(const std::vector<int>& rows, int column, bool checked)
{
    m_editCommands->SetFlag(rows, column, checked);
}

void CMainFrame::OnRowsDropped(const std::vector<int>& rows, int before)
{
    m_editCommands->MoveRowsTo(rows, before);
}

void CMainFrame::OnBeforeCommand(int /*id*/)
{
    // A cell still being edited is part of the table as the user sees it:
    // every command (save, upload, undo, print, ...) acts on it stored.
    if (m_grid)
        m_grid->CommitEdit();
}

bool CMainFrame::OnCmdMsg(int id, CCmdUI* ui)
{
    return (m_editCommands && m_editCommands->OnCmdMsg(id, ui)) || CFrameWnd::OnCmdMsg(id, ui);
}

void CMainFrame::changeEvent(QEvent* event)
{
    CFrameWnd::changeEvent(event);
    // Once the activation is over, so that a box it shows does not come
    // up inside it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, [this] { CheckOutsideChange(); });
}

void CMainFrame::CheckOutsideChange()
{
    if (!m_document.NoticeOutsideChange())
        return;
    const QString name = m_document.GetDisplayName();
    if (m_document.IsModified() || m_grid->GetOpenEditor()) {
        ShowStatus({ChannelDocument::Message::Kind::Warning, LoadStringText(IDS_CHANGED_OUTSIDE_KEPT).arg(name)});
        return;
    }
    if (CMessageBox::Show(this, LoadStringText(IDS_CHANGED_OUTSIDE_RELOAD).arg(name), CMessageBox::Question,
                          CMessageBox::ReloadKeep) == IDYES)
        ShowFileOutcome(m_document.Reload(), false);
}

void CMainFrame::ShowMessage(const ChannelDocument::Message& message)
{
    if (!message.IsEmpty())
        CMessageBox::Show(this, message.text,
                          message.kind == ChannelDocument::Message::Kind::Warning ? CMessageBox::Exclamation
                                                                                  : CMessageBox::Information);
}

void CMainFrame::ShowStatus(const ChannelDocument::Message& message)
{
    if (!m_statusBar)
        return;
    if (message.IsEmpty())
        m_statusBar->clearMessage();
    else
        m_statusBar->showMessage(message.text);
}

void CMainFrame::UpdateTitle()
{
    const std::string_view app = LoadStringResource(IDR_MAINFRAME);
    setWindowTitle(m_document.GetDisplayName() + QStringLiteral("[*] - ") +
                   QString::fromUtf8(app.data(), static_cast<qsizetype>(app.size())));
}

bool CMainFrame::SaveModified()
{
    // An edit still open over a cell is an unsaved change too (closing the
    // window and the session's end come here without a command).
    if (m_grid)
        m_grid->CommitEdit();
    if (!m_document.IsModified())
        return true;
    switch (CMessageBox::Show(this, LoadStringText(IDS_SAVE_CHANGES).arg(m_document.GetDisplayName()),
                              CMessageBox::Question, CMessageBox::SaveDiscardCancel)) {
    case IDYES:
        return Save();
    case IDNO:
        return true;
    default:
        return false;
    }
}

void CMainFrame::OnCommitDataRequest(QSessionManager& manager)
{
    // Without leave to ask, there is nobody to answer the question.
    if (!manager.allowsInteraction())
        return;
    const bool leave = SaveModified();
    manager.release();
    if (!leave)
        manager.cancel();
}

void CMainFrame::OnFileNew()
{
    if (!SaveModified())
        return;
    m_document.New(vnModuleLease(m_moduleManager).GetLayout());
    // The last upload's message was about another table.
    ShowStatus({});
}

void CMainFrame::OnFileOpen()
{
    if (!SaveModified())
        return;
    if (const QString path = AskFileName(); !path.isEmpty())
        OpenChannelFile(path);
}

bool CMainFrame::OpenChannelFile(const QString& name)
{
    // A read of more than half a second shows how far it is, with Cancel.
    constexpr int kSteps = 1000;
    QProgressDialog progress(LoadStringText(IDS_OPENING).arg(QFileInfo(name).fileName()),
                             LoadStringText(IDS_UPLOAD_CANCEL), 0, kSteps, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    const auto tell = [&progress](std::uint64_t done, std::uint64_t total) {
        progress.setValue(total == 0 ? 0 : static_cast<int>(done * kSteps / total));
        return !progress.wasCanceled();
    };
    const std::string path = NativeFilePath(name);
    ChannelDocument::FileOutcome outcome = m_document.Open(path, tell);
    // Read: what follows asks the user, without the progress over it.
    progress.reset();
    // A header Scanlore cannot use is no dead end: the user may say what its
    // columns hold, and again when that choice does not read the file.
    while (!outcome.ok && !outcome.columns.empty()) {
        const int answer =
            CMessageBox::Show(this, outcome.message.text, CMessageBox::Exclamation, CMessageBox::ChooseColumnsClose);
        outcome.message = {};
        if (answer != IDYES)
            break;
        CChooseColumnsDlg dialog(QFileInfo(name).fileName().toStdString(), outcome.columns, this);
        if (dialog.DoModal() != IDOK)
            break;
        outcome = m_document.OpenWithColumns(path, dialog.GetChoice(), outcome.header);
    }
    return ShowFileOutcome(outcome, true);
}

void CMainFrame::OnFileImport()
{
    if (const QString path = AskFileName(); !path.isEmpty())
        ImportChannelFile(path);
}

bool CMainFrame::ImportChannelFile(const QString& name)
{
    return ShowFileOutcome(m_document.Import(NativeFilePath(name), m_grid->GetFocusedItem()), false);
}

void CMainFrame::OnFileRecent(int index)
{
    const QStringList paths = RecentFiles().GetPaths();
    if (index >= paths.size())
        return;
    const QString path = paths[index];
    if (!FileNameExists(path)) {
        RecentFiles().Remove(path);
        UpdateRecentFileMenu();
        CMessageBox::Show(this, LoadStringText(IDS_RECENT_FILE_GONE).arg(path), CMessageBox::Exclamation);
        return;
    }
    if (SaveModified())
        OpenChannelFile(path);
}

void CMainFrame::OnDropFiles(const QStringList& paths)
{
    // One channel list: the first file dropped is the one opened.
    activateWindow();
    if (SaveModified())
        OpenChannelFile(paths.front());
}

void CMainFrame::UpdateRecentFileMenu()
{
    SetMenuList(ID_FILE_MRU_FILE1, RecentFiles().GetMenuItems());
}

bool CMainFrame::Save()
{
    ChannelDocument::FileOutcome outcome = m_document.Save();
    if (outcome.changedOutside) {
        // Nothing is written until the user has decided.
        switch (CMessageBox::Show(this, outcome.message.text, CMessageBox::Exclamation,
                                  CMessageBox::SaveAnywaySaveAsCancel)) {
        case IDYES:
            outcome = m_document.Save(true);
            break;
        case IDNO:
            return SaveAs(DecodeFileName(QByteArray::fromStdString(m_document.GetPath())));
        default:
            return false;
        }
    }
    if (!outcome.needsName)
        return ShowFileOutcome(outcome, true);
    ShowMessage(outcome.message); // why the file is not replaced
    return SaveAs(DecodeFileName(QByteArray::fromStdString(outcome.proposedPath)));
}

bool CMainFrame::SaveAs(const QString& proposed)
{
    CFileDialog dialog(false, kChannelFileExtension, proposed, CFileDialog::HideReadOnly | CFileDialog::OverwritePrompt,
                       LoadStringText(IDS_SAVE_AS_FILTER), this);
    if (dialog.DoModal() != IDOK)
        return false;
    const std::string path = NativeFilePath(dialog.GetPathName());
    // The second file type exports CHIRP's layout and keeps the current file.
    const bool chirp = dialog.GetFilterIndex() == 2;
    return ShowFileOutcome(chirp ? m_document.ExportChirp(path) : m_document.SaveAs(path), !chirp);
}

QString CMainFrame::AskFileName()
{
    CFileDialog dialog(true, kChannelFileExtension, QString(), CFileDialog::HideReadOnly | CFileDialog::FileMustExist,
                       LoadStringText(IDS_CHANNEL_FILE_FILTER), this);
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : QString();
}

bool CMainFrame::ShowFileOutcome(const ChannelDocument::FileOutcome& outcome, bool remember)
{
    ShowMessage(outcome.message);
    // What was done, and what the scanner would not receive; a failed
    // command leaves the status as it was but for the bands.
    QStringList status;
    if (!outcome.done.isEmpty())
        status << outcome.done + QLatin1Char('.');
    if (const std::string outside = m_bands.OutsideText(m_document.GetChannels()); !outside.empty())
        status << QString::fromStdString(outside);
    m_statusBar->showMessage(status.join(QLatin1Char(' ')));
    if (outcome.ok && remember) {
        RecentFiles().Add(DecodeFileName(QByteArray::fromStdString(m_document.GetPath())));
        UpdateRecentFileMenu();
    }
    return outcome.ok;
}

void CMainFrame::OnEditGoTo()
{
    const vnChannelLayout layout = vnModuleLease(m_moduleManager).GetLayout();
    CGoToDlg dialog(layout.GetFirstChannel(), layout.GetLastChannel(), this);
    if (dialog.DoModal() != IDOK)
        return;
    if (const std::int32_t row = m_document.FindChannel(dialog.GetChannel()); row >= 0) {
        // At the top, so that a click aimed below it lands where the user
        // looks, whether the channel was above the view or below it.
        m_grid->SelectOnly(row);
        m_grid->ScrollRowToTop(row);
        return;
    }
    // A layout's number that the table does not hold (a shorter file opened).
    m_statusBar->showMessage(LoadStringText(IDS_GOTO_NOT_SHOWN).arg(dialog.GetChannel()));
}

void CMainFrame::OnEditFind()
{
    if (!m_findDlg) {
        m_findDlg = new CFindDlg(this);
        connect(m_findDlg, &CFindDlg::FindNext, this, &CMainFrame::FindNext);
    }
    m_findDlg->ShowFind();
}

void CMainFrame::FindNext(bool reverse)
{
    const FindRequest request = m_findDlg ? m_findDlg->GetRequest() : FindRequest();
    if (request.what.isEmpty())
        return;
    const bool down = request.down != reverse;
    const RowSearchResult found = m_document.Find(m_grid->GetFocusedItem(), down, [&](const std::string& text) {
        return request.Matches(QString::fromStdString(text));
    });
    if (found.row >= 0) {
        m_grid->SelectOnly(found.row);
        m_grid->ScrollRowToTop(found.row);
    }
    if (found.row < 0)
        m_statusBar->showMessage(LoadStringText(IDS_FIND_NOT_FOUND).arg(request.what));
    else if (found.wrapped)
        m_statusBar->showMessage(LoadStringText(down ? IDS_FIND_WRAPPED_DOWN : IDS_FIND_WRAPPED_UP));
    else
        m_statusBar->clearMessage();
}

void CMainFrame::OnTransferUpload(bool selected)
{
    CUploadCommand upload(
        m_moduleManager, this, *m_statusBar, [this] { ShowHelp(CHelpWindow::NoAnswerPage); },
        [this] { UpdateScannerRecord(); });
    const std::vector<int> rows = m_grid->GetSelectedRows();
    selected ? upload.Selected(m_document.GetChannels(), {rows.begin(), rows.end()})
             : upload.All(m_document.GetChannels());
}

void CMainFrame::OnTransferSettings()
{
    // The same dialog as Properties in the modules dialog; the module stores
    // what it changes, and the next command's fresh module reads it.
    vnModuleLease module(m_moduleManager);
    if (module.Get())
        module.Get()->ShowProperties();
    UpdateBands();
    UpdateScannerRecord();
}

void CMainFrame::OnTransferModules(bool introduce)
{
    // Over the main window once it is on screen; on the first start there
    // is no window yet and the dialog stands alone.
    vnManagerModulesDlg dialog(isVisible() ? this : nullptr);
    dialog.SetIntroduction(introduce);
    dialog.DoModal();
    UpdateBands();
    UpdateScannerRecord();
}

void CMainFrame::OnFilePageSetup()
{
    CPageSetup::RunDialog(this, vnSettings());
}

void CMainFrame::OnFilePrint()
{
    QPrinter printer(QPrinter::HighResolution);
    CPageSetup::Read(vnSettings()).Apply(printer);
    OfferPdfName(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, m_grid->GetSelectedCount() > 0);
    if (dialog.exec() == QDialog::Accepted)
        PrintChannels(printer);
}

void CMainFrame::OnFilePrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    CPageSetup::Read(vnSettings()).Apply(printer);
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { PrintChannels(*target); });
    dialog.exec();
}

int CMainFrame::PrintChannels(QPrinter& printer)
{
    vnModuleLease module(m_moduleManager);
    return CChannelPrinter::PrintDocument(printer, m_document, *m_grid, module.Get());
}

void CMainFrame::RequestCommandUIUpdate()
{
    if (m_commandUIUpdatePending)
        return;
    m_commandUIUpdatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_commandUIUpdatePending = false;
        UpdateCommandUI();
    });
}

void CMainFrame::OnViewColumns()
{
    CColumnsDlg dialog(CColumnsDlg::FromGrid(*m_grid, ColumnOf(ChannelField::Number)), this);
    if (dialog.DoModal() == IDOK)
        CColumnsDlg::ApplyTo(*m_grid, dialog.GetColumns());
}

void CMainFrame::ShowHelp(const QUrl& page)
{
    if (!m_helpWindow)
        m_helpWindow = new CHelpWindow(this, [this] {
            std::vector<vnModelBands> models;
            vnModuleLease module(m_moduleManager);
            if (module.Get() && module.Get()->GetModelBands(&models) != S_OK)
                models.clear();
            return models;
        });
    m_helpWindow->ShowPage(page);
}

void CMainFrame::OfferPdfName(QPrinter& printer) const
{
    // Printing to a file (no printer here): the table's name beside it
    // rather than print.pdf in the current folder.
    if (printer.outputFormat() != QPrinter::PdfFormat || m_document.GetPath().empty())
        return;
    const QFileInfo file(DecodeFileName(QByteArray::fromStdString(m_document.GetPath())));
    printer.setOutputFileName(file.dir().filePath(file.completeBaseName() + QStringLiteral(".pdf")));
}

void CMainFrame::OnEditFollowCars()
{
    CFollowCarsDlg dialog(m_document.GetCars(), m_document.GetFollowedCars(), this);
    if (dialog.DoModal() == IDOK)
        ShowStatus(m_document.FollowCars(dialog.GetFollowed()));
}

void CMainFrame::OnFilePrintRaceCard()
{
    QPrinter printer(QPrinter::HighResolution);
    CPageSetup::Read(vnSettings()).Apply(printer);
    OfferPdfName(printer);
    // Cars nobody follows are left out, unless the user wants them.
    bool withLockedOut = false;
    std::vector<vnChannel> channels;
    for (std::int32_t index = 0; index < m_document.GetCount(); ++index)
        channels.push_back(*m_document.GetAt(index));
    if (const std::int32_t leftOut = ChannelRaceCard::Make(channels, false).carsLeftOut; leftOut > 0)
        withLockedOut =
            CMessageBox::Show(this, QString::fromStdString(vnWords::Count(vnCounted::CarsLockedOut, leftOut)),
                              CMessageBox::Question, CMessageBox::YesNo) == IDYES;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int pages = PrintRaceCard(printer, withLockedOut);
    m_statusBar->showMessage(
        LoadStringText(IDS_PRINTED_RACE_CARD)
            .arg(m_document.GetDisplayName(), QString::fromStdString(vnWords::Count(vnCounted::Pages, pages))));
}

int CMainFrame::PrintRaceCard(QPrinter& printer, bool withLockedOut)
{
    return CRaceCardPrinter::PrintDocument(printer, m_document, withLockedOut);
}

void CMainFrame::UndoStep(bool redo)
{
    QUndoStack& undo = m_document.GetUndoStack();
    const QString step = redo ? undo.redoText() : undo.undoText();
    if (redo)
        undo.redo();
    else
        undo.undo();
    m_statusBar->showMessage(LoadStringText(redo ? IDS_REDONE : IDS_UNDONE).arg(step));
}
