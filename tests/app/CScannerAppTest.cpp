// Start-up: the first-run modules dialog, the settings store, About, Exit.
#include "MainWindowFixture.h"

#include "app/CAboutDlg.h"
#include "modules/ui/vnManagerModulesDlg.h"
#include "modules/vnInstalledModules.h"
#include "res/ResourceIds.h"
#include "settings/CSettingsStore.h"
#include "toolkit/CToolBar.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>

#include <optional>

namespace {

bool AnyMainWindowVisible()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (dynamic_cast<CMainFrame*>(widget) && widget->isVisible())
            return true;
    return false;
}

// A stored "First Run" (absent when empty) and whether the modules dialog
// comes up at start.
struct FirstRunCase
{
    std::optional<int> stored;
    bool showsDialog;
};

class FirstRunTest : public ::testing::TestWithParam<FirstRunCase>
{
protected:
    QTemporaryDir folder;
};

TEST_P(FirstRunTest, ShowsTheModulesDialogBeforeTheMainWindowUntilFirstRunIsZero)
{
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath("Scanlore.conf");
    if (GetParam().stored)
        CSettingsStore(file).SetSettingInt("", "First Run", *GetParam().stored);

    int dialogs = 0;
    CDialog::ModalHookScope hook([&](CDialog& dialog) {
        ++dialogs;
        EXPECT_NE(dynamic_cast<vnManagerModulesDlg*>(&dialog), nullptr);
        EXPECT_EQ(dialog.parentWidget(), nullptr);
        EXPECT_FALSE(AnyMainWindowVisible());
        EXPECT_EQ(CWinApp::GetApp()->GetMainWnd(), nullptr);
        return IDCANCEL; // how it closes makes no difference
    });

    {
        CScannerApp app(std::make_unique<CSettingsStore>(file));
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(dialogs, GetParam().showsDialog ? 1 : 0);
        ASSERT_NE(app.GetMainWnd(), nullptr);
        EXPECT_TRUE(app.GetMainWnd()->isVisible());
        EXPECT_EQ(static_cast<CMainFrame*>(app.GetMainWnd())->GetGrid()->GetItemCount(), 200);
    }
    EXPECT_EQ(CSettingsStore(file).GetSettingInt("", "First Run", 99), 0);

    // The next start asks nothing.
    dialogs = 0;
    CScannerApp second(std::make_unique<CSettingsStore>(file));
    ASSERT_TRUE(second.InitInstance());
    EXPECT_EQ(dialogs, 0);
}

INSTANTIATE_TEST_SUITE_P(StoredValues, FirstRunTest,
                         ::testing::Values(FirstRunCase{std::nullopt, true}, FirstRunCase{1, true},
                                           FirstRunCase{5, true}, FirstRunCase{-1, true}, FirstRunCase{0, false}));

TEST(ScannerAppStore, StoreAndModulesAreInstalledForTheRunAndRemovedAfterwards)
{
    vnSettingsStore* before = vnSettingsSlot();
    const vnInstalledModules* modulesBefore = vnInstalledModules::Current();
    {
        auto store = std::make_unique<vnMemorySettingsStore>();
        store->SetSettingInt("", "First Run", 0);
        vnSettingsStore* mine = store.get();
        CScannerApp app(std::move(store));
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(vnSettingsSlot(), mine);
        const vnInstalledModules* modules = vnInstalledModules::Current();
        ASSERT_NE(modules, nullptr);
        ASSERT_EQ(modules->GetCount(), 1);
        EXPECT_STREQ(modules->GetAt(0)->name, "RadioShack GRE Type 1 Scanners");
    }
    EXPECT_EQ(vnSettingsSlot(), before);
    EXPECT_EQ(vnInstalledModules::Current(), modulesBefore);
}

using ScannerAppTest = MainWindowFixture;

TEST_F(ScannerAppTest, AboutRunsFromTheHelpMenu)
{
    int shown = 0;
    CDialog::ModalHookScope hook([&](CDialog& dialog) {
        EXPECT_NE(dynamic_cast<CAboutDlg*>(&dialog), nullptr);
        EXPECT_EQ(dialog.parentWidget(), frame);
        ++shown;
        return IDOK;
    });
    frame->FindMenuItem(ID_APP_ABOUT)->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(ScannerAppTest, ExitClosesTheWindowWithoutAQuestion)
{
    frame->FindMenuItem(ID_APP_EXIT)->trigger();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(boxes.Shown().empty());
}

} // namespace
