#include "app/CUploadCommand.h"

#include "app/CUploadProgress.h"
#include "channels/vnChannelList.h"
#include "channels/vnWords.h"
#include "core/ChannelUploadPlan.h"
#include "core/ScannerRecordUpload.h"
#include "modules/vnChannelUpload.h"
#include "modules/vnModule.h"
#include "modules/vnModuleLease.h"
#include "modules/vnTransfer.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"
#include "toolkit/CMessageBox.h"

#include <QStatusBar>

#include <chrono>
#include <string>
#include <utility>

CUploadCommand::CUploadCommand(vnModuleManager& manager, QWidget* parent, QStatusBar& statusBar,
                               std::function<void()> showHelp, std::function<void()> recorded)
    : m_manager(manager), m_parent(parent), m_statusBar(statusBar), m_showHelp(std::move(showHelp)),
      m_recorded(std::move(recorded))
{}

void CUploadCommand::All(const vnChannelList& channels)
{
    Run(channels, Mode::All, {});
}

void CUploadCommand::Selected(const vnChannelList& channels, const std::vector<std::int32_t>& indexes)
{
    if (!indexes.empty())
        Run(channels, Mode::Selected, indexes);
}

void CUploadCommand::Changed(const vnChannelList& channels)
{
    Run(channels, Mode::Changed, {});
}

bool CUploadCommand::EnsurePort(vnModuleLease& module)
{
    if (module.GetSetupProblem().empty())
        return true;
    // The properties show the same words and let the user choose the port;
    // they apply to this module at once.
    module.Get()->ShowProperties();
    if (module.GetSetupProblem().empty())
        return true;
    m_statusBar.showMessage(
        LoadStringText(IDS_UPLOAD_NOTHING_SENT) + QLatin1Char(' ') +
        QString::fromStdString(module.GetSetupProblem()).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    return false;
}

bool CUploadCommand::AskAboutEmptied(const ScannerRecordUpload& record, bool& lockOut)
{
    lockOut = false;
    if (record.GetEmptied().empty())
        return true;
    const int answer = CMessageBox::Show(m_parent, QString::fromStdString(record.EmptiedQuestion()),
                                         CMessageBox::Question, CMessageBox::LockLeaveCancel);
    if (answer == IDCANCEL)
        return false;
    lockOut = answer == IDYES;
    return true;
}

void CUploadCommand::Run(const vnChannelList& channels, Mode mode, std::vector<std::int32_t> indexes)
{
    vnModuleLease module(m_manager);
    if (module.Get() && !EnsurePort(module))
        return;
    const std::string scanner = module.GetScannerName();
    ScannerRecordUpload record(scanner, channels);

    // What the scanner holds decides what Upload Changed sends, and which
    // channels empty here it still holds.
    bool lockOut = false;
    if (mode != Mode::Selected && !AskAboutEmptied(record, lockOut)) {
        m_statusBar.showMessage(LoadStringText(IDS_UPLOAD_NOTHING_SENT));
        return;
    }
    vnChannelList table;
    record.MakeSending(lockOut, table, mode == Mode::Changed ? &indexes : nullptr);
    if (mode == Mode::Changed && indexes.empty()) {
        m_statusBar.showMessage(QString::fromStdString(record.NothingChangedText()));
        return;
    }
    const bool perChannel = mode != Mode::All;
    ChannelUploadPlan plan(table, module.GetBands(), perChannel ? &indexes : nullptr);

    // Before any byte: the table of bands comes from manuals and can be
    // wrong, so the user may send such channels anyway; a frequency off the
    // channel steps is most likely a typo, but may be a real channel.
    if (!plan.GetOutside().empty() || !plan.GetOffStep().empty()) {
        std::string question = plan.OutsideText();
        if (!plan.GetOffStep().empty())
            question += (question.empty() ? "" : "\n\n") + plan.OffStepText();
        const bool outside = !plan.GetOutside().empty();
        const int answer =
            CMessageBox::Show(m_parent, QString::fromStdString(question), CMessageBox::Question,
                              outside ? CMessageBox::SendOthersAllCancel : CMessageBox::SendAnywayCancel);
        if (answer == IDCANCEL || (outside && answer == IDYES && !plan.LeaveOutOutside())) {
            m_statusBar.showMessage(LoadStringText(IDS_UPLOAD_NOTHING_SENT));
            return;
        }
    }

    // Channels without a frequency are not sent: with nothing else, the
    // port stays closed and the user learns why nothing happened.
    if (const std::string nothing = plan.NothingToSendText(); !nothing.empty()) {
        m_statusBar.showMessage(QString::fromStdString(nothing));
        CMessageBox::Show(m_parent, QString::fromStdString(nothing), CMessageBox::Information, CMessageBox::Ok);
        return;
    }

    vnTransfer* transfer = module.GetTransfer();
    const std::string destination = transfer ? transfer->GetDestination() : std::string();
    CUploadProgress progress(m_parent);
    vnChannelUpload upload(transfer, &progress);
    const vnUploadOutcome outcome = plan.Send(upload);

    CUploadProgress::Words words;
    words.scanner =
        scanner.empty() || mode != Mode::Changed ? std::string() : vnWords::Say(IDS_THE_NAMED_SCANNER, {scanner});
    words.kind = mode == Mode::Changed ? vnWords::Say(IDS_CHANGED_KIND) : "";
    // A refusal before the first byte changed nothing on the scanner.
    if (outcome.result != E_INVALIDARG && transfer) {
        const bool nothingKnown = record.GetRecord().IsEmpty();
        const std::string problem =
            record.Finish(plan.GetSending(), plan.GetSendingIndexes(), outcome.sent, destination,
                          std::chrono::system_clock::now(), !outcome.NothingLeft());
        const std::vector<vnChannel>& meant = record.GetMeant();
        if (vnFailed(outcome.result)) {
            words.note = UpdatedText(meant, outcome.sent);
        } else {
            words.note = ChannelsToCheckText(meant);
            // Said once: after this upload there is a record to ask about them.
            if (nothingKnown && mode == Mode::All)
                words.note += "\n" + EmptyNotSentNote();
        }
        if (!problem.empty())
            words.note += "\n" + vnWords::Say(IDS_RECORD_NOT_WRITTEN, {scanner, problem});
        if (m_recorded)
            m_recorded();
    }
    progress.ShowOutcome(outcome, m_statusBar, destination, m_showHelp, words);
}
