#pragma once

#include "modules/vnTransfer.h"

#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

// Shows how far an upload command has got: "Uploading channel n of m" in a
// small window that appears once the command has run for half a second.
// The transfer reports each packet to it; on each report the window is
// updated and the program repaints, while user input waits until the
// command is over (the upload runs on the user-interface thread).
class CUploadProgress : public QObject, public vnTransferProgress
{
    Q_OBJECT

public:
    // Where the time comes from: the steady clock, or a clock a test drives.
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit CUploadProgress(QWidget* parent, Clock clock = std::chrono::steady_clock::now);
    ~CUploadProgress() override;

    // For a command of one upload per channel: upload `index` (from 1) of
    // `count` begins. Without this the transfer's own count is shown.
    void BeginUpload(int index, int count);
    // Packets sent so far in this upload, of the packets in it (the start
    // and end packets and one per channel sent).
    void OnProgress(std::int32_t sent, std::int32_t total) override;
    // Takes the window away (before a message box, and at the end).
    void Hide();

    // How long the command runs before the window shows.
    static constexpr std::chrono::milliseconds kShowDelay{500};

    // The window, once shown; for tests.
    QProgressDialog* GetDialog() const { return m_dialog.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(int channel, int channels);

    QPointer<QWidget> m_parent;
    Clock m_clock;
    std::chrono::steady_clock::time_point m_start;
    std::unique_ptr<QProgressDialog> m_dialog;
    int m_upload = 0;
    int m_uploads = 0;
};
