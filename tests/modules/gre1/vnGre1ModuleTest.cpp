#include "modules/gre1/vnGre1Module.h"

#include "channels/vnChannelList.h"
#include "modules/gre1/vnGre1Port.h"
#include "modules/gre1/vnGre1PropertiesEditor.h"
#include "modules/gre1/vnGre1Settings.h"
#include "modules/gre1/vnSerialDevice.h"
#include "modules/vnSettingsStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// Keeps every write in order, as "name=value".
class RecordingStore : public vnMemorySettingsStore
{
public:
    bool SetSettingInt(const std::string& section, const std::string& name, std::int32_t value) override
    {
        writes.push_back(section + "/" + name + "=" + std::to_string(value));
        return vnMemorySettingsStore::SetSettingInt(section, name, value);
    }
    bool SetSettingString(const std::string& section, const std::string& name, const std::string& value) override
    {
        writes.push_back(section + "/" + name + "=" + value);
        return vnMemorySettingsStore::SetSettingString(section, name, value);
    }
    std::vector<std::string> writes;
};

// Plays the user in the properties dialog: remembers what it was shown and
// answers OK with the scripted values, or Cancel when there are none.
class ScriptedEditor : public vnGre1PropertiesEditor
{
public:
    void Edit(vnGre1Properties& values) override
    {
        shown = values;
        ++runs;
        if (answer)
            values = *answer;
    }
    std::optional<vnGre1Properties> answer;
    vnGre1Properties shown;
    int runs = 0;
};

struct PortState
{
    std::string name;
    std::uint32_t baud = 0;
    std::uint8_t stopBits = 0;
    bool operator==(const PortState&) const = default;
};

void PrintTo(const PortState& s, std::ostream* os)
{
    *os << "{" << s.name << ", " << s.baud << ", " << int(s.stopBits) << "}";
}

PortState StateOf(vnGre1Module& module)
{
    vnGre1Port* port = nullptr;
    module.GetSerialPort(&port);
    PortState state;
    port->GetName(&state.name);
    port->GetBaudRate(&state.baud);
    port->GetStopBits(&state.stopBits);
    return state;
}

// What a port holds before any setting was accepted.
PortState Unconfigured()
{
    vnSerialPort port;
    PortState state;
    port.GetBaudRate(&state.baud);
    port.GetStopBits(&state.stopBits);
    return state;
}

class vnGre1ModuleTest : public ::testing::Test
{
protected:
    RecordingStore m_store;
    vnSettingsScope m_storeInUse{m_store};
    // No USB serial adapter, whatever this machine has.
    vnSerialDevice::UsbPortSourceScope m_noUsbPort{[] { return std::string(); }};
    std::shared_ptr<ScriptedEditor> m_editor = std::make_shared<ScriptedEditor>();
};

// With no port stored, the first USB serial adapter is the port.
TEST_F(vnGre1ModuleTest, TheFirstUsbAdapterIsTheDefaultPort)
{
    const std::string adapter = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0";
    vnSerialDevice::UsbPortSourceScope usb([&] { return adapter; });
    vnGre1Module module;
    EXPECT_EQ(StateOf(module).name, adapter);
    m_store.SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, "COM3");
    vnGre1Module stored;
    EXPECT_EQ(StateOf(stored).name, "COM3");
}

// No port stored and no adapter found: no port is guessed (a built-in COM1
// would take the bytes and the upload would report success); the module
// says what is missing and its properties show the same words.
TEST_F(vnGre1ModuleTest, NoAdapterAndNoStoredPortIsNoPort)
{
    vnGre1Module module(m_editor);
    EXPECT_EQ(StateOf(module).name, "");
    std::string problem;
    ASSERT_EQ(module.GetSetupProblem(&problem), S_OK);
    EXPECT_EQ(problem.rfind("No USB serial adapter was found. Plug in the scanner's cable, or choose its port.", 0),
              0u);
    module.ShowProperties();
    EXPECT_EQ(m_editor->shown.notice, problem);

    m_store.SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, "COM1");
    vnGre1Module chosen(m_editor);
    ASSERT_EQ(chosen.GetSetupProblem(&problem), S_OK);
    EXPECT_EQ(problem, "");
}

