// The GRE Type 1 properties dialog: lists, the model rule, selection by
// prefix, the port list, and what OK and Cancel give back.
#include "tests/modules/ui/DialogTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>

#include "modules/gre1/ui/vnGre1PropertiesDlg.h"
#include "res/DialogTemplates.h"

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

// The serial devices the dialog finds while the scope lasts.
class ScopedDevices : public vnGre1PropertiesDlg::SerialDeviceSourceScope
{
public:
    explicit ScopedDevices(std::vector<std::string> names)
        : SerialDeviceSourceScope([names] {
              std::vector<vnGre1PropertiesDlg::SerialDevice> devices;
              for (const std::string& name : names)
                  devices.push_back({name, "Tooltip of " + name});
              return devices;
          })
    {}
};

vnGre1Properties Values(std::string model, std::string port = "COM1", std::string speed = "1200",
                        std::string stopBits = "1", std::int32_t carNumbers = 0)
{
    return vnGre1Properties{
        std::move(model), carNumbers, std::move(port), std::move(speed), std::move(stopBits), "", ""};
}

QComboBox& List(CDialog& d, int id)
{
    return *d.GetDlgItemAs<QComboBox>(id);
}
QCheckBox& Box(CDialog& d)
{
    return *d.GetDlgItemAs<QCheckBox>(IDC_GRE1_CAR_NUMBERS);
}

std::vector<QString> Items(const QComboBox& box)
{
    std::vector<QString> items;
    for (int i = 0; i < box.count(); ++i)
        items.push_back(box.itemText(i));
    return items;
}

// The state the model rule leaves: what the speed and stop-bits lists and
// the box show and which of them are enabled.
struct RuleState
{
    const char* speed;
    const char* stopBits;
    bool checked;
    bool speedEnabled;
    bool stopBitsEnabled;
};

struct ModelCase
{
    const char* model;
    int index; // in the model list
    RuleState state;
};

void PrintTo(const ModelCase& c, std::ostream* os)
{
    *os << c.model;
}

void ExpectState(CDialog& d, const RuleState& s, const char* model)
{
    EXPECT_EQ(CurrentText(List(d, IDC_GRE1_SPEED)), s.speed) << model;
    EXPECT_EQ(CurrentText(List(d, IDC_GRE1_STOP_BITS)), s.stopBits) << model;
    EXPECT_EQ(Box(d).isChecked(), s.checked) << model;
    EXPECT_EQ(List(d, IDC_GRE1_SPEED).isEnabled(), s.speedEnabled) << model;
    EXPECT_EQ(List(d, IDC_GRE1_STOP_BITS).isEnabled(), s.stopBitsEnabled) << model;
    EXPECT_FALSE(Box(d).isEnabled()) << model;
    EXPECT_TRUE(List(d, IDC_GRE1_PORT).isEnabled()) << model;
}

class ModelRuleTest : public ::testing::TestWithParam<ModelCase>
{
protected:
    ScopedDevices m_devices{{}};
};

constexpr RuleState kFree{"4800", "2", false, true, true};

INSTANTIATE_TEST_SUITE_P(EveryModel, ModelRuleTest,
                         ::testing::Values(ModelCase{"RadioShack Pro-76", 1, {"2400", "2", false, false, false}},
                                           ModelCase{"RadioShack Pro-79", 2, kFree},
                                           ModelCase{"RadioShack Pro-82", 3, kFree},
                                           ModelCase{"RadioShack Pro-89", 4, {"4800", "2", true, false, false}},
                                           ModelCase{"RadioShack Pro-2016", 5, kFree},
                                           ModelCase{"RadioShack Pro-2017", 6, kFree}),
                         [](const auto& info) {
                             std::string name = info.param.model + 11;
                             name.erase(name.find('-'), 1);
                             return name;
                         });

TEST_P(ModelRuleTest, OnOpening)
{
    const ModelCase& c = GetParam();
    // The stored values all differ from what the model rule sets.
    vnGre1PropertiesDlg dialog;
    dialog.SetValues(Values(c.model, "COM2", "9600", "1", c.state.checked ? 0 : 1));
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(List(dialog, IDC_GRE1_MODEL).currentIndex(), c.index);
    ExpectState(dialog, c.state, c.model);
}

