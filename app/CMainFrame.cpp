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
#include "app/ChannelCellText.h"
#include "app/ChannelClipboardText.h"
#include "app/ChannelFile.h"
#include "app/ChannelImport.h"
#include "app/ChannelSearch.h"
#include "channels/vnDelimitedFile.h"
#include "modules/ui/vnManagerModulesDlg.h"
#include "modules/vnModule.h"
#include "modules/vnSettingsStore.h"
#include "modules/vnTransfer.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"
#include "toolkit/CFileDialog.h"
#include "toolkit/CMessageBox.h"
#include "toolkit/CReBarBand.h"
#include "toolkit/CStatusBar.h"
#include "toolkit/CToolBar.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
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

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <system_error>

namespace {

const std::string kRootSection;
const std::string kFirstRun = "First Run";

struct ColumnDefinition
{
    int title; // string id
    int format;
    int width;
};

constexpr ColumnDefinition kColumns[] = {
    {IDS_COLUMN_NUMBER, hvGridCtrl::FormatCenter, 30},     {IDS_COLUMN_FREQUENCY, hvGridCtrl::FormatCenter, 100},
    {IDS_COLUMN_DESCRIPTION, hvGridCtrl::FormatLeft, 300}, {IDS_COLUMN_CAR_NUMBER, hvGridCtrl::FormatCenter, 75},
    {IDS_COLUMN_DELAY, hvGridCtrl::FormatCenter, 75},      {IDS_COLUMN_LOCKOUT, hvGridCtrl::FormatCenter, 75},
    {IDS_COLUMN_PRIORITY, hvGridCtrl::FormatCenter, 75},
};
// The channel number's column: always shown, never changed by a paste.
constexpr int kNumberColumn = 0;
// A character typed on one selected row starts editing its description,
// which also takes the room a wider window gives the grid.
constexpr int kDescriptionColumn = 2;
// The clipboard's second form: the rows as a channel file.
const QString kCsvMimeType = QStringLiteral("text/csv");

// The columns whose texts Find searches.
constexpr int kSearchedColumns[] = {1, 2, 3};

const QString kChannelFileExtension = QStringLiteral("csv");

// A menu label that names the step: "&Undo Frequency of Channel 12\tCtrl+Z".
QString StepLabel(const char* verb, const QString& step, const char* keys)
{
    QString label = QString::fromUtf8(verb);
    if (!step.isEmpty())
        label += QLatin1Char(' ') + step;
    return label + QLatin1Char('\t') + QString::fromUtf8(keys);
}

// The name of a step over some channels: "Delete of Channel 12", "Paste of
// 20 Channels".
QString ChannelsStepText(const char* verb, int count, std::int32_t firstNumber)
{
    const QString what =
        count == 1 ? QStringLiteral("Channel %1").arg(firstNumber) : QStringLiteral("%1 Channels").arg(count);
    return QString::fromUtf8(verb) + QStringLiteral(" of ") + what;
}

// A string of the table with the count in it, singular or plural.
QString CountText(int count, int one, int many)
{
    return count == 1 ? LoadStringText(one) : LoadStringText(many).arg(count);
}

bool ClipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() && !data->text().isEmpty();
}

// The grid's single-line cells show a line end inside a pasted text as a
// blank, and a channel file writes it as one.
std::string WithoutLineEnds(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        result += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
    }
    return result;
}

