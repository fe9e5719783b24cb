// The dialog machinery: dialog units, controls from templates, the modal
// hook, OK/Cancel/Escape/close, the data exchange helpers and the list box.
#include "DialogTestSupport.h"

#include "res/DialogTemplates.h"
#include "toolkit/CListBox.h"
#include "toolkit/DataExchange.h"
#include "toolkit/DialogUnits.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Over the properties template: exchanges one text with the model list and
// one flag with the check box, and records its saves and commands.
class ProbeDialog : public CDialog
{
public:
    ProbeDialog() : CDialog(IDD_GRE1_PROPERTIES) {}

    std::string text;
    std::int32_t flag = 0;
    int saves = 0;
    std::vector<int> commands;

protected:
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        auto* list = GetDlgItemAs<QComboBox>(IDC_GRE1_MODEL);
        list->addItems({"Alpha", "Beta"});
        ExchangeListText(false, *list, text);
        return true;
    }
    void DoDataExchange(bool save) override
    {
        saves += save ? 1 : 0;
        ExchangeListText(save, *GetDlgItemAs<QComboBox>(IDC_GRE1_MODEL), text);
        ExchangeCheck(save, *GetDlgItemAs<QCheckBox>(IDC_GRE1_CAR_NUMBERS), flag);
    }
    bool OnCommand(int id, int code) override
    {
        commands.push_back(id * 10 + code);
        return CDialog::OnCommand(id, code);
    }
};

TEST(DialogUnitsTest, QuartersOfWidthAndEighthsOfHeightRounded)
{
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.ToPixels(106, 106, 59, 85), QRect(159, 172, 89, 138));
    EXPECT_EQ(units.ToPixelsY(4), 7); // 6.5 rounds up
    EXPECT_EQ(units.ToPixelsX(-2), -3);

    QFont large = DialogUnits::TemplateFont("MS Shell Dlg", 8);
    const DialogUnits small(large);
    large.setPointSize(24);
    EXPECT_NEAR(double(DialogUnits(large).BaseX()) / small.BaseX(), 3.0, 0.75);
    EXPECT_NEAR(double(DialogUnits(large).BaseY()) / small.BaseY(), 3.0, 0.75);
}

// Every control sits where its template puts it, converted through the base
// units of the dialog's font; the client area is the template's size.
TEST(CDialogTest, ControlsArePlacedInDialogUnitsOfTheDialogFont)
{
    for (int id : {IDD_MODULES, IDD_ABOUTBOX, IDD_GRE1_PROPERTIES}) {
        CDialog dialog(id);
        ASSERT_TRUE(dialog.Create());
        const DialogTemplate* t = FindDialogTemplate(id);
        const DialogUnits units(DialogUnits::TemplateFont(t->fontFace, t->pointSize));
        EXPECT_EQ(dialog.Units().BaseX(), units.BaseX());
        EXPECT_EQ(dialog.Units().BaseY(), units.BaseY());
        EXPECT_EQ(dialog.size(), QSize(units.ToPixelsX(t->cx), units.ToPixelsY(t->cy))) << id;

        const std::vector<QWidget*> items = dialog.Controls().Items();
        ASSERT_EQ(items.size(), t->controls.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            const DialogControl& c = t->controls[i];
            const QRect want = units.ToPixels(c.x, c.y, c.cx, c.cy);
            EXPECT_EQ(items[i]->pos(), want.topLeft()) << "template " << id << " control " << i;
            // A drop-down list is as high as its font needs; an icon and a
            // line have sizes of their own.
            if (c.kind == DialogControlKind::Icon)
                EXPECT_EQ(items[i]->size(), QSize(32, 32));
            else if (c.kind == DialogControlKind::DropDownList || c.kind == DialogControlKind::DropDown ||
                     c.kind == DialogControlKind::EtchedHorz)
                EXPECT_EQ(items[i]->width(), want.width());
            else
                EXPECT_EQ(items[i]->size(), want.size()) << "template " << id << " control " << i;
        }
    }
}

