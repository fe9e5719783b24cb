#include "app/CMainFrame.h"

#include "app/CFindDlg.h"
#include "app/CGoToDlg.h"
#include "app/CTransparentDialogBar.h"
#include "app/CUploadProgress.h"
#include "app/ChannelCellText.h"
#include "app/ChannelFile.h"
#include "app/ChannelSearch.h"
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

#include <QFile>
#include <QItemSelectionModel>

#include <cerrno>
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
// A character typed on one selected row starts editing its description.
constexpr int kDescriptionColumn = 2;

// The columns whose texts Find searches.
constexpr int kSearchedColumns[] = {1, 2, 3};

const QString kChannelFileExtension = QStringLiteral("csv");

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

} // namespace

CMainFrame::CMainFrame() : m_reBar(this)
{
    resize(780, 560);
    RegisterCommands();

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
    OnCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
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
    OnCommand(ID_TRANSFER_UPLOAD_SELECTED, [this] { OnTransferUploadSelected(); });
    OnCommand(ID_TRANSFER_UPLOAD_ALL, [this] { OnTransferUploadAll(); });
    OnCommand(ID_TRANSFER_SETTINGS, [this] { OnTransferSettings(); });
    OnCommand(ID_TRANSFER_MODULES, [this] { OnTransferModules(); });
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
    // The bank bar follows the focused row.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& row) {
        if (const vnChannel* channel = m_channels.GetAt(row.row()))
            m_bankBar->ShowBankOf(channel->GetNumber());
    });

    OnFileNew();
    return true;
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
    SetCellText(row, column, text);
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
    const vnChannelLayout layout = GetLayout();
    const std::int64_t first = layout.GetFirstChannel();
    const std::int64_t last = layout.GetLastChannel();

    m_fileName.clear();

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
    CFileDialog dialog(true, kChannelFileExtension, QString(), CFileDialog::FileMustExist | CFileDialog::HideReadOnly,
                       LoadStringText(IDS_CHANNEL_FILE_FILTER), this);
    if (dialog.DoModal() != IDOK)
        return;
    m_fileName = QFile::encodeName(dialog.GetPathName()).toStdString();

    // The channels take the file's lines; the grid then shows one row per
    // line read. Channels beyond those lines keep their values.
    const ChannelFileResult result = ReadChannelFile(m_fileName, m_channels);
    m_grid->SetRedraw(false);
    m_grid->DeleteAllItems();
    for (int row = 0; row < result.applied.rows; ++row)
        m_grid->InsertItem(row);
    m_grid->SetRedraw(true);

    if (!result.ok) {
        CMessageBox::Show(this, QString::fromStdString(OpenFailedMessage(m_fileName, result.reason)),
                          CMessageBox::Exclamation);
    } else if (result.applied.linesNotLoaded > 0) {
        CMessageBox::Show(this,
                          QString::fromStdString(
                              LinesNotLoadedMessage(m_fileName, result.applied.linesNotLoaded, m_channels.GetCount())),
                          CMessageBox::Exclamation);
    }
}

void CMainFrame::OnFileSave()
{
    // A cell still being edited belongs in the file, as it is shown.
    m_grid->CommitEdit();
    if (m_fileName.empty()) {
        OnFileSaveAs();
        return;
    }
    const ChannelFileResult result = WriteChannelFile(m_fileName, m_channels, m_grid->GetItemCount());
    // Silence after a failed save would read as success.
    if (!result.ok)
        CMessageBox::Show(this, QString::fromStdString(SaveFailedMessage(m_fileName, result.reason)),
                          CMessageBox::Exclamation);
}

void CMainFrame::OnFileSaveAs()
{
    CFileDialog dialog(false, kChannelFileExtension, QString(),
                       CFileDialog::HideReadOnly | CFileDialog::OverwritePrompt,
                       LoadStringText(IDS_CHANNEL_FILE_FILTER), this);
    if (dialog.DoModal() != IDOK)
        return;
    m_fileName = QFile::encodeName(dialog.GetPathName()).toStdString();
    OnFileSave();
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

void CMainFrame::ShowTransferError(const vnTransfer* transfer, const QString& outcome)
{
    QString text = TransferErrorText(transfer ? transfer->GetFailureReason() : std::string());
    if (!outcome.isEmpty())
        text += QStringLiteral("\n\n") + outcome;
    CMessageBox::Show(this, text, CMessageBox::Exclamation, CMessageBox::Ok);
}
