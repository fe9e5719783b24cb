#include "app/CUploadProgress.h"

#include "res/ResourceIds.h"
#include "res/StringResource.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProgressDialog>

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
    OnProgress(0, 0);
}

void CUploadProgress::OnProgress(std::int32_t sent, std::int32_t total)
{
    if (m_uploads > 0) {
        Show(m_upload, m_uploads);
    } else {
        // The start and end packets are no channels.
        const int channels = std::max(total - 2, 0);
        Show(std::clamp(sent - 1, 0, channels), channels);
    }
    // Paint and run timers, but leave keys and clicks queued until the
    // command is over: the window must not start a second command now.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CUploadProgress::Show(int channel, int channels)
{
    if (!m_dialog) {
        if (m_clock() - m_start < kShowDelay)
            return;
        m_dialog = std::make_unique<QProgressDialog>(m_parent);
        m_dialog->setWindowTitle(LoadStringText(IDS_APP_TITLE));
        m_dialog->setCancelButton(nullptr);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        // The user cannot stop an upload half way: its window stays.
        m_dialog->installEventFilter(this);
    }
    m_dialog->setRange(0, std::max(channels, 1));
    m_dialog->setValue(std::min(channel, std::max(channels, 1)));
    m_dialog->setLabelText(LoadStringText(IDS_UPLOAD_PROGRESS).arg(channel).arg(channels));
    if (!m_dialog->isVisible())
        m_dialog->show();
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
