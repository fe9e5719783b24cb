#include "settings/CSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kTransfer = "Transfer Options";

class CSettingsStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString Path() const { return m_dir.filePath(QStringLiteral("store.ini")); }

    void WriteFile(const QByteArray& content) const
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    QByteArray ReadFile() const
    {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

TEST_F(CSettingsStoreTest, EmptyStoreGivesEveryReaderItsDefault)
{
    CSettingsStore store(Path());
    EXPECT_EQ(store.GetSettingInt("", "First Run", 1), 1);
    EXPECT_EQ(store.GetSettingString(kTransfer, "Communications Port", "COM1"), "COM1");
    EXPECT_EQ(store.GetSettingInt(kTransfer, "Baud", 4800), 4800);
    EXPECT_EQ(store.GetSettingInt(kTransfer, "Stop Bits", 2), 2);
    EXPECT_EQ(store.GetSettingString(kTransfer, "Scanner Model", "RadioShack Pro-89"), "RadioShack Pro-89");
    EXPECT_EQ(store.GetSettingInt(kTransfer, "Car Numbers", 1), 1);
    EXPECT_FALSE(QFile::exists(Path())) << "reading must not create the store";
}

TEST_F(CSettingsStoreTest, ValuesWrittenByOneStoreAreSeenAtOnceByAnother)
{
    CSettingsStore first(Path());
    CSettingsStore second(Path());

    EXPECT_TRUE(first.SetSettingInt("", "First Run", 5));
    EXPECT_TRUE(first.SetSettingString(kTransfer, "Communications Port", "/dev/ttyUSB0"));
    EXPECT_TRUE(first.SetSettingInt(kTransfer, "Baud", -2147483647 - 1));
    EXPECT_EQ(second.GetSettingInt("", "First Run", 1), 5);
    EXPECT_EQ(second.GetSettingString(kTransfer, "Communications Port", "COM1"), "/dev/ttyUSB0");
    EXPECT_EQ(second.GetSettingInt(kTransfer, "Baud", 4800), -2147483647 - 1);

    // The first store caches nothing: it sees what the second one writes.
    EXPECT_TRUE(second.SetSettingInt("", "First Run", 0));
    EXPECT_TRUE(second.SetSettingInt(kTransfer, "Baud", 2147483647));
    EXPECT_EQ(first.GetSettingInt("", "First Run", 1), 0);
    EXPECT_EQ(first.GetSettingInt(kTransfer, "Baud", 4800), 2147483647);
}

TEST_F(CSettingsStoreTest, RootAndSectionKeepTheirNamesWithBlanks)
{
    CSettingsStore store(Path());
    ASSERT_TRUE(store.SetSettingInt("", "First Run", 0));
    ASSERT_TRUE(store.SetSettingInt(kTransfer, "Stop Bits", 1));

    // The same value name in the root and in a section are two values.
    EXPECT_EQ(store.GetSettingInt(kTransfer, "First Run", 7), 7);
    EXPECT_EQ(store.GetSettingInt("", "Stop Bits", 7), 7);

    QSettings raw(Path(), QSettings::IniFormat);
    EXPECT_TRUE(raw.childKeys().contains(QStringLiteral("First Run")));
    EXPECT_TRUE(raw.childGroups().contains(QStringLiteral("Transfer Options")));
    EXPECT_EQ(raw.value(QStringLiteral("Transfer Options/Stop Bits")).toInt(), 1);
}

class CSettingsStoreStringTest : public CSettingsStoreTest, public ::testing::WithParamInterface<std::string>
{};

TEST_P(CSettingsStoreStringTest, StringReadsBackUnchanged)
{
    {
        CSettingsStore writer(Path());
        ASSERT_TRUE(writer.SetSettingString(kTransfer, "Scanner Model", GetParam()));
    }
    CSettingsStore reader(Path());
    EXPECT_EQ(reader.GetSettingString(kTransfer, "Scanner Model", "default"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Texts, CSettingsStoreStringTest,
                         ::testing::Values(std::string("(Custom)"), std::string(""), std::string("a, b"),
                                           std::string("x=y;z #w \"q\" \\ \n"), std::string("  padded  "),
                                           std::string("K\xC3\xB6ln"),  // UTF-8
                                           std::string("K\xF6ln \xFF"), // not UTF-8
                                           std::string("@ByteArray(x)")));

struct IntFileCase
{
    const char* content;
    std::int32_t expected;
};

void PrintTo(const IntFileCase& c, std::ostream* os)
{
    *os << c.content;
}

class CSettingsStoreIntFileTest : public CSettingsStoreTest, public ::testing::WithParamInterface<IntFileCase>
{};

TEST_P(CSettingsStoreIntFileTest, IntegerReadsAsStoredOrAsDefault)
{
    WriteFile(QByteArray("[Transfer%20Options]\n") + GetParam().content + "\n");
    CSettingsStore store(Path());
    EXPECT_EQ(store.GetSettingInt(kTransfer, "Baud", 4800), GetParam().expected) << GetParam().content;
}

INSTANTIATE_TEST_SUITE_P(Contents, CSettingsStoreIntFileTest,
                         ::testing::Values(IntFileCase{"Baud=9600", 9600}, IntFileCase{"Baud=-1", -1},
                                           IntFileCase{"Baud=abc", 4800}, IntFileCase{"Baud=12abc", 4800},
                                           IntFileCase{"Baud=", 4800}, IntFileCase{"Baud=0x10", 4800},
                                           IntFileCase{"Baud=99999999999", 4800}, IntFileCase{"Baud=2147483648", 4800},
                                           IntFileCase{"Baud=1, 2", 4800},
                                           IntFileCase{"Baud=@Variant(\\0\\0\\0\\x1a\\0\\0\\0\\x1\\0\\0\\0\\x2)", 4800},
                                           IntFileCase{"Other=9600", 4800}));

TEST_F(CSettingsStoreTest, DamagedFileGivesDefaults)
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(static_cast<char>((i * 131 + 7) % 256));
    WriteFile("[Transfer%20Options\nBaud=\"9600\n\x01\x02" + garbage);

    CSettingsStore store(Path());
    EXPECT_EQ(store.GetSettingInt(kTransfer, "Baud", 4800), 4800);
    EXPECT_EQ(store.GetSettingString(kTransfer, "Communications Port", "COM1"), "COM1");
    EXPECT_EQ(store.GetSettingInt("", "First Run", 1), 1);

    // Writing replaces the damage and says so.
    EXPECT_TRUE(store.SetSettingInt(kTransfer, "Baud", 1200));
    EXPECT_EQ(CSettingsStore(Path()).GetSettingInt(kTransfer, "Baud", 4800), 1200);
}

TEST_F(CSettingsStoreTest, WriteThatCannotReachTheDiskReportsFailure)
{
    // The store's folder is a plain file, so nothing can be written below it.
    QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CSettingsStore store(m_dir.filePath(QStringLiteral("blocker/store.ini")));

    EXPECT_FALSE(store.SetSettingInt("", "First Run", 0));
    EXPECT_FALSE(store.SetSettingString(kTransfer, "Communications Port", "COM2"));
    EXPECT_EQ(store.GetSettingInt("", "First Run", 1), 1);
    EXPECT_EQ(store.GetSettingString(kTransfer, "Communications Port", "COM1"), "COM1");
}

// On Windows the user's store is the registry (CSettingsStoreWin32Test).
#ifndef _WIN32
TEST_F(CSettingsStoreTest, UserStoreLivesUnderPellmarkScanlore)
{
    // Point the user scope at the temporary folder so that the user's real
    // settings are never touched.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());

    CSettingsStore store;
    ASSERT_TRUE(store.SetSettingInt("", "First Run", 0));
    EXPECT_EQ(store.GetSettingInt("", "First Run", 1), 0);
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("Pellmark/Scanlore.conf"))));
}
#endif

} // namespace
