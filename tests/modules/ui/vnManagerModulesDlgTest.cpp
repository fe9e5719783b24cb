// The modules dialog over the real module manager and GRE Type 1 module,
// with the properties dialog answered through the modal hook.
#include "DialogTestSupport.h"

#include "modules/gre1/ui/vnGre1PropertiesDlg.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/gre1/vnGre1Settings.h"
#include "modules/gre1/vnSerialDevice.h"
#include "modules/ui/vnManagerModulesDlg.h"
#include "modules/vnInstalledModules.h"
#include "modules/vnModule.h"
#include "modules/vnModuleManager.h"
#include "modules/vnSettingsStore.h"
#include "res/DialogTemplates.h"
#include "toolkit/CListBox.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// A fresh in-memory store, the real properties dialog as the module's
// editor, and no serial devices of this machine.
class ModulesDlgTest : public ::testing::Test
{
protected:
    vnMemorySettingsStore m_store;
    vnSettingsScope m_storeInUse{m_store};
    vnGre1PropertiesDlg::SerialDeviceSourceScope m_noDevices{
        [] { return std::vector<vnGre1PropertiesDlg::SerialDevice>{}; }};
    vnSerialDevice::UsbPortSourceScope m_noUsbPort{[] { return std::string(); }};
    vnInstalledModules m_modules{{vnGre1Module::Factory(std::make_shared<vnGre1PropertiesDlgEditor>())}};
};

