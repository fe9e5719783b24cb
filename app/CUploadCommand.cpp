#include "app/CUploadCommand.h"

#include "app/CUploadProgress.h"
#include "channels/vnChannelList.h"
#include "core/ChannelUploadPlan.h"
#include "modules/vnChannelUpload.h"
#include "modules/vnModuleLease.h"
#include "modules/vnTransfer.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"
#include "toolkit/CMessageBox.h"

#include <QStatusBar>

#include <utility>

CUploadCommand::CUploadCommand(vnModuleManager& manager, QWidget* parent, QStatusBar& statusBar,
                               std::function<void()> showHelp)
    : m_manager(manager), m_parent(parent), m_statusBar(statusBar), m_showHelp(std::move(showHelp))
{}

void CUploadCommand::All(const vnChannelList& channels)
{
    Run(channels, nullptr);
}

void CUploadCommand::Selected(const vnChannelList& channels, const std::vector<std::int32_t>& indexes)
{
    if (!indexes.empty())
        Run(channels, &indexes);
}

void CUploadCommand::Run(const vnChannelList& channels, const std::vector<std::int32_t>* indexes)
{
    vnModuleLease module(m_manager);
    ChannelUploadPlan plan(channels, module.GetBands(), indexes);

    // Before any byte: the table of bands comes from manuals and can be
    // wrong, so the user may send such channels anyway.
    if (!plan.GetOutside().empty()) {
        const int answer = CMessageBox::Show(m_parent, QString::fromStdString(plan.OutsideText()),
                                             CMessageBox::Question, CMessageBox::SendOthersAllCancel);
        if (answer == IDCANCEL || (answer == IDYES && !plan.LeaveOutOutside())) {
            m_statusBar.showMessage(LoadStringText(IDS_UPLOAD_NOTHING_SENT));
            return;
        }
    }

    vnTransfer* transfer = module.GetTransfer();
    CUploadProgress progress(m_parent);
    vnChannelUpload upload(transfer, &progress);
    const vnUploadOutcome outcome = plan.Send(upload);
    progress.ShowOutcome(outcome, m_statusBar, transfer ? transfer->GetDestination() : std::string(), m_showHelp);
}
