#include "registry/vnRegistrySettingsStore.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include <windows.h>

namespace {

const std::string kSection = "Transfer Options";
const char kCompany[] = "Pellmark Test";

// Each test has a root of its own below HKEY_CURRENT_USER\Software\Pellmark
// Test, removed again afterwards.
class RegistryStoreTest : public testing::Test
{
protected:
    RegistryStoreTest() : m_application(testing::UnitTest::GetInstance()->current_test_info()->name()) {}
    void SetUp() override { RemoveRoot(); }
    void TearDown() override { RemoveRoot(); }

    void RemoveRoot() { RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + std::string(kCompany)).c_str()); }

    vnRegistrySettingsStore MakeStore() const { return vnRegistrySettingsStore(kCompany, m_application); }

    // The type of a value as the registry has it; REG_NONE when absent.
    DWORD TypeOf(const std::string& section, const std::string& name) const
    {
        DWORD type = REG_NONE;
        if (RegGetValueA(HKEY_CURRENT_USER, MakeStore().KeyPath(section).c_str(), name.c_str(), RRF_RT_ANY, &type,
                         nullptr, nullptr) != ERROR_SUCCESS)
            return REG_NONE;
        return type;
    }

    void WriteRaw(const std::string& name, DWORD type, const void* data, DWORD size)
    {
        // The wide call: the narrow one would convert the bytes of a string.
        const std::string key = MakeStore().KeyPath(kSection);
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, std::wstring(key.begin(), key.end()).c_str(),
                                  std::wstring(name.begin(), name.end()).c_str(), type, data, size),
                  ERROR_SUCCESS);
    }

    std::string m_application;
};

TEST_F(RegistryStoreTest, KeysLieWhereTheWindowsStoreKeepsThem)
{
    vnRegistrySettingsStore user;
    EXPECT_EQ(user.KeyPath(""), "Software\\Pellmark\\Scanlore");
    EXPECT_EQ(user.KeyPath(kSection), "Software\\Pellmark\\Scanlore\\Transfer Options");
}

TEST_F(RegistryStoreTest, AnEmptyStoreGivesTheDefaults)
{
    auto store = MakeStore();
    EXPECT_EQ(store.GetSettingInt("", "First Run", 1), 1);
    EXPECT_EQ(store.GetSettingInt(kSection, "Baud", 4800), 4800);
    EXPECT_EQ(store.GetSettingString(kSection, "Communications Port", "COM1"), "COM1");
}

TEST_F(RegistryStoreTest, ValuesComeBackInALaterRunWithTheirRegistryTypes)
{
    {
        auto store = MakeStore();
        EXPECT_TRUE(store.SetSettingInt("", "First Run", 0));
        EXPECT_TRUE(store.SetSettingInt(kSection, "Baud", 9600));
        EXPECT_TRUE(store.SetSettingInt(kSection, "Low", std::numeric_limits<std::int32_t>::min()));
        EXPECT_TRUE(store.SetSettingString(kSection, "Communications Port", "COM7"));
        EXPECT_TRUE(store.SetSettingString(kSection, "Scanner Model",
                                           "Pro-89 K\xC3\xBC"
                                           "che"));
        EXPECT_TRUE(store.SetSettingString(kSection, "Empty", ""));
    }
    auto later = MakeStore();
    EXPECT_EQ(later.GetSettingInt("", "First Run", 1), 0);
    EXPECT_EQ(later.GetSettingInt(kSection, "Baud", 4800), 9600);
    EXPECT_EQ(later.GetSettingInt(kSection, "Low", 0), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(later.GetSettingString(kSection, "Communications Port", "COM1"), "COM7");
    EXPECT_EQ(later.GetSettingString(kSection, "Scanner Model", ""),
              "Pro-89 K\xC3\xBC"
              "che");
    EXPECT_EQ(later.GetSettingString(kSection, "Empty", "default"), "");

    EXPECT_EQ(TypeOf("", "First Run"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(TypeOf(kSection, "Baud"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(TypeOf(kSection, "Communications Port"), static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistryStoreTest, AValueWrittenAgainTakesTheNewType)
{
    auto store = MakeStore();
    store.SetSettingString(kSection, "Baud", "fast");
    store.SetSettingInt(kSection, "Baud", 19200);
    EXPECT_EQ(TypeOf(kSection, "Baud"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(store.GetSettingString(kSection, "Baud", ""), "19200");
}

struct RawCase
{
    const char* label;
    DWORD type;
    std::string data; // bytes as stored
    std::int32_t asInt;
    std::string asString;
};

std::string Utf16(const wchar_t* text)
{
    std::wstring wide(text);
    return std::string(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * sizeof(wchar_t));
}

class RegistryRawValueTest : public RegistryStoreTest, public testing::WithParamInterface<RawCase>
{};

// Values written by hand (reg add, the registry editor) or by another program.
TEST_P(RegistryRawValueTest, ReadsAsAnIntegerAndAsAString)
{
    const RawCase& c = GetParam();
    WriteRaw("Value", c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
    auto store = MakeStore();
    EXPECT_EQ(store.GetSettingInt(kSection, "Value", -7), c.asInt);
    EXPECT_EQ(store.GetSettingString(kSection, "Value", "default"), c.asString);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RegistryRawValueTest,
    testing::Values(RawCase{"DwordIsBoth", REG_DWORD, std::string("\x80\x25\0\0", 4), 9600, "9600"},
                    RawCase{"DecimalText", REG_SZ, Utf16(L" 4800 "), 4800, " 4800 "},
                    RawCase{"NegativeText", REG_SZ, Utf16(L"-2"), -2, "-2"},
                    RawCase{"WordsAreNoNumber", REG_SZ, Utf16(L"96 baud"), -7, "96 baud"},
                    RawCase{"TooLargeForAnInteger", REG_SZ, Utf16(L"4294967296"), -7, "4294967296"},
                    RawCase{"BinaryIsItsBytes", REG_BINARY, std::string("\x01\x02", 2), -7, std::string("\x01\x02", 2)},
                    RawCase{"QwordIsNeither", REG_QWORD, std::string("\x80\x25\0\0\0\0\0\0", 8), -7, "default"}),
    [](const testing::TestParamInfo<RawCase>& info) { return std::string(info.param.label); });

TEST_F(RegistryStoreTest, TextThatIsNotUtf8IsKeptAsItsBytes)
{
    auto store = MakeStore();
    const std::string bytes("COM\xFF\0x", 6);
    EXPECT_TRUE(store.SetSettingString(kSection, "Communications Port", bytes));
    EXPECT_EQ(TypeOf(kSection, "Communications Port"), static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(MakeStore().GetSettingString(kSection, "Communications Port", "COM1"), bytes);

    // Text again is a string again.
    EXPECT_TRUE(store.SetSettingString(kSection, "Communications Port", "COM3"));
    EXPECT_EQ(TypeOf(kSection, "Communications Port"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(store.GetSettingString(kSection, "Communications Port", "COM1"), "COM3");
}

} // namespace
