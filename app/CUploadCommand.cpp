#include "app/CUploadCommand.h"

#include "app/CUploadProgress.h"
#include "channels/vnChannelList.h"
#include "modules/vnChannelUpload.h"
#include "modules/vnModuleLease.h"
#include "modules/vnScannerBands.h"
#include "modules/vnTransfer.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"
#include "toolkit/CMessageBox.h"

#include <QStatusBar>

#include <algorithm>
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
    const vnScannerBands bands = module.GetBands();
    const std::vector<vnOutOfBandChannel> outside = bands.FindOutside(channels, indexes);

    // Before any byte: the table of bands comes from manuals and can be
    // wrong, so the user may send such channels anyway.
    vnChannelList inside;
    const vnChannelList* sending = &channels;
    std::vector<std::int32_t> selected = indexes ? *indexes : std::vector<std::int32_t>();
    if (!outside.empty()) {
        const int answer = CMessageBox::Show(m_parent, QString::fromStdString(bands.OutsideText(outside)),
                                             CMessageBox::Question, CMessageBox::SendOthersAllCancel);
        if (answer == IDCANCEL) {
            m_statusBar.showMessage(LoadStringText(IDS_UPLOAD_NOTHING_SENT));
            return;
        }
        if (answer == IDYES) {
            bands.CopyInside(channels, outside, inside, selected);
            sending = &inside;
            if (indexes && selected.empty()) {
                m_statusBar.showMessage(LoadStringText(IDS_UPLOAD_NOTHING_SENT));
                return;
            }
        }
    }

    vnTransfer* transfer = module.GetTransfer();
    CUploadProgress progress(m_parent);
    vnChannelUpload upload(transfer, &progress);
    const vnUploadOutcome outcome = indexes ? upload.Selected(*sending, selected) : upload.All(*sending);
    progress.ShowOutcome(outcome, m_statusBar, transfer ? transfer->GetDestination() : std::string(), m_showHelp);
}
