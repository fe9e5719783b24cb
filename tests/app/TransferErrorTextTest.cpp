// The message after a failed upload: the reason, and the hint that fits it.
#include "app/CUploadProgress.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace {

struct ErrorTextCase
{
    std::string reason;
    bool permissionHint;
    std::string inUseHint; // empty: none
};

class TransferErrorTextTest : public ::testing::TestWithParam<ErrorTextCase>
{};

TEST_P(TransferErrorTextTest, AddsTheReasonAndTheHintThatFitsIt)
{
    const QString text = CUploadProgress::TransferErrorText(GetParam().reason);
    EXPECT_TRUE(text.startsWith("A transfer error has occurred."));
    if (GetParam().reason.empty()) {
        EXPECT_EQ(text, "A transfer error has occurred.");
    } else if (!GetParam().inUseHint.empty()) {
        // The hint says the reason: once.
        EXPECT_EQ(text, "A transfer error has occurred.\n\n" + QString::fromStdString(GetParam().inUseHint));
    } else {
        EXPECT_TRUE(text.contains(QString::fromStdString(GetParam().reason)));
    }
    EXPECT_EQ(text.contains("dialout"), GetParam().permissionHint) << text.toStdString();
    EXPECT_EQ(text.contains("close it and try again"), !GetParam().inUseHint.empty()) << text.toStdString();
    if (!GetParam().inUseHint.empty()) {
        EXPECT_TRUE(text.endsWith(QString::fromStdString(GetParam().inUseHint))) << text.toStdString();
    }
}

#ifdef _WIN32
// The Win32 serial device's words for a port held by another program
// (ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION) and for a missing one.
INSTANTIATE_TEST_SUITE_P(Reasons, TransferErrorTextTest,
                         ::testing::Values(ErrorTextCase{"", false, ""},
                                           ErrorTextCase{"COM3 is in use by another program (Access denied)", false,
                                                         "COM3 is in use by another program: close it and try again."},
                                           ErrorTextCase{"COM12 is in use by another program (Sharing violation)",
                                                         false,
                                                         "COM12 is in use by another program: close it and try again."},
                                           ErrorTextCase{"COM4 could not be opened: File not found", false, ""},
                                           ErrorTextCase{"COM4 could not be opened: Access denied", false, ""}));
#else
INSTANTIATE_TEST_SUITE_P(
    Reasons, TransferErrorTextTest,
    ::testing::Values(
        ErrorTextCase{"", false, ""},
        ErrorTextCase{"/dev/ttyUSB0 could not be opened: " + std::system_category().message(EACCES), true, ""},
        ErrorTextCase{"/dev/ttyS0 could not be locked: " + std::system_category().message(EPERM), true, ""},
        ErrorTextCase{"/dev/ttyUSB0 could not be opened: " + std::system_category().message(ENOENT), false, ""},
        ErrorTextCase{"/dev/ttyUSB0 is in use by another program", false,
                      "/dev/ttyUSB0 is in use by another program: close it and try again."}));
#endif

} // namespace
