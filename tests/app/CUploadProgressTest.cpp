// The upload progress window: late to appear, counting channels, not closable.
#include "app/CUploadProgress.h"

#include <QProgressDialog>
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

TEST(UploadProgress, AppearsOnlyAfterHalfASecond)
{
    QWidget window;
    TestClock clock;
    CUploadProgress progress(&window, clock.Reader());
    clock.now += CUploadProgress::kShowDelay - std::chrono::milliseconds(1);
    progress.OnProgress(1, 12);
    EXPECT_EQ(progress.GetDialog(), nullptr);

    clock.now += std::chrono::milliseconds(1);
    progress.OnProgress(4, 12);
    ASSERT_NE(progress.GetDialog(), nullptr);
    EXPECT_TRUE(progress.GetDialog()->isVisible());
    // Start and end packets are no channels: 3 of 10 channels are out.
    EXPECT_EQ(progress.GetDialog()->labelText(), "Uploading channel 3 of 10");

    progress.OnProgress(12, 12);
    EXPECT_EQ(progress.GetDialog()->labelText(), "Uploading channel 10 of 10");

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
    progress.OnProgress(2, 3);
    ASSERT_NE(progress.GetDialog(), nullptr);
    EXPECT_EQ(progress.GetDialog()->labelText(), "Uploading channel 2 of 5");

    EXPECT_FALSE(progress.GetDialog()->close());
    EXPECT_TRUE(progress.GetDialog()->isVisible());
}

} // namespace