// Two scanners of one model get two names; without one, the model names it.
TEST_F(vnGre1ModuleTest, ScannerNameIsStoredOrTheModels)
{
    vnGre1Module module(m_editor);
    std::string name;
    ASSERT_EQ(module.GetScannerName(&name), S_OK);
    EXPECT_EQ(name, "Pro-89");
    m_editor->answer = vnGre1Properties{"RadioShack Pro-2016", 0, "COM3", "4800", "2", "  Spare Pro-2016 ", ""};
    module.ShowProperties();
    ASSERT_EQ(module.GetScannerName(&name), S_OK);
    EXPECT_EQ(name, "Spare Pro-2016");
    m_store.SetSettingString(vnGre1Settings::Section, vnGre1Settings::ScannerName, "");
    m_store.SetSettingString(vnGre1Settings::Section, vnGre1Settings::ScannerModel, "(Custom)");
    ASSERT_EQ(module.GetScannerName(&name), S_OK);
    EXPECT_EQ(name, "Scanner");
}

TEST_F(vnGre1ModuleTest, TellsTheStoredScannerModelOrThePro89)
{
    vnGre1Module module;
    std::string model;
    ASSERT_EQ(module.GetScannerModel(&model), S_OK);
    EXPECT_EQ(model, "RadioShack Pro-89");
    m_store.SetSettingString(vnGre1Settings::Section, vnGre1Settings::ScannerModel, "RadioShack Pro-2017");
    ASSERT_EQ(module.GetScannerModel(&model), S_OK);
    EXPECT_EQ(model, "RadioShack Pro-2017");
    EXPECT_EQ(module.GetScannerModel(nullptr), E_INVALIDARG);
}

// The stored model picks its row of the band table; a model the table does
// not know gets the fallback range under its stored name.
TEST_F(vnGre1ModuleTest, TellsTheBandsOfTheStoredModel)
{
    vnGre1Module module;
    vnScannerBands bands;
    ASSERT_EQ(module.GetBands(&bands), S_OK);
    EXPECT_EQ(bands.GetModel(), "Pro-89");
    EXPECT_TRUE(bands.Contains(146.52));
    EXPECT_FALSE(bands.Contains(1.0));
    EXPECT_FALSE(bands.Contains(2000.0));
    EXPECT_EQ(bands.GetRangesText(), "25\u20131,300 MHz");
    m_store.SetSettingString(vnGre1Settings::Section, vnGre1Settings::ScannerModel, "RadioShack Pro-2016");
    ASSERT_EQ(module.GetBands(&bands), S_OK);
    EXPECT_EQ(bands.GetModel(), "Pro-2016");
    m_store.SetSettingString(vnGre1Settings::Section, vnGre1Settings::ScannerModel, "Pro-201");
    ASSERT_EQ(module.GetBands(&bands), S_OK);
    EXPECT_EQ(bands.GetModel(), "Pro-201");
    EXPECT_EQ(bands.GetRanges().size(), 1u);

    vnChannelLayout* layout = nullptr;
    ASSERT_EQ(module.GetChannelLayout(&layout), S_OK);
    vnChannelList list;
    layout->MakeChannels(list);
    list.GetAt(11)->SetFrequency(vnFrequency(2000.0, vnFrequency::UnitMegahertz));
    list.GetAt(39)->SetFrequency(vnFrequency(1.0, vnFrequency::UnitMegahertz));
    list.GetAt(40)->SetFrequency(vnFrequency(146.52, vnFrequency::UnitMegahertz));
    EXPECT_EQ(bands.OutsideText(bands.FindOutside(list)),
              "2 channels are outside the Pro-201's bands (25\u20131,300 MHz): 12 (2000.0000), 40 (1.0000).");
    const std::vector<std::int32_t> some = {40, 11};
    EXPECT_EQ(bands.FindOutside(list, &some).size(), 1u);
}

