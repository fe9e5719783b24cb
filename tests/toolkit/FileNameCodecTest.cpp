#include "toolkit/FileNameCodec.h"

#include <gtest/gtest.h>

namespace {

struct NameCase
{
    const char* name;
    QByteArray bytes;
    // Whether the bytes are valid UTF-8, so the text is the name itself.
    bool utf8;
};

class FileNameCodecTest : public ::testing::TestWithParam<NameCase>
{};

} // namespace

TEST_P(FileNameCodecTest, BytesComeBackExactlyThroughTextAndSettings)
{
    const NameCase& c = GetParam();
    const QString name = DecodeFileName(c.bytes);
    EXPECT_EQ(EncodeFileName(name), c.bytes);
    EXPECT_FALSE(name.contains(QChar::ReplacementCharacter));
    // Stored as UTF-8 text (as the settings keep it) and read back.
    const QString text = FileNameToText(name);
    EXPECT_EQ(EncodeFileName(FileNameFromText(QString::fromUtf8(text.toUtf8()))), c.bytes);
    if (c.utf8) {
        EXPECT_EQ(name, QString::fromUtf8(c.bytes));
        EXPECT_EQ(text, name);
    }
}

INSTANTIATE_TEST_SUITE_P(FileNames, FileNameCodecTest,
                         ::testing::Values(NameCase{"Ascii", "/home/ann/county.csv", true},
                                           NameCase{"Utf8", "/home/ann/K\xC3\xB6ln \xE2\x82\xAC.csv", true},
                                           NameCase{"Latin1", "/home/ann/caf\xE9.csv", false},
                                           NameCase{"LoneContinuationAndHighBytes", "/tmp/\x80\xFF%41.csv", false},
                                           NameCase{"TruncatedSequence", "/tmp/a\xE2\x82", false},
                                           NameCase{"OverlongSlash", "/tmp/\xC0\xAF.csv", false},
                                           NameCase{"EncodedSurrogate", "/tmp/\xED\xB2\x80.csv", false}),
                         [](const auto& info) { return std::string(info.param.name); });