TEST(CDialogTest, TabOrderIsTemplateOrderAndFocusStartsAtTheFirstTabStop)
{
    CDialog dialog(IDD_GRE1_PROPERTIES);
    ASSERT_TRUE(dialog.Create());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QWidget* first = dialog.GetDlgItem(IDC_GRE1_MODEL);
    EXPECT_EQ(QApplication::focusWidget(), first);

    std::vector<QWidget*> expected;
    for (int id : {IDC_GRE1_MODEL, IDC_GRE1_NAME, IDC_GRE1_PORT, IDC_GRE1_FIND_CABLE, IDC_GRE1_SPEED,
                   IDC_GRE1_STOP_BITS, IDC_GRE1_ABOUT, IDOK, IDCANCEL, IDC_GRE1_CAR_NUMBERS})
        expected.push_back(dialog.GetDlgItem(id));
    std::vector<QWidget*> chain;
    QWidget* w = first;
    do {
        // A combo box's own edit field stands in the chain after its box.
        const bool comboField = qobject_cast<QComboBox*>(w->parentWidget()) != nullptr;
        if ((w->focusPolicy() & Qt::TabFocus) && !comboField)
            chain.push_back(w);
        w = w->nextInFocusChain();
    } while (w != first && chain.size() < 20);
    EXPECT_EQ(chain, expected);

    // Tab passes over the disabled About button.
    dialog.GetDlgItem(IDC_GRE1_STOP_BITS)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.GetDlgItem(IDOK));
    dialog.close();
}

TEST(CDialogTest, TemplateStylesBecomeWidgetStates)
{
    CDialog dialog(IDD_MODULES);
    ASSERT_TRUE(dialog.Create());
    EXPECT_TRUE(dialog.GetDlgItemAs<QPushButton>(IDOK)->isDefault());
    EXPECT_FALSE(dialog.GetDlgItemAs<QPushButton>(IDCANCEL)->isDefault());
    EXPECT_TRUE(dialog.GetDlgItemAs<CListBox>(IDC_MODULES_LIST)->IsSorted());

    // A group box never takes a click meant for a control it frames, even
    // when the template makes it after that control.
    CDialog properties(IDD_GRE1_PROPERTIES);
    ASSERT_TRUE(properties.Create());
    QWidget* box = properties.GetDlgItem(IDC_GRE1_CAR_NUMBERS);
    EXPECT_EQ(properties.childAt(box->geometry().center()), box);
}

TEST(CDialogTest, HookSeesTheInitialisedDialogAndItsResultIsReturned)
{
    ProbeDialog dialog;
    dialog.text = "b";
    dialog.flag = 1;
    int seenIndex = -2;
    bool seenCheck = false;
    CDialog::ModalHookScope hook([&](CDialog& d) {
        seenIndex = d.GetDlgItemAs<QComboBox>(IDC_GRE1_MODEL)->currentIndex();
        seenCheck = d.GetDlgItemAs<QCheckBox>(IDC_GRE1_CAR_NUMBERS)->isChecked();
        return 42;
    });
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(seenIndex, 1);
    EXPECT_TRUE(seenCheck);
    EXPECT_EQ(dialog.saves, 0);
}