TEST_F(vnGre1ModuleTest, DescribesItselfAndNumbersTwoHundredChannels)
{
    vnGre1Module module;
    const char* name = nullptr;
    const char* description = nullptr;
    ASSERT_EQ(module.GetName(&name), S_OK);
    ASSERT_EQ(module.GetDescription(&description), S_OK);
    EXPECT_STREQ(name, "RadioShack GRE Type 1 Scanners");
    EXPECT_STREQ(description,
                 "This module implements a one-way serial interface to Radio Shack scanners made by GRE including "
                 "the Pro-76, Pro-79, Pro-82, Pro-89, Pro-2016 and Pro-2017.");

    vnChannelLayout* layout = nullptr;
    ASSERT_EQ(module.GetChannelLayout(&layout), S_OK);
    EXPECT_EQ(layout->GetFirstChannel(), 1);
    EXPECT_EQ(layout->GetChannelCount(), 200);
    EXPECT_EQ(layout->GetLastChannel(), 200);
    EXPECT_TRUE(m_store.writes.empty()) << "making a module only reads the store";
}

struct StoredCase
{
    const char* name;
    std::optional<std::string> port;
    std::optional<std::int32_t> baud;
    std::optional<std::int32_t> stopBits;
    // Expected port; nullopt: as the unconfigured port has it.
    std::string expectedName;
    std::optional<std::uint32_t> expectedBaud;
    std::optional<std::uint8_t> expectedStopBits;
};

void PrintTo(const StoredCase& c, std::ostream* os)
{
    *os << c.name;
}

class vnGre1ModuleSettingsTest : public vnGre1ModuleTest, public ::testing::WithParamInterface<StoredCase>
{};

TEST_P(vnGre1ModuleSettingsTest, StoredValuesConfigureThePort)
{
    const StoredCase& c = GetParam();
    if (c.port)
        m_store.SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, *c.port);
    if (c.baud)
        m_store.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, *c.baud);
    if (c.stopBits)
        m_store.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::StopBits, *c.stopBits);

    vnGre1Module module;
    const PortState unconfigured = Unconfigured();
    EXPECT_EQ(StateOf(module),
              (PortState{c.expectedName, c.expectedBaud.value_or(unconfigured.baud),
                         c.expectedStopBits.value_or(unconfigured.stopBits)}));
}

INSTANTIATE_TEST_SUITE_P(
    Stored, vnGre1ModuleSettingsTest,
    ::testing::Values(StoredCase{"EmptyStoreGivesDefaults", {}, {}, {}, "", 4800u, std::uint8_t{2}},
                      StoredCase{"AllStored", "/dev/ttyUSB3", 9600, 0, "/dev/ttyUSB3", 9600u, std::uint8_t{0}},
                      StoredCase{"LimitsAccepted", "COM2", 110, 1, "COM2", 110u, std::uint8_t{1}},
                      StoredCase{"FastestAccepted", "COM2", 256000, 2, "COM2", 256000u, std::uint8_t{2}},
                      // A refused speed stops the configuration: the stop bits stay unset too.
                      StoredCase{"Baud109Refused", "COM3", 109, 0, "COM3", {}, {}},
                      StoredCase{"BaudAboveLimitRefused", "COM3", 256001, 0, "COM3", {}, {}},
                      StoredCase{"NegativeBaudRefused", "COM3", -4800, 0, "COM3", {}, {}},
                      StoredCase{"StopBits3Refused", "COM4", 1200, 3, "COM4", 1200u, {}},
                      StoredCase{"StopBits258ReadsAsTwo", "COM4", 2400, 258, "COM4", 2400u, std::uint8_t{2}},
                      StoredCase{"StopBits256ReadsAsZero", "COM4", 2400, 256, "COM4", 2400u, std::uint8_t{0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(vnGre1ModuleTest, PropertiesShowThePortAsConfiguredAndTheStoredModel)
{
    m_store.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 9600);
    m_store.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::StopBits, 1);
    m_store.SetSettingString(vnGre1Settings::Section, vnGre1Settings::ScannerModel, "RadioShack Pro-76");
    m_store.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::CarNumbers, 0);
    vnGre1Module module(m_editor);
    // A change in the store after the module was made does not reach the dialog's port values.
    m_store.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 1200);
    m_store.SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, "COM9");
    m_store.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::StopBits, 0);

    ASSERT_EQ(module.ShowProperties(), S_OK);
    EXPECT_EQ(m_editor->runs, 1);
    EXPECT_EQ(m_editor->shown.model, "RadioShack Pro-76");
    EXPECT_EQ(m_editor->shown.carNumbers, 0);
    EXPECT_EQ(m_editor->shown.port, "");
    EXPECT_EQ(m_editor->shown.speed, "9600");
    EXPECT_EQ(m_editor->shown.stopBits, "1");
}