TEST_P(ModelRuleTest, OnChoosingTheModelAndOkStoresWhatItSet)
{
    const ModelCase& c = GetParam();
    vnGre1PropertiesDlg dialog;
    dialog.SetValues(Values("(Custom)", "COM2", "9600", "1", c.state.checked ? 0 : 1));
    CDialog::ModalHookScope hook([&](CDialog& d) {
        ChooseWithKeys(List(d, IDC_GRE1_MODEL), c.index);
        ExpectState(d, c.state, c.model);
        d.GetDlgItemAs<QPushButton>(IDOK)->click();
        return d.result();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    // Disabled controls still give their values.
    const vnGre1Properties& v = dialog.GetValues();
    EXPECT_EQ(v.model, c.model);
    EXPECT_EQ(v.port, "COM2");
    EXPECT_EQ(v.speed, c.state.speed);
    EXPECT_EQ(v.stopBits, c.state.stopBits);
    EXPECT_EQ(v.carNumbers, c.state.checked ? 1 : 0);
}

class PropertiesDlgTest : public ::testing::Test
{
protected:
    ScopedDevices m_devices{{}};
    QObject m_someObject;
};

TEST_F(PropertiesDlgTest, ListsHoldTheirItemsInOrder)
{
    vnGre1PropertiesDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.windowTitle(), "Module Properties");
    EXPECT_EQ(Items(List(dialog, IDC_GRE1_MODEL)),
              (std::vector<QString>{"(Custom)", "RadioShack Pro-76", "RadioShack Pro-79", "RadioShack Pro-82",
                                    "RadioShack Pro-89", "RadioShack Pro-2016", "RadioShack Pro-2017"}));
    EXPECT_EQ(Items(List(dialog, IDC_GRE1_PORT)),
              (std::vector<QString>{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9"}));
    EXPECT_EQ(Items(List(dialog, IDC_GRE1_SPEED)), (std::vector<QString>{"1200", "2400", "4800", "9600"}));
    EXPECT_EQ(Items(List(dialog, IDC_GRE1_STOP_BITS)), (std::vector<QString>{"1", "2"}));
    EXPECT_FALSE(dialog.GetDlgItem(IDC_GRE1_ABOUT)->isEnabled());
}

// "(Custom)", and a stored model the list lacks, unlock the speed, stop bits
// and box and keep what they show; so does choosing "(Custom)" later.
TEST_F(PropertiesDlgTest, CustomKeepsWhatIsShownAndUnlocksIt)
{
    const auto expectUnlocked = [](CDialog& d, const char* speed, const char* stopBits, const char* model) {
        EXPECT_EQ(CurrentText(List(d, IDC_GRE1_SPEED)), speed) << model;
        EXPECT_EQ(CurrentText(List(d, IDC_GRE1_STOP_BITS)), stopBits) << model;
        EXPECT_TRUE(Box(d).isChecked()) << model;
        EXPECT_TRUE(List(d, IDC_GRE1_SPEED).isEnabled()) << model;
        EXPECT_TRUE(List(d, IDC_GRE1_STOP_BITS).isEnabled()) << model;
        EXPECT_TRUE(Box(d).isEnabled()) << model;
    };
    for (const char* model : {"(Custom)", "Some Other Scanner"}) {
        vnGre1PropertiesDlg dialog;
        dialog.SetValues(Values(model, "COM1", "9600", "1", 1));
        ASSERT_TRUE(dialog.Create());
        expectUnlocked(dialog, "9600", "1", model);

        ChooseWithKeys(List(dialog, IDC_GRE1_MODEL), 4);
        ChooseWithKeys(List(dialog, IDC_GRE1_MODEL), 0);
        expectUnlocked(dialog, "4800", "2", model);
    }
}

TEST_F(PropertiesDlgTest, StoredTextsSelectByCaseInsensitivePrefix)
{
    struct Case
    {
        vnGre1Properties in;
        vnGre1Properties out; // after OK
    };
    const std::vector<Case> cases{
        {Values("(custom)", "com3", "96", "2"), Values("(Custom)", "COM3", "9600", "2")},
        {Values("radioshack pro-2", "COM", "1200", "1"), Values("RadioShack Pro-2016", "COM1", "4800", "2")},
        // No port chosen stays none: COM1 is offered, never picked for the user.
        {Values("(CUSTOM)", "", "", ""), Values("(Custom)", "", "1200", "1")},
        {Values("Some Other Scanner", "COM1", "9600", "1", 1), Values("", "COM1", "9600", "1", 1)},
        // Stop-bits code 0 matches nothing; a speed the list lacks is added
        // and selected, so that OK keeps it rather than storing 0.
        {Values("(Custom)", "COM9", "19200", "0", 1), Values("(Custom)", "COM9", "19200", "", 1)},
        {Values("(Custom)", "COM9", "300", "1", 1), Values("(Custom)", "COM9", "300", "1", 1)},
    };
    for (const Case& c : cases) {
        vnGre1PropertiesDlg dialog;
        dialog.SetValues(c.in);
        CDialog::ModalHookScope hook([](CDialog& d) {
            d.GetDlgItemAs<QPushButton>(IDOK)->click();
            return d.result();
        });
        dialog.DoModal();
        const vnGre1Properties& v = dialog.GetValues();
        EXPECT_EQ(v.model, c.out.model) << c.in.model;
        EXPECT_EQ(v.port, c.out.port) << c.in.port;
        EXPECT_EQ(v.speed, c.out.speed) << c.in.speed;
        EXPECT_EQ(v.stopBits, c.out.stopBits) << c.in.stopBits;
        EXPECT_EQ(v.carNumbers, c.out.carNumbers) << c.in.model;
    }
}

TEST(PropertiesDlgPortTest, MachineDevicesFollowCom9InCountingOrder)
{
    ScopedDevices devices({"/dev/ttyUSB10", "/dev/ttyS0", "/dev/ttyUSB2", "/dev/ttyUSB2", "/dev/ttyACM0"});
    vnGre1PropertiesDlg dialog;
    ASSERT_TRUE(dialog.Create());
    const std::vector<QString> items = Items(List(dialog, IDC_GRE1_PORT));
    ASSERT_EQ(items.size(), 13u);
    EXPECT_EQ(std::vector<QString>(items.begin() + 8, items.end()),
              (std::vector<QString>{"COM9", "/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyUSB2", "/dev/ttyUSB10"}));
}

// A stable adapter name shows whole: the box and the dialog grow for it.
TEST(PropertiesDlgPortTest, TheBoxIsWideEnoughForStableNames)
{
    const QString name = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3D4-if00-port0";
    ScopedDevices devices({name.toStdString()});
    vnGre1PropertiesDlg dialog;
    ASSERT_TRUE(dialog.Create());
    QComboBox& ports = List(dialog, IDC_GRE1_PORT);
    EXPECT_GT(ports.width(), ports.fontMetrics().horizontalAdvance(name));
    EXPECT_LE(ports.geometry().right(), dialog.width());
    EXPECT_LE(dialog.GetDlgItem(IDCANCEL)->geometry().right(), dialog.width());
}

TEST(PropertiesDlgPortTest, DevicesShowWhatTheSystemTellsOfThemAsTooltips)
{
    ScopedDevices devices({"/dev/ttyUSB0"});
    vnGre1PropertiesDlg dialog;
    ASSERT_TRUE(dialog.Create());
    QComboBox& ports = List(dialog, IDC_GRE1_PORT);
    EXPECT_EQ(ports.itemData(ports.findText("/dev/ttyUSB0"), Qt::ToolTipRole).toString(), "Tooltip of /dev/ttyUSB0");
    EXPECT_FALSE(ports.itemData(0, Qt::ToolTipRole).isValid()); // COM1
}

// Stable names are the links in the folder; each leads to its device. Only
// Linux (udev) has them; on Windows QFile::link makes shell shortcuts
// instead, and the port list does not look for stable names.
#ifndef _WIN32
TEST(PropertiesDlgPortTest, StableNamesJoinTheDevicesTheyLinkTo)
{
    QTemporaryDir dir;
    const QString device = dir.filePath("ttyUSB0");
    const QString unlisted = dir.filePath("ttyACM0");
    QFile(device).open(QIODevice::WriteOnly);
    QFile(unlisted).open(QIODevice::WriteOnly);
    QDir(dir.path()).mkdir("by-id");
    const QString byId = dir.filePath("by-id");
    QFile::link(device, byId + "/usb-FTDI_FT232R_USB_UART_A1B2-if00-port0");
    QFile::link(unlisted, byId + "/usb-Prolific_USB-Serial-if00");
    QFile::link(dir.filePath("gone"), byId + "/usb-unplugged-if00");

    const std::string path = QFileInfo(device).canonicalFilePath().toStdString();
    const auto found = vnGre1PropertiesDlg::WithStableNames({{path, "FT232R USB UART (FTDI)"}}, byId.toStdString());
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].name, path);
    EXPECT_EQ(found[1].name, (byId + "/usb-FTDI_FT232R_USB_UART_A1B2-if00-port0").toStdString());
    EXPECT_EQ(found[1].tooltip, "FT232R USB UART (FTDI), " + path);
    EXPECT_EQ(found[2].name, (byId + "/usb-Prolific_USB-Serial-if00").toStdString());
    EXPECT_EQ(found[2].tooltip, QFileInfo(unlisted).canonicalFilePath().toStdString());
    EXPECT_EQ(vnGre1PropertiesDlg::WithStableNames({{path, ""}}, dir.filePath("none").toStdString()).size(), 1u);
}
#endif

// A stored port selects its item (ignoring case) or the first it begins, but
// never completes a number into another device's; a port that no item
// stands for (COM12, an unplugged adapter) is added at the end and selected,
// so that OK keeps it.
TEST(PropertiesDlgPortTest, StoredPortIsSelectedOrKept)
{
    ScopedDevices devices({"/dev/ttyUSB10", "/dev/ttyUSB3"});
    struct Case
    {
        const char* stored;
        const char* selected;
        int count;
    };
    for (const Case& c :
         {Case{"/dev/TTYusb3", "/dev/ttyUSB3", 11}, Case{"/dev/ttyUSB", "/dev/ttyUSB3", 11}, Case{"COM12", "COM12", 12},
          Case{"/dev/ttyUSB1", "/dev/ttyUSB1", 12}, Case{"/dev/pts/7", "/dev/pts/7", 12}}) {
        vnGre1PropertiesDlg dialog;
        dialog.SetValues(Values("RadioShack Pro-89", c.stored));
        CDialog::ModalHookScope hook([&](CDialog& d) {
            EXPECT_EQ(List(d, IDC_GRE1_PORT).count(), c.count) << c.stored;
            d.GetDlgItemAs<QPushButton>(IDOK)->click();
            return d.result();
        });
        dialog.DoModal();
        EXPECT_EQ(dialog.GetValues().port, c.selected);
    }
}

// A device the machine does not list, such as the virtual scanner's
// pseudo-terminal, can be typed into the port box; OK keeps it as typed.
TEST(PropertiesDlgPortTest, TypedPortIsKept)
{
    ScopedDevices devices({"/dev/ttyUSB0"});
    vnGre1PropertiesDlg dialog;
    dialog.SetValues(Values("RadioShack Pro-89", "COM1"));
    CDialog::ModalHookScope hook([](CDialog& d) {
        QComboBox& port = List(d, IDC_GRE1_PORT);
        port.lineEdit()->selectAll();
        QTest::keyClicks(port.lineEdit(), "/dev/pts/5");
        EXPECT_EQ(port.count(), 10); // typing adds no item
        d.GetDlgItemAs<QPushButton>(IDOK)->click();
        return d.result();
    });
    dialog.DoModal();
    EXPECT_EQ(dialog.GetValues().port, "/dev/pts/5");
}

TEST_F(PropertiesDlgTest, CancelLeavesTheValuesAsGiven)
{
    const vnGre1Properties given = Values("RadioShack Pro-76", "com4", "9600", "1", 1);
    vnGre1PropertiesDlg dialog;
    dialog.SetValues(given);
    CDialog::ModalHookScope hook([](CDialog& d) {
        ChooseWithKeys(List(d, IDC_GRE1_MODEL), 0);
        ChooseWithKeys(List(d, IDC_GRE1_PORT), 6);
        ChooseWithKeys(List(d, IDC_GRE1_SPEED), 0);
        Box(d).click();
        d.GetDlgItemAs<QPushButton>(IDCANCEL)->click();
        return d.result();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    const vnGre1Properties& v = dialog.GetValues();
    EXPECT_EQ(v.model, given.model);
    EXPECT_EQ(v.port, given.port);
    EXPECT_EQ(v.speed, given.speed);
    EXPECT_EQ(v.stopBits, given.stopBits);
    EXPECT_EQ(v.carNumbers, given.carNumbers);
}

TEST_F(PropertiesDlgTest, EditorRunsTheDialogWithoutParentAndReturnsItsValues)
{
    QObject* parent = &m_someObject;
    CDialog::ModalHookScope hook([&](CDialog& d) {
        parent = d.parent();
        ChooseWithKeys(List(d, IDC_GRE1_PORT), 2);
        d.GetDlgItemAs<QPushButton>(IDOK)->click();
        return d.result();
    });
    vnGre1Properties values = Values("RadioShack Pro-89", "COM1", "4800", "2", 1);
    vnGre1PropertiesDlgEditor().Edit(values);
    EXPECT_EQ(parent, nullptr);
    EXPECT_EQ(values.port, "COM3");
}

} // namespace

// The scanner's name goes in and out with the other values; the reason the
// dialog opened by itself shows above them, and only then.
TEST(PropertiesDlgNameTest, NameAndNotice)
{
    for (const std::string notice : {"", "No USB serial adapter was found."}) {
        vnGre1PropertiesDlg dialog;
        vnGre1Properties values = Values("RadioShack Pro-89", "COM3");
        values.scanner = "Pro-89";
        values.notice = notice;
        dialog.SetValues(values);
        CDialog::ModalHookScope hook([&](CDialog& d) {
            EXPECT_EQ(d.GetDlgItem(IDC_GRE1_NOTICE)->isVisibleTo(&d), !notice.empty());
            EXPECT_EQ(d.GetDlgItemText(IDC_GRE1_NOTICE), notice);
            d.GetDlgItemAs<QLineEdit>(IDC_GRE1_NAME)->setText(" Pro-89 spare ");
            d.GetDlgItemAs<QPushButton>(IDOK)->click();
            return d.result();
        });
        dialog.DoModal();
        EXPECT_EQ(dialog.GetValues().scanner, "Pro-89 spare");
    }
}

// Find My Cable: the port that appears between "unplug" and "plug in" is
// selected; none appearing says so. The system's list is the seam's: the
// dialog asks it when it opens, after the first Next and after the second.
TEST(PropertiesDlgFindCableTest, SelectsThePortThatAppeared)
{
    for (const bool appears : {true, false}) {
        int asked = 0;
        vnGre1PropertiesDlg::SerialDeviceSourceScope source([&] {
            std::vector<vnGre1PropertiesDlg::SerialDevice> devices = {{"/dev/ttyS0", ""}};
            if (++asked >= 3 && appears)
                devices.push_back({"/dev/serial/by-id/usb-Prolific-port0", ""});
            return devices;
        });
        CMessageBox::Script boxes;
        vnGre1PropertiesDlg dialog;
        dialog.SetValues(Values("RadioShack Pro-89", ""));
        CDialog::ModalHookScope hook([&](CDialog& d) {
            d.GetDlgItemAs<QPushButton>(IDC_GRE1_FIND_CABLE)->click();
            d.GetDlgItemAs<QPushButton>(IDOK)->click();
            return d.result();
        });
        dialog.DoModal();
        ASSERT_EQ(boxes.Shown().size(), appears ? 2u : 3u);
        EXPECT_TRUE(boxes.Shown()[0].text.startsWith("Unplug the scanner's cable"));
        EXPECT_TRUE(boxes.Shown()[1].text.startsWith("Plug it in"));
        EXPECT_EQ(dialog.GetValues().port, appears ? "/dev/serial/by-id/usb-Prolific-port0" : "");
        if (!appears) {
            EXPECT_TRUE(boxes.Shown()[2].text.startsWith("No new port appeared."))
                << boxes.Shown()[2].text.toStdString();
        }
    }
}