TEST(CDialogTest, OkTakesTheValuesOutOfTheControls)
{
    ProbeDialog dialog;
    CDialog::ModalHookScope hook([](CDialog& d) {
        ChooseWithKeys(*d.GetDlgItemAs<QComboBox>(IDC_GRE1_MODEL), 1);
        d.GetDlgItemAs<QCheckBox>(IDC_GRE1_CAR_NUMBERS)->click();
        d.GetDlgItemAs<QPushButton>(IDOK)->click();
        return d.result();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.text, "Beta");
    EXPECT_EQ(dialog.flag, 1);
    EXPECT_EQ(dialog.saves, 1);
    // The user's choice and the clicks arrived as commands.
    const std::vector<int> expected{IDC_GRE1_MODEL * 10 + DialogControls::SelChange,
                                    IDC_GRE1_CAR_NUMBERS * 10 + DialogControls::Clicked,
                                    IDOK * 10 + DialogControls::Clicked};
    EXPECT_EQ(dialog.commands, expected);
}

TEST(CDialogTest, CancelEscapeAndCloseBoxEndWithoutTheExchange)
{
    const std::vector<std::function<void(CDialog&)>> endings{
        [](CDialog& d) { d.GetDlgItemAs<QPushButton>(IDCANCEL)->click(); },
        [](CDialog&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
        [](CDialog& d) { d.close(); },
    };
    for (const auto& end : endings) {
        ProbeDialog dialog;
        dialog.text = "Alpha";
        CDialog::ModalHookScope hook([&](CDialog& d) {
            d.show();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            ChooseWithKeys(*d.GetDlgItemAs<QComboBox>(IDC_GRE1_MODEL), 1);
            end(d);
            EXPECT_FALSE(d.isVisible());
            return d.result();
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.text, "Alpha");
        EXPECT_EQ(dialog.saves, 0);
    }
}

TEST(CDialogTest, EachRunStartsFromFreshControls)
{
    ProbeDialog dialog;
    std::vector<int> counts;
    CDialog::ModalHookScope hook([&](CDialog& d) {
        counts.push_back(d.GetDlgItemAs<QComboBox>(IDC_GRE1_MODEL)->count());
        return IDCANCEL;
    });
    dialog.DoModal();
    dialog.DoModal();
    EXPECT_EQ(counts, (std::vector<int>{2, 2}));
    EXPECT_EQ(dialog.findChildren<QComboBox*>(Qt::FindDirectChildrenOnly).size(), 4);
}

TEST(DataExchangeTest, ListSelectsTheFirstItemBeginningWithTheTextIgnoringCase)
{
    QComboBox box;
    box.addItems({"COM1", "COM2", "COM3", "COM30"});
    struct Case
    {
        std::string in;
        int index;
        std::string out;
    };
    for (const Case& c : {Case{"com3", 2, "COM3"}, Case{"COM", 0, "COM1"}, Case{"", 0, "COM1"},
                          Case{"cOm30", 3, "COM30"}, Case{"COM4", -1, ""}, Case{"COM1 ", -1, ""}}) {
        box.setCurrentIndex(1);
        std::string value = c.in;
        ExchangeListText(false, box, value);
        EXPECT_EQ(box.currentIndex(), c.index) << c.in;
        ExchangeListText(true, box, value);
        EXPECT_EQ(value, c.out) << c.in;
    }

    QCheckBox check;
    for (std::int32_t in : {1, 0, 2}) {
        std::int32_t flag = in;
        ExchangeCheck(false, check, flag);
        ExchangeCheck(true, check, flag);
        EXPECT_EQ(flag, in == 1 ? 1 : 0) << in;
    }
}

TEST(CListBoxTest, SortedListInsertsInOrderIgnoringCase)
{
    CListBox sorted(true, nullptr);
    std::vector<int> at;
    for (const char* text : {"beta", "Alpha", "gamma", "Delta"})
        at.push_back(sorted.AddString(text));
    EXPECT_EQ(at, (std::vector<int>{0, 0, 2, 2}));
    EXPECT_EQ(sorted.GetText(1), "beta");
    EXPECT_EQ(sorted.GetText(2), "Delta");

    CListBox plain(false, nullptr);
    plain.AddString("b");
    EXPECT_EQ(plain.AddString("a"), 1);

    std::string value = "DEL";
    ExchangeListText(false, sorted, value);
    EXPECT_EQ(sorted.GetCurSel(), 2);
    sorted.SetCurSel(7);
    ExchangeListText(true, sorted, value);
    EXPECT_EQ(value, "");
}

} // namespace