constexpr int kStatusPanes[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// Holds a module from the manager for the length of one command.
class ModuleLease
{
public:
    explicit ModuleLease(vnModuleManager& manager) : m_manager(manager) { m_manager.GetCurrentModule(&m_module); }
    ~ModuleLease() { m_manager.ReleaseModule(m_module); }
    ModuleLease(const ModuleLease&) = delete;
    ModuleLease& operator=(const ModuleLease&) = delete;

    vnModule* Get() const { return m_module; }
    vnTransfer* GetTransfer() const
    {
        vnTransfer* transfer = nullptr;
        if (m_module)
            m_module->GetTransfer(&transfer);
        return transfer;
    }

private:
    vnModuleManager& m_manager;
    vnModule* m_module = nullptr;
};

// Reports a transfer's progress for as long as it lives.
class ProgressScope
{
public:
    ProgressScope(vnTransfer* transfer, CUploadProgress& progress) : m_transfer(transfer)
    {
        if (m_transfer)
            m_transfer->SetProgress(&progress);
    }
    ~ProgressScope()
    {
        if (m_transfer)
            m_transfer->SetProgress(nullptr);
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    vnTransfer* m_transfer;
};

CRecentFileList RecentFiles()
{
    return CRecentFileList(vnSettings(), ID_FILE_MRU_COUNT);
}

} // namespace

CMainFrame::CMainFrame() : m_reBar(this)
{
    resize(780, 560);
    RegisterCommands();
    connect(&m_undoStack, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &CMainFrame::OnCommitDataRequest, Qt::DirectConnection);

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
    OnCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    OnCommand(ID_EDIT_UNDO, [this] { OnEditUndo(); });
    OnUpdateCommandUI(ID_EDIT_UNDO, [this](CCmdUI& ui) {
        ui.Enable(m_undoStack.canUndo());
        ui.SetText(StepLabel("&Undo", m_undoStack.canUndo() ? m_undoStack.undoText() : QString(), "Ctrl+Z"));
    });
    OnCommand(ID_EDIT_REDO, [this] { OnEditRedo(); });
    OnUpdateCommandUI(ID_EDIT_REDO, [this](CCmdUI& ui) {
        ui.Enable(m_undoStack.canRedo());
        ui.SetText(StepLabel("&Redo", m_undoStack.canRedo() ? m_undoStack.redoText() : QString(), "Ctrl+Y"));
    });
    for (int index = 0; index < ID_FILE_MRU_COUNT; ++index)
        OnCommand(ID_FILE_MRU_FILE1 + index, [this, index] { OnFileRecent(index); });
    OnCommand(ID_EDIT_SELECT_ALL, [this] { OnEditSelectAll(); });
    OnCommand(ID_EDIT_FIND, [this] { OnEditFind(); });
    OnCommand(ID_EDIT_FIND_NEXT, [this] { FindNext(false); });
    OnCommand(ID_EDIT_FIND_PREVIOUS, [this] { FindNext(true); });
    OnCommand(ID_EDIT_GOTO, [this] { OnEditGoTo(); });
    // Greyed while there is nothing to act on.
    const auto needRows = [this](CCmdUI& ui) { ui.Enable(m_grid && m_grid->GetItemCount() > 0); };
    const auto needSearch = [this](CCmdUI& ui) {
        ui.Enable(m_grid && m_grid->GetItemCount() > 0 && m_findDlg && !m_findDlg->GetRequest().what.isEmpty());
    };
    OnUpdateCommandUI(ID_EDIT_FIND, needRows);
    OnUpdateCommandUI(ID_EDIT_FIND_NEXT, needSearch);
    OnUpdateCommandUI(ID_EDIT_FIND_PREVIOUS, needSearch);
    OnUpdateCommandUI(ID_EDIT_GOTO, needRows);
    // Clipboard and Delete act on the selected rows; Paste needs text to paste.
    OnCommand(ID_EDIT_CUT, [this] { OnEditCut(); });
    OnCommand(ID_EDIT_COPY, [this] { OnEditCopy(); });
    OnCommand(ID_EDIT_PASTE, [this] { OnEditPaste(); });
    OnCommand(ID_EDIT_DELETE, [this] { OnEditDelete(); });
    const auto needSelection = [this](CCmdUI& ui) { ui.Enable(m_grid && m_grid->selectionModel()->hasSelection()); };
    OnUpdateCommandUI(ID_EDIT_CUT, needSelection);
    OnUpdateCommandUI(ID_EDIT_COPY, needSelection);
    OnUpdateCommandUI(ID_EDIT_DELETE, needSelection);
    OnUpdateCommandUI(ID_EDIT_PASTE,
                      [this](CCmdUI& ui) { ui.Enable(m_grid && m_grid->GetItemCount() > 0 && ClipboardHasText()); });
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

    m_bankBar->SetBanks(GetLayout());
    connect(m_bankBar, &CTransparentDialogBar::BankChosen, this, [this](std::int32_t first) {
        if (const int row = FindChannelRow(first); row >= 0)
            SelectRow(row);
    });

    for (const ColumnDefinition& column : kColumns)
        m_grid->InsertColumn(m_grid->GetColumnCount(), LoadStringText(column.title), column.format, column.width);
    m_grid->SetColumnFormat(0, hvGridCtrl::FormatCenter);
    m_grid->SetTypingColumn(kDescriptionColumn);
    m_grid->SetFillColumn(kDescriptionColumn);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this, &CMainFrame::OnGridContextMenu);
    // The toolbar's Cut, Copy and Paste follow the selection and the clipboard.
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CMainFrame::RequestCommandUIUpdate);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::RequestCommandUIUpdate);
    // The bank bar follows the focused row.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& row) {
        if (const vnChannel* channel = m_channels.GetAt(row.row()))
            m_bankBar->ShowBankOf(channel->GetNumber());
    });

    CWindowState::Read(vnSettings()).Apply(*this);
    UpdateRecentFileMenu();
    DragAcceptFiles();

    OnFileNew();
    return true;
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