TEST_F(vnGre1ModuleTest, OkStoresTheChosenValuesInOrderAndAppliesThem)
{
    vnGre1Module module(m_editor);
    m_editor->answer = vnGre1Properties{"(Custom)", 0, "/dev/ttyUSB1", "9600", "1", "", ""};
    m_store.writes.clear();

    ASSERT_EQ(module.ShowProperties(), S_OK);
    EXPECT_EQ(m_store.writes,
              (std::vector<std::string>{
                  "Transfer Options/Scanner Model=(Custom)",
                  "Transfer Options/Car Numbers=0",
                  "Transfer Options/Communications Port=/dev/ttyUSB1",
                  "Transfer Options/Baud=9600",
                  "Transfer Options/Stop Bits=1",
                  "Transfer Options/Scanner Name=",
              }));
    EXPECT_EQ(StateOf(module), (PortState{"/dev/ttyUSB1", 9600, 1}));

    // The next module starts from what was stored.
    vnGre1Module next;
    EXPECT_EQ(StateOf(next), (PortState{"/dev/ttyUSB1", 9600, 1}));
}

TEST_F(vnGre1ModuleTest, CancelStoresTheValuesThatWereShown)
{
    for (bool withEditor : {true, false}) {
        SCOPED_TRACE(withEditor ? "editor answers Cancel" : "no editor");
        RecordingStore store;
        vnSettingsScope storeInUse(store);
        vnGre1Module module(withEditor ? m_editor : nullptr);

        ASSERT_EQ(module.ShowProperties(), S_OK);
        EXPECT_EQ(store.writes,
                  (std::vector<std::string>{
                      "Transfer Options/Scanner Model=RadioShack Pro-89",
                      "Transfer Options/Car Numbers=1",
                      "Transfer Options/Communications Port=",
                      "Transfer Options/Baud=4800",
                      "Transfer Options/Stop Bits=2",
                      "Transfer Options/Scanner Name=Pro-89",
                  }));
        EXPECT_EQ(StateOf(module), (PortState{"", 4800, 2}));
    }
}

struct ConversionCase
{
    const char* speed;
    const char* stopBits;
    std::int32_t storedBaud;
    std::int32_t storedStopBits;
};

void PrintTo(const ConversionCase& c, std::ostream* os)
{
    *os << '"' << c.speed << "\" \"" << c.stopBits << '"';
}

class vnGre1ModuleConversionTest : public vnGre1ModuleTest, public ::testing::WithParamInterface<ConversionCase>
{};

TEST_P(vnGre1ModuleConversionTest, DialogTextsBecomeStoredNumbers)
{
    vnGre1Module module(m_editor);
    m_editor->answer = vnGre1Properties{"(Custom)", 1, "COM2", GetParam().speed, GetParam().stopBits, "", ""};
    ASSERT_EQ(module.ShowProperties(), S_OK);
    EXPECT_EQ(m_store.GetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 12345), GetParam().storedBaud);
    EXPECT_EQ(m_store.GetSettingInt(vnGre1Settings::Section, vnGre1Settings::StopBits, 12345),
              GetParam().storedStopBits);
}

INSTANTIATE_TEST_SUITE_P(Texts, vnGre1ModuleConversionTest,
                         ::testing::Values(ConversionCase{"9600", "2", 9600, 2}, ConversionCase{"1200", "1", 1200, 1},
                                           // Empty texts: a list without a selection.
                                           ConversionCase{"", "", 0, 0}, ConversionCase{"2400 baud", "2 bits", 2400, 2},
                                           ConversionCase{" 2400", " 1", 0, 1}, ConversionCase{"4800", "258", 4800, 2},
                                           ConversionCase{"4800", "-1", 4800, 255},
                                           // Too large for 32 bits: the largest number, which no port accepts.
                                           ConversionCase{"99999999999", "2", -1, 2}));

} // namespace
