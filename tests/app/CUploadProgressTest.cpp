// The upload progress window: late to appear, counting channels, not closable.
#include "app/CUploadProgress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QProgressDialog>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(UploadProgress, AppearsOnlyAfterHalfASecond)
{
    QWidget window;
    CUploadProgress progress(&window);
    progress.OnProgress(1, 12);
    EXPECT_EQ(progress.GetDialog(), nullptr);

    QTest::qWait(CUploadProgress::kShowDelayMs + 50);
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
    CUploadProgress progress(&window);
    QTest::qWait(CUploadProgress::kShowDelayMs + 50);
    progress.BeginUpload(2, 5);
    progress.OnProgress(2, 3);
    ASSERT_NE(progress.GetDialog(), nullptr);
    EXPECT_EQ(progress.GetDialog()->labelText(), "Uploading channel 2 of 5");

    EXPECT_FALSE(progress.GetDialog()->close());
    EXPECT_TRUE(progress.GetDialog()->isVisible());
}

} // namespace