std::string CMainFrame::GetCellText(int row, int column) const
{
    const vnChannel* channel = m_channels.GetAt(row);
    return channel ? GetChannelCellText(*channel, column) : std::string();
}

void CMainFrame::SetCellText(int row, int column, const std::string& text)
{
    if (vnChannel* channel = m_channels.GetAt(row))
        SetChannelCellText(*channel, column, text);
}

std::string CMainFrame::GetDispInfoText(int row, int column)
{
    return GetCellText(row, column);
}

void CMainFrame::OnEndLabelEdit(int row, int column, const std::string& text)
{
    const vnChannel* channel = m_channels.GetAt(row);
    if (!channel)
        return;
    vnChannel edited = *channel;
    if (!SetTypedChannelCellText(edited, column, text)) {
        // The cell keeps its value; silence would read as taken.
        m_statusBar->showMessage(QString::fromStdString(RejectedCellTextMessage(*channel, column, text)));
        return;
    }
    m_statusBar->clearMessage();
    const bool titled = column >= 0 && column < static_cast<int>(std::size(kColumns));
    const QString step = (titled ? LoadStringText(kColumns[column].title) : QString()) +
        QStringLiteral(" of Channel ") + QString::number(channel->GetNumber());
    ChangeChannels({{row, *channel, edited}}, step);
    WarnIfNotSendable(row);
}

void CMainFrame::ShowCancelled(int channel, int channels)
{
    // The user asked for it: no error, just how far it got.
    if (m_statusBar)
        m_statusBar->showMessage(LoadStringText(IDS_UPLOAD_CANCELLED).arg(channel).arg(channels));
}

void CMainFrame::WarnIfNotSendable(int row)
{
    const vnChannel* channel = m_channels.GetAt(row);
    if (!channel || !m_statusBar)
        return;
    // The edit stays as typed; the upload would refuse it, so say so now.
    std::string reason;
    {
        ModuleLease module(m_moduleManager);
        if (const vnTransfer* transfer = module.GetTransfer())
            transfer->CheckChannel(channel, &reason);
    }
    if (!reason.empty()) {
        m_statusBar->showMessage(QString::fromStdString(reason));
    } else if (m_statusBar->currentMessage() == m_lastWarning) {
        m_statusBar->clearMessage();
    }
    m_lastWarning = QString::fromStdString(reason);
}

void CMainFrame::ChangeChannels(std::vector<ChannelEditCommand::Change> changes, const QString& text)
{
    auto command = std::make_unique<ChannelEditCommand>(
        m_channels, std::move(changes), text, [this](int first, int last) { m_grid->RedrawItems(first, last); });
    if (command->IsEmpty())
        return;
    m_undoStack.push(command.release()); // runs the step
}

void CMainFrame::OnEditUndo()
{
    m_grid->CommitEdit();
    m_undoStack.undo();
}

void CMainFrame::OnEditRedo()
{
    m_grid->CommitEdit();
    m_undoStack.redo();
}

void CMainFrame::SetFileName(const std::string& fileName)
{
    m_fileName = fileName;
    UpdateTitle();
}

QString CMainFrame::DocumentName() const
{
    return m_fileName.empty() ? QStringLiteral("Untitled")
                              : QFileInfo(QFile::decodeName(m_fileName.c_str())).fileName();
}

