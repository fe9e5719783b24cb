#include "app/CMainFrame.h"

#include "app/CChannelPrinter.h"
#include "app/CColumnsDlg.h"
#include "app/CFindDlg.h"
#include "app/CGoToDlg.h"
#include "app/CHelpWindow.h"
#include "app/CPageSetup.h"
#include "app/CRecentFileList.h"
#include "app/CTransparentDialogBar.h"
#include "app/CUploadProgress.h"
#include "app/CWindowState.h"
#include "app/ChannelSearch.h"
#include "modules/ui/vnManagerModulesDlg.h"
#include "modules/vnChannelUpload.h"
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

#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSessionManager>
#include <QTimer>

#include <cerrno>
#include <system_error>

namespace {

const std::string kRootSection;
const std::string kFirstRun = "First Run";

// The clipboard's second form: the rows as a channel file.
const QString kCsvMimeType = QStringLiteral("text/csv");
const QString kChannelFileExtension = QStringLiteral("csv");
constexpr int kStatusPanes[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// A menu label that names the step: "&Undo Frequency of Channel 12\tCtrl+Z".
QString StepLabel(const char* verb, const QString& step, const char* keys)
{
    QString label = QString::fromUtf8(verb);
    if (!step.isEmpty())
        label += QLatin1Char(' ') + step;
    return label + QLatin1Char('\t') + QString::fromUtf8(keys);
}

bool ClipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() && !data->text().isEmpty();
}

CRecentFileList RecentFiles()
{
    return CRecentFileList(vnSettings(), ID_FILE_MRU_COUNT);
}

// A path as the document keeps it: absolute, in the system's encoding.
std::string NativePath(const QString& path)
{
    return QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString();
}

} // namespace