TEST_F(ModulesDlgTest, ListsTheModuleSelectedWithItsDescription)
{
    vnManagerModulesDlg dialog;
    CDialog::ModalHookScope hook([](CDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Vantis Modules");
        auto* list = d.GetDlgItemAs<CListBox>(IDC_MODULES_LIST);
        EXPECT_EQ(list->GetCount(), 1);
        EXPECT_EQ(list->GetText(0), "RadioShack GRE Type 1 Scanners");
        EXPECT_EQ(list->GetCurSel(), 0);
        EXPECT_EQ(d.GetDlgItemAs<QLabel>(IDC_MODULES_DESCRIPTION)->text(),
                  "This module implements a one-way serial interface to Radio Shack scanners made by GRE "
                  "including the Pro-76, Pro-79, Pro-82, Pro-89, Pro-2016 and Pro-2017.");
        for (int id : {IDC_MODULES_SET_DEFAULT, IDC_MODULES_ADD, IDC_MODULES_REMOVE})
            EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << id;
        for (int id : {IDC_MODULES_PROPERTIES, IDOK, IDCANCEL})
            EXPECT_TRUE(d.GetDlgItem(id)->isEnabled()) << id;
        d.GetDlgItemAs<QPushButton>(IDOK)->click();
        return d.result();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

// On the first start a line above the list says what the dialog is for,
// and everything else moves down to make room for it.
TEST_F(ModulesDlgTest, TheFirstStartSaysWhatTheDialogIsFor)
{
    vnManagerModulesDlg dialog;
    dialog.SetIntroduction(true);
    CDialog::ModalHookScope hook([](CDialog& d) {
        const auto* intro = d.findChild<QLabel*>(QStringLiteral("introduction"));
        EXPECT_NE(intro, nullptr);
        if (!intro)
            return IDCANCEL;
        EXPECT_EQ(intro->text(),
                  "Scanlore talks to your scanner through a module. Choose yours, then Properties to "
                  "set its model and the port its cable is on.");
        EXPECT_FALSE(intro->isHidden());
        const QWidget* list = d.GetDlgItem(IDC_MODULES_LIST);
        EXPECT_LE(intro->geometry().bottom(), list->geometry().top());
        EXPECT_LE(d.GetDlgItem(IDOK)->geometry().bottom(), d.height());
        return IDCANCEL;
    });
    dialog.DoModal();
}

// Properties opens the first module's dialog whatever the list's selection;
// what it stored stays after the modules dialog is cancelled.
TEST_F(ModulesDlgTest, PropertiesWorksWithoutSelectionAndItsChangesOutliveCancel)
{
    vnManagerModulesDlg dialog;
    int propertiesShown = 0;
    CDialog::ModalHookScope hook([&](CDialog& d) {
        if (auto* properties = dynamic_cast<vnGre1PropertiesDlg*>(&d)) {
            ++propertiesShown;
            EXPECT_EQ(properties->parentWidget(), nullptr);
            auto* port = properties->GetDlgItemAs<QComboBox>(IDC_GRE1_PORT);
            // No port stored and no adapter: none is chosen for the user.
            EXPECT_EQ(CurrentText(*port), "");
            ChooseWithKeys(*port, 4);
            ChooseWithKeys(*properties->GetDlgItemAs<QComboBox>(IDC_GRE1_MODEL), 1);
            properties->GetDlgItemAs<QPushButton>(IDOK)->click();
            return properties->result();
        }
        d.GetDlgItemAs<CListBox>(IDC_MODULES_LIST)->SetCurSel(-1);
        d.GetDlgItemAs<QPushButton>(IDC_MODULES_PROPERTIES)->click();
        d.GetDlgItemAs<QPushButton>(IDCANCEL)->click();
        return d.result();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(propertiesShown, 1);
    EXPECT_EQ(m_store.GetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, ""), "COM4");
    EXPECT_EQ(m_store.GetSettingString(vnGre1Settings::Section, vnGre1Settings::ScannerModel, ""), "RadioShack Pro-76");
    EXPECT_EQ(m_store.GetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 0), 2400);
    EXPECT_EQ(m_store.GetSettingInt(vnGre1Settings::Section, vnGre1Settings::StopBits, 0), 2);
    EXPECT_EQ(m_store.GetSettingInt(vnGre1Settings::Section, vnGre1Settings::CarNumbers, -1), 0);
}

// Through the module: Cancel in the properties dialog stores the five values
// it showed, so missing settings become stored defaults.
TEST_F(ModulesDlgTest, CancelInPropertiesStoresTheValuesShown)
{
    m_store.SetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, "com3");
    m_store.SetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 9600);
    int shown = 0;
    CDialog::ModalHookScope hook([&](CDialog& d) {
        ++shown;
        EXPECT_EQ(CurrentText(*d.GetDlgItemAs<QComboBox>(IDC_GRE1_PORT)), "COM3");
        // The default model fixes 4800 in the list; Cancel ignores the list.
        EXPECT_EQ(CurrentText(*d.GetDlgItemAs<QComboBox>(IDC_GRE1_SPEED)), "4800");
        ChooseWithKeys(*d.GetDlgItemAs<QComboBox>(IDC_GRE1_PORT), 7);
        d.GetDlgItemAs<QPushButton>(IDCANCEL)->click();
        return d.result();
    });
    vnModuleManager manager;
    vnModule* module = nullptr;
    manager.GetModule(0, &module);
    ASSERT_NE(module, nullptr);
    module->ShowProperties();
    manager.ReleaseModule(module);

    EXPECT_EQ(shown, 1);
    EXPECT_EQ(m_store.GetSettingString(vnGre1Settings::Section, vnGre1Settings::ScannerModel, ""), "RadioShack Pro-89");
    EXPECT_EQ(m_store.GetSettingInt(vnGre1Settings::Section, vnGre1Settings::CarNumbers, -1), 1);
    EXPECT_EQ(m_store.GetSettingString(vnGre1Settings::Section, vnGre1Settings::Port, ""), "com3");
    EXPECT_EQ(m_store.GetSettingInt(vnGre1Settings::Section, vnGre1Settings::Baud, 0), 9600);
    EXPECT_EQ(m_store.GetSettingInt(vnGre1Settings::Section, vnGre1Settings::StopBits, -1), 2);
}

} // namespace
