#include "app/CUploadProgress.h"

#include "core/ChannelUploadPlan.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"
#include "toolkit/CMessageBox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>
#include <utility>

CUploadProgress::CUploadProgress(QWidget* parent, Clock clock)
    : m_parent(parent), m_clock(std::move(clock)), m_start(m_clock())
{}

CUploadProgress::~CUploadProgress() = default;

void CUploadProgress::BeginUpload(int index, int count)
{
    m_upload = index;
    m_uploads = count;
    Show(QString::fromStdString(vnUploadProgressText(index - 1, count, m_lastNumber)), index - 1, count);
    ServeEvents();
}

void CUploadProgress::OnProgress(std::int32_t sent, std::int32_t total)
{
    // The state that follows says what has left; this only serves the
    // window.
    (void)sent;
    (void)total;
    ServeEvents();
}

void CUploadProgress::OnState(const vnTransferState& state)
{
    // The count says how far the upload is; the memory number where, which
    // differs from the count once an empty channel is left out.
    if (state.lastNumber > 0)
        m_lastNumber = state.lastNumber;
    if (m_uploads > 0) {
        const int sent = m_upload - 1 + std::min(state.channelsSent, 1);
        Show(QString::fromStdString(vnUploadProgressText(sent, m_uploads, m_lastNumber)), sent, m_uploads);
    } else {
        Show(QString::fromStdString(vnUploadProgressText(state.channelsSent, state.channels, m_lastNumber, &state)),
             state.channelsSent, state.channels);
    }
    ServeEvents();
}

void CUploadProgress::Show(const QString& text, int value, int maximum)
{
    // After Cancel the window stays away while the upload winds down.
    if (m_cancelRequested)
        return;
    if (!m_dialog) {
        if (m_clock() - m_start < kShowDelay)
            return;
        m_dialog = std::make_unique<QProgressDialog>(m_parent);
        m_dialog->setWindowTitle(LoadStringText(IDS_UPLOAD_TITLE));
        m_dialog->setCancelButtonText(LoadStringText(IDS_UPLOAD_CANCEL));
        // Cancel becomes Close in the same place and size.
        if (auto* button = m_dialog->findChild<QPushButton*>()) {
            const QFontMetrics metrics(button->font());
            const int textWidth = std::max(metrics.horizontalAdvance(LoadStringText(IDS_UPLOAD_CANCEL)),
                                           metrics.horizontalAdvance(LoadStringText(IDS_UPLOAD_CLOSE)));
            button->setFixedWidth(std::max(button->sizeHint().width(), textWidth + metrics.averageCharWidth() * 4));
        }
        // Room for the result's text from the start, so that the window
        // keeps its size, and the button its place, when the text changes.
        auto* label = new QLabel(text);
        label->setWordWrap(true);
        m_dialog->setLabel(label);
        m_dialog->setFixedSize(kWidth,
                               m_dialog->sizeHint().height() + kExtraLines * label->fontMetrics().lineSpacing());
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        // Input may reach this window only: the main window must not start
        // a second command meanwhile.
        m_dialog->setWindowModality(Qt::ApplicationModal);
        connect(m_dialog.get(), &QProgressDialog::canceled, this, [this] { m_cancelRequested = true; });
        // The close box does not stop the upload; Cancel does.
        m_dialog->installEventFilter(this);
    }
    m_dialog->setRange(0, std::max(maximum, 1));
    m_dialog->setValue(std::clamp(value, 0, std::max(maximum, 1)));
    m_dialog->setLabelText(text);
    if (!m_dialog->isVisible())
        m_dialog->show();
}

void CUploadProgress::ServeEvents()
{
    // Paint and run timers. Keys and clicks wait until the command is over,
    // except while the modal window is up: then they can only reach it.
    const bool modalUp = m_dialog && m_dialog->isVisible();
    QCoreApplication::processEvents(modalUp ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

void CUploadProgress::Hide()
{
    if (m_dialog) {
        m_dialog->removeEventFilter(this);
        m_dialog.reset();
    }
}

bool CUploadProgress::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dialog.get() && event->type() == QEvent::Close) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void CUploadProgress::ShowResult(const QString& text)
{
    // The upload is over: the button closes the window, which nothing else owns now.
    m_dialog->removeEventFilter(this);
    disconnect(m_dialog.get(), nullptr, this, nullptr);
    m_dialog->setWindowTitle(LoadStringText(IDS_UPLOAD_DONE_TITLE));
    m_dialog->setLabelText(text);
    m_dialog->setValue(m_dialog->maximum());
    m_dialog->setCancelButtonText(LoadStringText(IDS_UPLOAD_CLOSE));
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    QProgressDialog* window = m_dialog.release();
    connect(window, &QProgressDialog::canceled, window, &QWidget::close);
}

void CUploadProgress::ShowOutcome(const vnUploadOutcome& outcome, QStatusBar& statusBar, const std::string& destination,
                                  const std::function<void()>& showHelp, const Words& words)
{
    const QString skipped = QString::fromStdString(outcome.WithoutFrequencyText());
    const QString note = QString::fromStdString(words.note);
    // The status bar holds one line.
    const auto oneLine = [](QString text) { return text.replace(QLatin1Char('\n'), QLatin1Char(' ')); };
    if (outcome.Cancelled()) {
        Hide();
        // The user asked for it: no error, just how far it got.
        QString text = LoadStringText(IDS_UPLOAD_CANCELLED).arg(outcome.sent).arg(outcome.count);
        if (!note.isEmpty())
            text += QLatin1Char(' ') + oneLine(note);
        statusBar.showMessage(text);
    } else if (outcome.NothingToSend()) {
        Hide();
        statusBar.showMessage(QString::fromStdString(outcome.reason));
    } else if (outcome.Failed()) {
        Hide();
        QString text = LoadStringText(IDS_TRANSFER_ERROR);
        for (const std::string& paragraph : ChannelUploadPlan::FailureParagraphs(outcome))
            text += QStringLiteral("\n\n") + QString::fromStdString(paragraph);
        if (!note.isEmpty())
            text += QStringLiteral("\n\n") + note;
        statusBar.showMessage(skipped);
        if (CMessageBox::Show(m_parent, text, CMessageBox::Exclamation, CMessageBox::OkHelp) == IDHELP && showHelp)
            showHelp();
    } else {
        const std::chrono::duration<double> took = m_clock() - m_start;
        const std::string sent = outcome.SentText(destination, took.count(), words.scanner, words.kind);
        const QString status = QString::fromStdString(
            ChannelUploadPlan::SentText(outcome, destination, took.count(), words.scanner, words.kind));
        statusBar.showMessage(note.isEmpty() ? status : status + QLatin1Char(' ') + oneLine(note));
        if (m_dialog && m_dialog->isVisible())
            ShowResult(QString::fromStdString(sent) + (note.isEmpty() ? QString() : QLatin1Char('\n') + note));
        else
            Hide();
    }
}

QString CUploadProgress::TransferErrorText(const std::string& reason)
{
    QString text = LoadStringText(IDS_TRANSFER_ERROR);
    if (reason.empty())
        return text;
    for (const std::string& paragraph : ChannelUploadPlan::ReasonParagraphs(reason))
        text += QStringLiteral("\n\n") + QString::fromStdString(paragraph);
    return text;
}
