#pragma once

#include "modules/vnChannelUpload.h"

#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>

class QProgressDialog;
class QStatusBar;
class QWidget;

// Shows how far an upload command has got ("57 of 200 channels sent
// (memory 66), 2.1 of 6.0 KB") in a small window that appears once the command has run for half
// a second, with Cancel (and Escape). The transfer reports to it after each
// packet and, while the port waits, at least every 100 ms; each report
// updates the window and lets the program repaint. Until the window shows,
// user input waits until the command is over; once it shows, it is modal, so
// input can reach only its Cancel.
class CUploadProgress : public QObject, public vnUploadProgress
{
    Q_OBJECT

public:
    // What the result says beyond the outcome: the scanner's name and the
    // kind of channels sent ("changed"), and a note for the end (the
    // channels to check, which memories were updated).
    struct Words
    {
        std::string scanner;
        std::string kind;
        std::string note;
    };

    // Where the time comes from: the steady clock, or a clock a test drives.
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit CUploadProgress(QWidget* parent, Clock clock = std::chrono::steady_clock::now);
    ~CUploadProgress() override;

    // For a command of one upload per channel: upload `index` (from 1) of
    // `count` begins. Without this the transfer's own count is shown.
    void BeginUpload(int index, int count) override;
    // Packets sent so far in this upload, of the packets in it.
    void OnProgress(std::int32_t sent, std::int32_t total) override;
    // What has left on the line.
    void OnState(const vnTransferState& state) override;
    bool IsCancelRequested() override { return m_cancelRequested; }
    // Takes the window away (before a message box, and at the end).
    void Hide();

    // What an upload command's outcome tells the user. Success: what was
    // sent, where and how long it took, in the status bar and, when the
    // window showed, in the window, whose Cancel becomes Close. A cancelled
    // command: how far it got, in the status bar. A failure: a box over the
    // parent saying how far it got, whose Help calls showHelp. Channels left
    // out for having no frequency are named in the status bar.
    void ShowOutcome(const vnUploadOutcome& outcome, QStatusBar& statusBar, const std::string& destination,
                     const std::function<void()>& showHelp, const Words& words = Words());
    // The message box text for a failed upload: the fixed sentence, then
    // the reason when the transfer knows it, then a hint when another
    // program holds the port or (on Linux) the system refused access to it.
    static QString TransferErrorText(const std::string& reason);

    // How long the command runs before the window shows.
    static constexpr std::chrono::milliseconds kShowDelay{500};
    // The window's width, fixed so that neither it nor its button moves
    // when the text changes.
    static constexpr int kWidth = 440;
    // Lines of text the window has room for beyond the progress text's one:
    // the result's sentence, the channels to check on the display and a note.
    static constexpr int kExtraLines = 5;

    // The window, once shown; for tests.
    QProgressDialog* GetDialog() const { return m_dialog.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(const QString& text, int value, int maximum);
    // The shown window becomes the result, with Close, and lives on by itself.
    void ShowResult(const QString& text);
    void ServeEvents();

    QPointer<QWidget> m_parent;
    Clock m_clock;
    std::chrono::steady_clock::time_point m_start;
    std::unique_ptr<QProgressDialog> m_dialog;
    int m_upload = 0;
    int m_uploads = 0;
    int m_lastNumber = 0;
    bool m_cancelRequested = false;
};