void CMainFrame::UpdateTitle()
{
    const std::string_view app = LoadStringResource(IDR_MAINFRAME);
    setWindowTitle(DocumentName() + QStringLiteral("[*] - ") +
                   QString::fromUtf8(app.data(), static_cast<qsizetype>(app.size())));
}

bool CMainFrame::SaveModified()
{
    // An edit still open over a cell is an unsaved change too.
    if (m_grid)
        m_grid->CommitEdit();
    if (m_undoStack.isClean())
        return true;
    switch (CMessageBox::Show(this, QStringLiteral("Save changes to %1?").arg(DocumentName()), CMessageBox::Question,
                              CMessageBox::SaveDiscardCancel)) {
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

void CMainFrame::ShowAllChannels()
{
    m_grid->SetRedraw(false);
    m_grid->DeleteAllItems();
    for (int row = 0; row < m_channels.GetCount(); ++row)
        m_grid->InsertItem(row);
    m_grid->SetRedraw(true);
}

vnChannelLayout CMainFrame::GetLayout()
{
    // A copy: the layout belongs to the module, which goes back at once.
    ModuleLease module(m_moduleManager);
    vnChannelLayout* layout = nullptr;
    if (module.Get() && !vnFailed(module.Get()->GetChannelLayout(&layout)) && layout)
        return *layout;
    return {};
}

void CMainFrame::OnFileNew()
{
    if (!SaveModified())
        return;
    const vnChannelLayout layout = GetLayout();
    const std::int64_t first = layout.GetFirstChannel();
    const std::int64_t last = layout.GetLastChannel();

    m_undoStack.clear();
    SetFileName(std::string());

    m_grid->SetRedraw(false);
    m_grid->DeleteAllItems();
    m_channels.RemoveAll();
    for (std::int64_t number = first; number <= last; ++number) {
        // The channel before its row, so that the grid never has a row
        // without a channel behind it.
        vnChannel* channel = nullptr;
        m_channels.AddNew(&channel);
        channel->SetNumber(static_cast<std::int32_t>(number));
        m_grid->InsertItem(m_grid->GetItemCount());
    }
    m_grid->SetRedraw(true);
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
    const QString path = QFileInfo(name).absoluteFilePath();
    const std::string fileName = QFile::encodeName(path).toStdString();
    const ChannelFileResult result = ReadChannelFile(fileName, m_channels);
    if (!result.changed) {
        CMessageBox::Show(this, QString::fromStdString(OpenFailedMessage(fileName, result.reason)),
                          CMessageBox::Exclamation);
        return false;
    }

    // A file read only in part is not the current file: Save would replace
    // it with the part that was read.
    m_undoStack.clear();
    SetFileName(result.ok ? fileName : std::string());
    ShowAllChannels();
    if (!result.ok) {
        CMessageBox::Show(this,
                          QString::fromStdString(OpenedInPartMessage(fileName, result.reason, result.applied.rows)),
                          CMessageBox::Exclamation);
    } else if (!result.applied.layout.empty()) {
        // Another tool's file: say how it was read and what was left out.
        CMessageBox::Show(this, QString::fromStdString(ReadSummaryMessage(fileName, result.applied)),
                          result.applied.skipped > 0 ? CMessageBox::Exclamation : CMessageBox::Information);
    } else if (result.applied.linesNotLoaded > 0) {
        CMessageBox::Show(this,
                          QString::fromStdString(
                              LinesNotLoadedMessage(fileName, result.applied.linesNotLoaded, m_channels.GetCount())),
                          CMessageBox::Exclamation);
    }
    if (result.ok) {
        RecentFiles().Add(path);
        UpdateRecentFileMenu();
    }
    return result.ok;
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
    const std::string fileName = QFile::encodeName(QFileInfo(name).absoluteFilePath()).toStdString();

    // The file is read as Open reads it, into channels numbered as the
    // table's, so that its IDs and channel numbers mean the same.
    vnChannelList read;
    for (std::int32_t index = 0; index < m_channels.GetCount(); ++index) {
        vnChannel* channel = nullptr;
        read.AddNew(&channel);
        channel->SetNumber(m_channels.GetAt(index)->GetNumber());
    }
    const ChannelFileResult result = ReadChannelFile(fileName, read);
    // A file read only in part is not merged: its missing lines would leave
    // holes that look like a complete import.
    if (!result.ok) {
        CMessageBox::Show(this, QString::fromStdString(OpenFailedMessage(fileName, result.reason)),
                          CMessageBox::Exclamation);
        return false;
    }

    const int rows = std::min(m_grid->GetItemCount(), m_channels.GetCount());
    const int firstRow = std::clamp(m_grid->GetFocusedItem(), 0, std::max(rows - 1, 0));
    const ChannelImport import = PlaceImportedChannels(m_channels, rows, firstRow, read);
    std::vector<ChannelEditCommand::Change> changes;
    for (const ChannelImport::Placement& placement : import.placements)
        changes.push_back({placement.index, *m_channels.GetAt(placement.index), placement.channel});
    const int added = static_cast<int>(changes.size());
    ChangeChannels(std::move(changes),
                   added == 1 ? QStringLiteral("Import of 1 Channel")
                              : QStringLiteral("Import of %1 Channels").arg(added));

    const vnChannel* first = m_channels.GetAt(firstRow);
    const bool shortfall = result.applied.skipped > 0 || result.applied.linesNotLoaded > 0 || import.notFitted > 0 ||
        import.placements.empty();
    CMessageBox::Show(
        this,
        QString::fromStdString(ImportSummaryMessage(fileName, result.applied, import, first ? first->GetNumber() : 0)),
        shortfall ? CMessageBox::Exclamation : CMessageBox::Information);
    return true;
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

void CMainFrame::OnFileSave()
{
    Save();
}

void CMainFrame::OnFileSaveAs()
{
    SaveAs();
}

bool CMainFrame::Save()
{
    // A cell still being edited belongs in the file, as it is shown.
    m_grid->CommitEdit();
    if (m_fileName.empty())
        return SaveAs();
    const ChannelFileResult result = WriteChannelFile(m_fileName, m_channels, m_grid->GetItemCount());
    // Silence after a failed save would read as success.
    if (!result.ok) {
        CMessageBox::Show(this, QString::fromStdString(SaveFailedMessage(m_fileName, result.reason)),
                          CMessageBox::Exclamation);
        return false;
    }
    m_undoStack.setClean();
    RecentFiles().Add(QFile::decodeName(QByteArray::fromStdString(m_fileName)));
    UpdateRecentFileMenu();
    return true;
}

bool CMainFrame::SaveAs()
{
    CFileDialog dialog(false, kChannelFileExtension, QString(),
                       CFileDialog::HideReadOnly | CFileDialog::OverwritePrompt,
                       LoadStringText(IDS_CHANNEL_FILE_FILTER), this);
    if (dialog.DoModal() != IDOK)
        return false;
    SetFileName(QFile::encodeName(dialog.GetPathName()).toStdString());
    return Save();
}

void CMainFrame::OnEditSelectAll()
{
    m_grid->setFocus(Qt::ShortcutFocusReason);
    const int rows = m_grid->GetItemCount();
    for (int row = 0; row < rows; ++row)
        m_grid->SetItemSelected(row, true);
}

int CMainFrame::FindChannelRow(std::int32_t number) const
{
    const int rows = m_grid->GetItemCount();
    for (int row = 0; row < rows; ++row) {
        const vnChannel* channel = m_channels.GetAt(row);
        if (channel && channel->GetNumber() == number)
            return row;
    }
    return -1;
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
    const vnChannelLayout layout = GetLayout();
    CGoToDlg dialog(layout.GetFirstChannel(), layout.GetLastChannel(), this);
    if (dialog.DoModal() != IDOK)
        return;
    if (const int row = FindChannelRow(dialog.GetChannel()); row >= 0) {
        SelectRow(row);
        return;
    }
    // A layout's number that the grid does not show (a shorter file opened).
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
    const RowSearchResult found = FindRow(m_grid->GetItemCount(), m_grid->GetFocusedItem(), down, [&](int row) {
        for (int column : kSearchedColumns)
            if (request.Matches(QString::fromStdString(GetCellText(row, column))))
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
    ModuleLease module(m_moduleManager);
    vnTransfer* transfer = module.GetTransfer();
    CUploadProgress progress(this);
    ProgressScope reporting(transfer, progress);

    const int count = m_grid->GetSelectedCount();
    int sent = 0;
    for (int row = m_grid->GetNextSelectedItem(-1); row != -1; row = m_grid->GetNextSelectedItem(row)) {
        progress.BeginUpload(sent + 1, count);
        if (progress.IsCancelRequested())
            break;
        // Each row is an upload of its own. The first failure ends the walk:
        // the rows after it would most likely fail the same way, each after
        // its own wait.
        const vnChannel* channel = m_channels.GetAt(row);
        const vnResult result = (transfer && channel) ? transfer->UploadChannel(channel) : E_FAIL;
        if (result == E_ABORT)
            break;
        if (vnFailed(result)) {
            progress.Hide();
            ShowTransferError(transfer, LoadStringText(IDS_SELECTED_CHANNELS_SENT).arg(sent).arg(count));
            return;
        }
        ++sent;
    }
    progress.Hide();
    if (progress.IsCancelRequested())
        ShowCancelled(sent, count);
}

void CMainFrame::OnTransferUploadAll()
{
    m_grid->CommitEdit();
    ModuleLease module(m_moduleManager);
    vnTransfer* transfer = module.GetTransfer();
    CUploadProgress progress(this);
    ProgressScope reporting(transfer, progress);

    const vnResult result = transfer ? transfer->UploadAll(&m_channels) : E_NOTIMPL;
    progress.Hide();
    if (result == E_ABORT)
        ShowCancelled(progress.GetLastState().channelsSent, progress.GetLastState().channels);
    else if (vnFailed(result))
        ShowTransferError(transfer);
}

void CMainFrame::OnTransferSettings()
{
    // The same dialog as Properties in the modules dialog; the module stores
    // what it changes, and the next command's fresh module reads it.
    ModuleLease module(m_moduleManager);
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

void CMainFrame::ApplyPageSetup(QPrinter& printer)
{
    CPageSetup::Read(vnSettings()).Apply(printer);
}

void CMainFrame::OnFilePageSetup()
{
    QPrinter printer(QPrinter::HighResolution);
    ApplyPageSetup(printer);
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        CPageSetup::Capture(printer).Write(vnSettings());
}

void CMainFrame::OnFilePrint()
{
    m_grid->CommitEdit();
    QPrinter printer(QPrinter::HighResolution);
    ApplyPageSetup(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, m_grid->GetSelectedCount() > 0);
    if (dialog.exec() == QDialog::Accepted)
        PrintChannels(printer);
}

void CMainFrame::OnFilePrintPreview()
{
    m_grid->CommitEdit();
    QPrinter printer(QPrinter::HighResolution);
    ApplyPageSetup(printer);
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { PrintChannels(*target); });
    dialog.exec();
}

int CMainFrame::PrintChannels(QPrinter& printer)
{
    CChannelPrinter::Heading heading;
    heading.title = DocumentName();
    heading.date = QDate::currentDate().toString(Qt::ISODate);

    // The columns as the grid shows them: hidden ones left out, in the order
    // the user sees.
    std::vector<CChannelPrinter::Column> columns;
    const QHeaderView* header = m_grid->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (logical < 0 || header->isSectionHidden(logical))
            continue;
        columns.push_back({logical, m_grid->model()->headerData(logical, Qt::Horizontal).toString(),
                           m_grid->GetColumnWidth(logical),
                           m_grid->GetColumnFormat(logical) == hvGridCtrl::FormatLeft});
    }

    ModuleLease module(m_moduleManager);
    vnChannelLayout layout;
    if (vnModule* current = module.Get()) {
        const char* name = nullptr;
        if (!vnFailed(current->GetName(&name)) && name)
            heading.module = QString::fromUtf8(name);
        std::string model;
        if (!vnFailed(current->GetScannerModel(&model)))
            heading.scannerModel = QString::fromStdString(model);
        vnChannelLayout* moduleLayout = nullptr;
        if (!vnFailed(current->GetChannelLayout(&moduleLayout)) && moduleLayout)
            layout = *moduleLayout;
    }

    CChannelPrinter channelPrinter(heading, std::move(columns));
    const bool selectionOnly = printer.printRange() == QPrinter::Selection;
    const int rows = std::min(m_grid->GetItemCount(), m_channels.GetCount());
    for (int row = 0; row < rows; ++row)
        if (!selectionOnly || m_grid->IsItemSelected(row))
            channelPrinter.AddChannel(*m_channels.GetAt(row), layout);
    return channelPrinter.Print(printer);
}

std::vector<std::int32_t> CMainFrame::SelectedRows() const
{
    std::vector<std::int32_t> rows;
    for (int row = m_grid->GetNextSelectedItem(-1); row != -1; row = m_grid->GetNextSelectedItem(row))
        if (m_channels.GetAt(row))
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
    ClearRows(rows, "Cut");
}

void CMainFrame::OnEditDelete()
{
    m_grid->CommitEdit();
    ClearRows(SelectedRows(), "Delete");
}

void CMainFrame::CopyRows(const std::vector<std::int32_t>& rows)
{
    if (rows.empty())
        return;
    std::vector<ChannelClipboardText::Row> texts;
    for (const std::int32_t row : rows) {
        ChannelClipboardText::Row& fields = texts.emplace_back();
        for (int column = 0; column < ChannelFileColumns; ++column)
            fields.push_back(GetCellText(row, column));
    }
    vnCellTable table = MakeChannelTable(m_channels, rows);
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(ChannelClipboardText::Encode(texts)));
    data->setData(kCsvMimeType, QByteArray::fromStdString(vnDelimitedFile(&table).WriteText()));
    QGuiApplication::clipboard()->setMimeData(data);
}

void CMainFrame::ClearRows(const std::vector<std::int32_t>& rows, const char* verb)
{
    std::vector<ChannelEditCommand::Change> changes;
    for (const std::int32_t row : rows) {
        const vnChannel& channel = *m_channels.GetAt(row);
        vnChannel empty;
        empty.SetNumber(channel.GetNumber());
        changes.push_back({row, channel, empty});
    }
    if (changes.empty())
        return;
    const int count = static_cast<int>(changes.size());
    const std::int32_t first = changes.front().before.GetNumber();
    ChangeChannels(std::move(changes), ChannelsStepText(verb, count, first));
}

void CMainFrame::OnEditPaste()
{
    m_grid->CommitEdit();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return;
    std::vector<ChannelClipboardText::Row> rows = ChannelClipboardText::Decode(data->text().toStdString());
    // A saved file opened in a spreadsheet and copied with its header: the
    // names are not channel values.
    if (!rows.empty() && ChannelClipboardText::IsChannelHeader(rows.front()))
        rows.erase(rows.begin());
    if (rows.empty())
        return;

    int firstRow = m_grid->GetFocusedItem();
    if (firstRow < 0)
        firstRow = std::max(m_grid->GetNextSelectedItem(-1), 0);
    // Whole channels go field by field into the columns of a channel file;
    // cells from elsewhere go into the shown columns from the focused one
    // rightwards, as the user sees them.
    std::vector<int> columns;
    if (ChannelClipboardText::AreChannelRows(rows)) {
        for (int column = 0; column < ChannelFileColumns; ++column)
            columns.push_back(column);
    } else {
        int column = m_grid->currentIndex().column();
        if (column < 0 || column == kNumberColumn || !m_grid->IsColumnShown(column))
            column = m_grid->GetAdjacentColumn(column < 0 ? kNumberColumn : column, 1);
        for (; column >= 0; column = m_grid->GetAdjacentColumn(column, 1))
            columns.push_back(column);
    }

    std::vector<ChannelEditCommand::Change> changes;
    int rowsLeftOut = 0;
    int cellsLeftOut = 0;
    int cellsRefused = 0;
    const int gridRows = m_grid->GetItemCount();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = firstRow + static_cast<int>(i);
        const vnChannel* channel = row < gridRows ? m_channels.GetAt(row) : nullptr;
        if (!channel) {
            ++rowsLeftOut;
            continue;
        }
        vnChannel pasted = *channel;
        const ChannelClipboardText::Row& fields = rows[i];
        for (std::size_t field = 0; field < fields.size(); ++field) {
            if (field >= columns.size()) {
                ++cellsLeftOut;
                continue;
            }
            // Each cell is taken as if typed into it: what typing would
            // refuse leaves the cell as it was.
            const int column = columns[field];
            if (column != kNumberColumn && !SetTypedChannelCellText(pasted, column, WithoutLineEnds(fields[field])))
                ++cellsRefused;
        }
        changes.push_back({row, *channel, pasted});
    }
    std::vector<std::int32_t> pastedRows;
    for (const ChannelEditCommand::Change& change : changes)
        pastedRows.push_back(change.index);
    if (!changes.empty()) {
        const int count = static_cast<int>(changes.size());
        const std::int32_t first = changes.front().before.GetNumber();
        ChangeChannels(std::move(changes), ChannelsStepText("Paste", count, first));
    }

    QStringList notes;
    // As after typing: what the upload would refuse is said now.
    std::string reason;
    if (const int unsendable = CountNotSendable(pastedRows, reason); unsendable == 1)
        notes << QString::fromStdString(reason);
    else if (unsendable > 1)
        notes << LoadStringText(IDS_PASTE_NOT_SENDABLE).arg(unsendable).arg(QString::fromStdString(reason));
    if (cellsRefused > 0)
        notes << CountText(cellsRefused, IDS_PASTE_CELL_REFUSED, IDS_PASTE_CELLS_REFUSED);
    if (rowsLeftOut > 0)
        notes << CountText(rowsLeftOut, IDS_PASTE_ROW_LEFT_OUT, IDS_PASTE_ROWS_LEFT_OUT);
    if (cellsLeftOut > 0)
        notes << CountText(cellsLeftOut, IDS_PASTE_CELL_LEFT_OUT, IDS_PASTE_CELLS_LEFT_OUT);
    if (notes.isEmpty())
        m_statusBar->clearMessage();
    else
        m_statusBar->showMessage(notes.join(QLatin1Char(' ')));
}

int CMainFrame::CountNotSendable(const std::vector<std::int32_t>& rows, std::string& firstReason)
{
    ModuleLease module(m_moduleManager);
    const vnTransfer* transfer = module.GetTransfer();
    if (!transfer)
        return 0;
    int count = 0;
    for (const std::int32_t row : rows) {
        std::string reason;
        if (const vnChannel* channel = m_channels.GetAt(row))
            transfer->CheckChannel(channel, &reason);
        if (!reason.empty() && count++ == 0)
            firstReason = reason;
    }
    return count;
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
    std::vector<GridColumnChoice> columns;
    for (const int column : m_grid->GetColumnOrder()) {
        const bool titled = column >= 0 && column < static_cast<int>(std::size(kColumns));
        columns.push_back({column, titled ? LoadStringText(kColumns[column].title) : QString(),
                           m_grid->IsColumnShown(column), column == kNumberColumn});
    }
    CColumnsDlg dialog(std::move(columns), this);
    if (dialog.DoModal() != IDOK)
        return;
    std::vector<int> order;
    for (const GridColumnChoice& column : dialog.GetColumns()) {
        order.push_back(column.column);
        m_grid->SetColumnShown(column.column, column.shown || column.column == kNumberColumn);
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
    // A port that another program holds, as the serial devices word it
    // (on Windows for a refused or shared port): the port is the word before.
    const std::string inUse = " is in use by another program";
    if (const std::size_t at = reason.find(inUse); at != std::string::npos) {
        const std::string before = reason.substr(0, at);
        const std::size_t space = before.rfind(' ');
        const std::string port = space == std::string::npos ? before : before.substr(space + 1);
        text += QStringLiteral("\n\n") + LoadStringText(IDS_TRANSFER_IN_USE_HINT).arg(QString::fromStdString(port));
        return text;
    }
#ifndef _WIN32
    // The reason carries the system's own words, in the user's language.
    const std::string denied = std::system_category().message(EACCES);
    const std::string notPermitted = std::system_category().message(EPERM);
    if (reason.find(denied) != std::string::npos || reason.find(notPermitted) != std::string::npos)
        text += QStringLiteral("\n\n") + LoadStringText(IDS_TRANSFER_ACCESS_HINT);
#endif
    return text;
}

void CMainFrame::ShowTransferError(const vnTransfer* transfer, const QString& outcome)
{
    QString text = TransferErrorText(transfer ? transfer->GetFailureReason() : std::string());
    if (!outcome.isEmpty())
        text += QStringLiteral("\n\n") + outcome;
    CMessageBox::Show(this, text, CMessageBox::Exclamation, CMessageBox::Ok);
}
