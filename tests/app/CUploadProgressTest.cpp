// The upload progress window: late to appear, counting the channels and bytes
// that have left, stopped by Cancel or Escape but not by its close box.
#include "app/CUploadProgress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A clock the test moves by hand.
struct TestClock
{
    std::chrono::steady_clock::time_point now{};
    CUploadProgress::Clock Reader()
    {
        return [this] { return now; };
    }
};

vnTransferState State(std::int32_t channelsSent, std::int32_t channels, std::uint64_t bytesSent, std::uint64_t bytes,
                      std::int32_t lastNumber = 0)
{
    vnTransferState state;
    state.channelsSent = channelsSent;
    state.channels = channels;
    state.bytesSent = bytesSent;
    state.bytes = bytes;
    state.lastNumber = lastNumber;
    return state;
}

TEST(UploadProgress, AppearsOnlyAfterHalfASecondAndShowsWhatHasLeft)
{
    QWidget window;
    TestClock clock;
    CUploadProgress progress(&window, clock.Reader());
    clock.now += CUploadProgress::kShowDelay - std::chrono::milliseconds(1);
    progress.OnState(State(0, 200, 6, 6012));
    EXPECT_EQ(progress.GetDialog(), nullptr);

    clock.now += std::chrono::milliseconds(1);
    progress.OnState(State(57, 200, 2149, 6012, 66));
    ASSERT_NE(progress.GetDialog(), nullptr);
    EXPECT_TRUE(progress.GetDialog()->isVisible());
    // The memory number, which differs from the count once a channel is empty.
    EXPECT_EQ(progress.GetDialog()->labelText(), "57 of 200 channels sent (memory 66), 2.1 of 6.0 KB");
    EXPECT_EQ(progress.GetDialog()->windowModality(), Qt::ApplicationModal);

    progress.OnState(State(200, 200, 6012, 6012, 200));
    EXPECT_EQ(progress.GetDialog()->labelText(), "200 of 200 channels sent (memory 200), 6.0 of 6.0 KB");

    progress.Hide();
    EXPECT_EQ(progress.GetDialog(), nullptr);
}

TEST(UploadProgress, CountsUploadsOfOneChannelEachAndCannotBeClosed)
{
    QWidget window;
    TestClock clock;
    CUploadProgress progress(&window, clock.Reader());
    clock.now += CUploadProgress::kShowDelay;
    progress.BeginUpload(2, 5);
    ASSERT_NE(progress.GetDialog(), nullptr);
    EXPECT_EQ(progress.GetDialog()->labelText(), "1 of 5 channels sent");
    progress.OnState(State(1, 1, 40, 40, 49));
    EXPECT_EQ(progress.GetDialog()->labelText(), "2 of 5 channels sent (memory 49)");

    EXPECT_FALSE(progress.GetDialog()->close());
    EXPECT_TRUE(progress.GetDialog()->isVisible());
    EXPECT_FALSE(progress.IsCancelRequested());
}

TEST(UploadProgress, CancelAndEscapeAskTheUploadToStop)
{
    for (bool escape : {false, true}) {
        QWidget window;
        TestClock clock;
        CUploadProgress progress(&window, clock.Reader());
        clock.now += CUploadProgress::kShowDelay;
        progress.OnState(State(3, 10, 100, 400));
        ASSERT_NE(progress.GetDialog(), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(progress.GetDialog()));
        if (escape) {
            QTest::keyClick(progress.GetDialog(), Qt::Key_Escape);
        } else {
            auto* cancel = progress.GetDialog()->findChild<QPushButton*>();
            ASSERT_NE(cancel, nullptr);
            EXPECT_EQ(cancel->text(), "Cancel");
            cancel->click();
        }
        EXPECT_TRUE(progress.IsCancelRequested()) << (escape ? "Escape" : "Cancel");
        progress.OnState(State(4, 10, 130, 400));
        EXPECT_FALSE(progress.GetDialog()->isVisible());
    }
}

// The window that showed becomes the result: its title, its text, and Cancel
// turned Close in the same place and size, in a window as wide as before.
TEST(UploadProgress, ASuccessTurnsTheWindowIntoTheResultWithClose)
{
    QWidget window;
    QStatusBar statusBar;
    TestClock clock;
    CUploadProgress progress(&window, clock.Reader());
    clock.now += CUploadProgress::kShowDelay;
    progress.OnState(State(3, 22, 100, 800));
    QProgressDialog* dialog = progress.GetDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    EXPECT_EQ(dialog->windowTitle(), "Uploading to Scanner");
    auto* button = dialog->findChild<QPushButton*>();
    ASSERT_NE(button, nullptr);
    const QRect cancelPlace = button->geometry();
    const QSize size = dialog->size();

    vnUploadOutcome outcome;
    outcome.sent = 22;
    outcome.count = 22;
    clock.now += std::chrono::milliseconds(2600);
    progress.ShowOutcome(outcome, statusBar, "/dev/ttyUSB0", {});
    const QString sent = "Sent 22 channels to the scanner on /dev/ttyUSB0 in 3.1 s. The scanner does not confirm: "
                         "check its display.";
    EXPECT_EQ(statusBar.currentMessage(), sent);
    EXPECT_EQ(progress.GetDialog(), nullptr); // the window lives on by itself
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "Upload Complete");
    EXPECT_EQ(dialog->labelText(), sent);
    EXPECT_EQ(button->text(), "Close");
    EXPECT_EQ(button->geometry(), cancelPlace);
    EXPECT_EQ(dialog->size(), size);
    // The whole text shows.
    const auto* label = dialog->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_GE(label->height(), label->heightForWidth(label->width()));

    QPointer<QProgressDialog> gone(dialog);
    button->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
}

} // namespace