CMainFrame::CMainFrame() : m_reBar(this)
{
    resize(780, 560);
    RegisterCommands();
    QUndoStack& undo = m_document.GetUndoStack();
    connect(&undo, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    connect(&m_document, &ChannelDocument::PathChanged, this, &CMainFrame::UpdateTitle);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &CMainFrame::OnCommitDataRequest, Qt::DirectConnection);
    // Edits, pastes and imports say at once what the upload would refuse.
    m_document.SetChannelCheck([this](const vnChannel& channel) {
        std::string reason;
        vnModuleLease module(m_moduleManager);
        if (const vnTransfer* transfer = module.GetTransfer())
            transfer->CheckChannel(&channel, &reason);
        return reason;
    });

    // First-run check, before the window exists: the modules dialog once.
    vnSettingsStore& settings = vnSettings();
    if (settings.GetSettingInt(kRootSection, kFirstRun, 1) != 0) {
        OnTransferModules();
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
    OnCommand(ID_EDIT_UNDO, [this, &undo] {
        m_grid->CommitEdit();
        undo.undo();
    });
    OnUpdateCommandUI(ID_EDIT_UNDO, [&undo](CCmdUI& ui) {
        ui.Enable(undo.canUndo());
        ui.SetText(StepLabel("&Undo", undo.canUndo() ? undo.undoText() : QString(), "Ctrl+Z"));
    });
    OnCommand(ID_EDIT_REDO, [this, &undo] {
        m_grid->CommitEdit();
        undo.redo();
    });
    OnUpdateCommandUI(ID_EDIT_REDO, [&undo](CCmdUI& ui) {
        ui.Enable(undo.canRedo());
        ui.SetText(StepLabel("&Redo", undo.canRedo() ? undo.redoText() : QString(), "Ctrl+Y"));
    });
    for (int index = 0; index < ID_FILE_MRU_COUNT; ++index)
        OnCommand(ID_FILE_MRU_FILE1 + index, [this, index] { OnFileRecent(index); });
    OnCommand(ID_EDIT_SELECT_ALL, [this] { OnEditSelectAll(); });
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
    // Clipboard and Delete act on the selected rows; Paste needs text to paste.
    OnCommand(ID_EDIT_CUT, [this] { OnEditCut(); });
    OnCommand(ID_EDIT_COPY, [this] { OnEditCopy(); });
    OnCommand(ID_EDIT_PASTE, [this] { OnEditPaste(); });
    OnCommand(ID_EDIT_DELETE, [this] {
        m_grid->CommitEdit();
        m_document.Clear(SelectedRows(), "Delete");
    });
    const auto needSelection = [this](CCmdUI& ui) { ui.Enable(m_grid && m_grid->selectionModel()->hasSelection()); };
    OnUpdateCommandUI(ID_EDIT_CUT, needSelection);
    OnUpdateCommandUI(ID_EDIT_COPY, needSelection);
    OnUpdateCommandUI(ID_EDIT_DELETE, needSelection);
    OnUpdateCommandUI(ID_EDIT_PASTE,
                      [this](CCmdUI& ui) { ui.Enable(m_document.GetCount() > 0 && ClipboardHasText()); });
    OnCommand(ID_VIEW_COLUMNS, [this] { OnViewColumns(); });
    OnCommand(ID_TRANSFER_UPLOAD_SELECTED, [this] { OnTransferUploadSelected(); });
    OnCommand(ID_TRANSFER_UPLOAD_ALL, [this] { OnTransferUploadAll(); });
    OnCommand(ID_TRANSFER_SETTINGS, [this] { OnTransferSettings(); });
    OnCommand(ID_TRANSFER_MODULES, [this] { OnTransferModules(); });
    OnCommand(ID_HELP_TOPICS, [this] { OnHelpTopics(); });
    OnCommand(ID_FILE_PAGE_SETUP, [this] { OnFilePageSetup(); });
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    OnCommand(ID_TOOLBAR_PRINT, [this] { OnFilePrint(); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
}

bool CMainFrame::OnCreate()
{
    m_grid = new hvGridCtrl(this, this);
    SetActiveView(m_grid);

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

    m_bankBar->SetBanks(vnModuleLease(m_moduleManager).GetLayout());
    connect(m_bankBar, &CTransparentDialogBar::BankChosen, this, [this](std::int32_t first) {
        if (const std::int32_t row = m_document.FindChannel(first); row >= 0)
            SelectRow(row);
    });

    CreateColumns();
    // The grid shows the document's channels, always as many rows as it has.
    connect(&m_document, &ChannelDocument::Reset, this, [this] { m_grid->SetItemCount(m_document.GetCount()); });
    connect(&m_document, &ChannelDocument::ChannelsChanged, m_grid, &hvGridCtrl::RedrawItems);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this, &CMainFrame::OnGridContextMenu);
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
    return true;
}

void CMainFrame::CreateColumns()
{
    for (const ChannelFieldInfo& info : ChannelFields())
        m_grid->InsertColumn(ColumnOf(info.field), LoadStringText(info.title),
                             info.alignLeft ? hvGridCtrl::FormatLeft : hvGridCtrl::FormatCenter, info.width);
    // A character typed on one selected row starts editing its description,
    // which also takes the room a wider window gives the grid.
    m_grid->SetTypingColumn(ColumnOf(ChannelField::Description));
    m_grid->SetFillColumn(ColumnOf(ChannelField::Description));
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

void CMainFrame::OnEndLabelEdit(int row, int column, const std::string& text)
{
    if (const auto field = FieldOfColumn(column))
        ShowStatus(m_document.EditCell(row, *field, text));
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
    // An edit still open over a cell is an unsaved change too.
    if (m_grid)
        m_grid->CommitEdit();
    if (!m_document.IsModified())
        return true;
    switch (CMessageBox::Show(this, QStringLiteral("Save changes to %1?").arg(m_document.GetDisplayName()),
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
    if (SaveModified())
        m_document.New(vnModuleLease(m_moduleManager).GetLayout());
}

void CMainFrame::OnFileOpen()
{
    if (!SaveModified())
        return;
    CFileDialog dialog(true, kChannelFileExtension, QString(), CFileDialog::FileMustExist | CFileDialog::HideReadOnly,
                       LoadStringText(IDS_CHANNEL_FILE_FILTER), this);
    if (dialog.DoModal() == IDOK)
        OpenChannelFile(dialog.GetPathName());
}

bool CMainFrame::OpenChannelFile(const QString& name)
{
    m_grid->CommitEdit();
    const ChannelDocument::FileOutcome outcome = m_document.Open(NativePath(name));
    ShowMessage(outcome.message);
    if (outcome.ok) {
        RecentFiles().Add(QFileInfo(name).absoluteFilePath());
        UpdateRecentFileMenu();
    }
    return outcome.ok;
}

void CMainFrame::OnFileImport()
{
    CFileDialog dialog(true, kChannelFileExtension, QString(), CFileDialog::FileMustExist | CFileDialog::HideReadOnly,
                       LoadStringText(IDS_CHANNEL_FILE_FILTER), this);
    if (dialog.DoModal() == IDOK)
        ImportChannelFile(dialog.GetPathName());
}

bool CMainFrame::ImportChannelFile(const QString& name)
{
    m_grid->CommitEdit();
    const ChannelDocument::FileOutcome outcome = m_document.Import(NativePath(name), m_grid->GetFocusedItem());
    ShowMessage(outcome.message);
    return outcome.ok;
}

void CMainFrame::OnFileRecent(int index)
{
    const QStringList paths = RecentFiles().GetPaths();
    if (index >= paths.size())
        return;
    const QString path = paths[index];
    if (!QFileInfo::exists(path)) {
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
    std::vector<MenuListItem> items;
    const QStringList paths = RecentFiles().GetPaths();
    for (int index = 0; index < paths.size(); ++index)
        items.push_back({CRecentFileList::MenuLabel(index, paths[index]), paths[index]});
    SetMenuList(ID_FILE_MRU_FILE1, items);
}

bool CMainFrame::Save()
{
    // A cell still being edited belongs in the file, as it is shown.
    m_grid->CommitEdit();
    if (m_document.GetPath().empty())
        return SaveAs();
    const ChannelDocument::FileOutcome outcome = m_document.Save();
    ShowMessage(outcome.message);
    if (outcome.ok) {
        RecentFiles().Add(QFile::decodeName(QByteArray::fromStdString(m_document.GetPath())));
        UpdateRecentFileMenu();
    }
    return outcome.ok;
}

bool CMainFrame::SaveAs()
{
    m_grid->CommitEdit();
    CFileDialog dialog(false, kChannelFileExtension, QString(),
                       CFileDialog::HideReadOnly | CFileDialog::OverwritePrompt,
                       LoadStringText(IDS_CHANNEL_FILE_FILTER), this);
    if (dialog.DoModal() != IDOK)
        return false;
    const ChannelDocument::FileOutcome outcome = m_document.SaveAs(NativePath(dialog.GetPathName()));
    ShowMessage(outcome.message);
    if (outcome.ok) {
        RecentFiles().Add(QFileInfo(dialog.GetPathName()).absoluteFilePath());
        UpdateRecentFileMenu();
    }
    return outcome.ok;
}

void CMainFrame::OnEditSelectAll()
{
    m_grid->setFocus(Qt::ShortcutFocusReason);
    const int rows = m_grid->GetItemCount();
    for (int row = 0; row < rows; ++row)
        m_grid->SetItemSelected(row, true);
}

void CMainFrame::SelectRow(int row)
{
    // An open edit ends where it is before the grid moves away from it.
    m_grid->CommitEdit();
    m_grid->clearSelection();
    m_grid->SetItemSelected(row, true);
    m_grid->SetFocusedItem(row);
    m_grid->EnsureRowVisible(row);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::OnEditGoTo()
{
    const vnChannelLayout layout = vnModuleLease(m_moduleManager).GetLayout();
    CGoToDlg dialog(layout.GetFirstChannel(), layout.GetLastChannel(), this);
    if (dialog.DoModal() != IDOK)
        return;
    if (const std::int32_t row = m_document.FindChannel(dialog.GetChannel()); row >= 0) {
        SelectRow(row);
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
    if (!m_findDlg)
        return;
    const FindRequest request = m_findDlg->GetRequest();
    if (request.what.isEmpty())
        return;
    const bool down = request.down != reverse;
    m_grid->CommitEdit();
    const RowSearchResult found = FindRow(m_document.GetCount(), m_grid->GetFocusedItem(), down, [&](int row) {
        for (const ChannelFieldInfo& info : ChannelFields())
            if (info.searchable && request.Matches(QString::fromStdString(m_document.GetCellText(row, info.field))))
                return true;
        return false;
    });
    if (found.row < 0) {
        m_statusBar->showMessage(LoadStringText(IDS_FIND_NOT_FOUND).arg(request.what));
        return;
    }
    SelectRow(found.row);
    if (found.wrapped)
        m_statusBar->showMessage(down ? LoadStringText(IDS_FIND_WRAPPED_DOWN) : LoadStringText(IDS_FIND_WRAPPED_UP));
    else
        m_statusBar->clearMessage();
}

void CMainFrame::OnTransferUploadSelected()
{
    // A cell still being edited is sent as it is shown.
    m_grid->CommitEdit();
    const std::vector<std::int32_t> rows = SelectedRows();
    if (rows.empty())
        return;
    vnModuleLease module(m_moduleManager);
    CUploadProgress progress(this);
    const vnUploadOutcome outcome =
        vnChannelUpload(module.GetTransfer(), &progress).Selected(m_document.GetChannels(), rows);
    progress.Hide();
    ShowUploadOutcome(outcome, true);
}

void CMainFrame::OnTransferUploadAll()
{
    m_grid->CommitEdit();
    vnModuleLease module(m_moduleManager);
    CUploadProgress progress(this);
    const vnUploadOutcome outcome = vnChannelUpload(module.GetTransfer(), &progress).All(m_document.GetChannels());
    progress.Hide();
    ShowUploadOutcome(outcome, false);
}

void CMainFrame::ShowUploadOutcome(const vnUploadOutcome& outcome, bool selected)
{
    if (outcome.Cancelled()) {
        // The user asked for it: no error, just how far it got.
        m_statusBar->showMessage(LoadStringText(IDS_UPLOAD_CANCELLED).arg(outcome.sent).arg(outcome.count));
    } else if (outcome.Failed()) {
        QString text = TransferErrorText(outcome.reason);
        if (selected)
            text += QStringLiteral("\n\n") +
                LoadStringText(IDS_SELECTED_CHANNELS_SENT).arg(outcome.sent).arg(outcome.count);
        CMessageBox::Show(this, text, CMessageBox::Exclamation, CMessageBox::Ok);
    }
}

void CMainFrame::OnTransferSettings()
{
    // The same dialog as Properties in the modules dialog; the module stores
    // what it changes, and the next command's fresh module reads it.
    vnModuleLease module(m_moduleManager);
    if (module.Get())
        module.Get()->ShowProperties();
}

void CMainFrame::OnTransferModules()
{
    // Over the main window once it is on screen; on the first start there
    // is no window yet and the dialog stands alone.
    vnManagerModulesDlg dialog(isVisible() ? this : nullptr);
    dialog.DoModal();
}

void CMainFrame::OnFilePageSetup()
{
    QPrinter printer(QPrinter::HighResolution);
    CPageSetup::Read(vnSettings()).Apply(printer);
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        CPageSetup::Capture(printer).Write(vnSettings());
}

void CMainFrame::OnFilePrint()
{
    m_grid->CommitEdit();
    QPrinter printer(QPrinter::HighResolution);
    CPageSetup::Read(vnSettings()).Apply(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, m_grid->GetSelectedCount() > 0);
    if (dialog.exec() == QDialog::Accepted)
        PrintChannels(printer);
}

void CMainFrame::OnFilePrintPreview()
{
    m_grid->CommitEdit();
    QPrinter printer(QPrinter::HighResolution);
    CPageSetup::Read(vnSettings()).Apply(printer);
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { PrintChannels(*target); });
    dialog.exec();
}

int CMainFrame::PrintChannels(QPrinter& printer)
{
    CChannelPrinter::Heading heading;
    heading.title = m_document.GetDisplayName();
    heading.date = QDate::currentDate().toString(Qt::ISODate);

    // The columns as the grid shows them: hidden ones left out, in the order
    // the user sees.
    std::vector<CChannelPrinter::Column> columns;
    for (const int column : m_grid->GetColumnOrder()) {
        const auto field = FieldOfColumn(column);
        if (field && m_grid->IsColumnShown(column))
            columns.push_back({*field, m_grid->model()->headerData(column, Qt::Horizontal).toString(),
                               m_grid->GetColumnWidth(column), GetFieldInfo(*field).alignLeft});
    }

    vnModuleLease module(m_moduleManager);
    if (vnModule* current = module.Get()) {
        const char* name = nullptr;
        if (!vnFailed(current->GetName(&name)) && name)
            heading.module = QString::fromUtf8(name);
        std::string model;
        if (!vnFailed(current->GetScannerModel(&model)))
            heading.scannerModel = QString::fromStdString(model);
    }
    const vnChannelLayout layout = module.GetLayout();

    CChannelPrinter channelPrinter(heading, std::move(columns));
    const bool selectionOnly = printer.printRange() == QPrinter::Selection;
    for (std::int32_t row = 0; row < m_document.GetCount(); ++row)
        if (!selectionOnly || m_grid->IsItemSelected(row))
            channelPrinter.AddChannel(*m_document.GetAt(row), layout);
    return channelPrinter.Print(printer);
}

std::vector<std::int32_t> CMainFrame::SelectedRows() const
{
    std::vector<std::int32_t> rows;
    for (int row = m_grid->GetNextSelectedItem(-1); row != -1; row = m_grid->GetNextSelectedItem(row))
        if (m_document.GetAt(row))
            rows.push_back(row);
    return rows;
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

void CMainFrame::OnEditCopy()
{
    m_grid->CommitEdit();
    CopyRows(SelectedRows());
}

void CMainFrame::OnEditCut()
{
    m_grid->CommitEdit();
    const std::vector<std::int32_t> rows = SelectedRows();
    CopyRows(rows);
    m_document.Clear(rows, "Cut");
}

void CMainFrame::CopyRows(const std::vector<std::int32_t>& rows)
{
    if (rows.empty())
        return;
    const ChannelDocument::ClipboardRows copied = m_document.Copy(rows);
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(copied.text));
    data->setData(kCsvMimeType, QByteArray::fromStdString(copied.csv));
    QGuiApplication::clipboard()->setMimeData(data);
}

void CMainFrame::OnEditPaste()
{
    m_grid->CommitEdit();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return;
    int firstRow = m_grid->GetFocusedItem();
    if (firstRow < 0)
        firstRow = std::max(m_grid->GetNextSelectedItem(-1), 0);
    // Cells from elsewhere go into the shown columns from the focused one
    // rightwards, as the user sees them.
    std::vector<ChannelField> fields;
    int column = m_grid->currentIndex().column();
    if (column < 0 || column == ColumnOf(ChannelField::Number) || !m_grid->IsColumnShown(column))
        column = m_grid->GetAdjacentColumn(column < 0 ? ColumnOf(ChannelField::Number) : column, 1);
    for (; column >= 0; column = m_grid->GetAdjacentColumn(column, 1))
        if (const auto field = FieldOfColumn(column))
            fields.push_back(*field);
    ShowStatus(m_document.Paste(data->text().toStdString(), firstRow, fields));
}

void CMainFrame::OnGridContextMenu(const QPoint& position)
{
    const QModelIndex hit = m_grid->indexAt(position);
    if (!hit.isValid())
        return;
    m_grid->CommitEdit();
    // The menu acts on what the click points at: a row outside the
    // selection becomes the selection; a paste starts at the cell.
    if (!m_grid->IsItemSelected(hit.row())) {
        m_grid->clearSelection();
        m_grid->SetItemSelected(hit.row(), true);
    }
    m_grid->selectionModel()->setCurrentIndex(hit, QItemSelectionModel::NoUpdate);
    const std::unique_ptr<QMenu> menu =
        CreateCommandMenu({ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_DELETE, 0, ID_TRANSFER_UPLOAD_SELECTED});
    TrackPopupMenu(*menu, m_grid->viewport()->mapToGlobal(position));
}

void CMainFrame::OnViewColumns()
{
    m_grid->CommitEdit();
    const int numberColumn = ColumnOf(ChannelField::Number);
    std::vector<GridColumnChoice> columns;
    for (const int column : m_grid->GetColumnOrder()) {
        const auto field = FieldOfColumn(column);
        columns.push_back({column, field ? LoadStringText(GetFieldInfo(*field).title) : QString(),
                           m_grid->IsColumnShown(column), column == numberColumn});
    }
    CColumnsDlg dialog(std::move(columns), this);
    if (dialog.DoModal() != IDOK)
        return;
    std::vector<int> order;
    for (const GridColumnChoice& column : dialog.GetColumns()) {
        order.push_back(column.column);
        m_grid->SetColumnShown(column.column, column.shown || column.column == numberColumn);
    }
    m_grid->SetColumnOrder(order);
}

void CMainFrame::OnHelpTopics()
{
    if (!m_helpWindow)
        m_helpWindow = new CHelpWindow(this);
    m_helpWindow->ShowPage(CHelpWindow::ContentsPage);
}

QString CMainFrame::TransferErrorText(const std::string& reason)
{
    QString text = LoadStringText(IDS_TRANSFER_ERROR);
    if (reason.empty())
        return text;
    text += QStringLiteral("\n\n") + QString::fromStdString(reason);
    // The reason carries the system's own words, in the user's language.
    const std::string denied = std::system_category().message(EACCES);
    const std::string notPermitted = std::system_category().message(EPERM);
    if (reason.find(denied) != std::string::npos || reason.find(notPermitted) != std::string::npos)
        text += QStringLiteral("\n\n") + LoadStringText(IDS_TRANSFER_ACCESS_HINT);
    return text;
}
