// What a screen reader says for each field of the dialogs built from
// templates: its name, or the label it is labelled by.
#include "res/DialogTemplates.h"
#include "toolkit/DialogControls.h"

#include <QAccessible>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QString SpokenName(QWidget* widget)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (!accessible)
        return {};
    if (const QString name = accessible->text(QAccessible::Name); !name.isEmpty())
        return name;
    for (const auto& [label, relation] : accessible->relations(QAccessible::Label))
        if (const QString name = label->text(QAccessible::Name); !name.isEmpty())
            return name;
    return {};
}

TEST(AccessibleNames, EveryFieldOfEveryDialogIsNamed)
{
    for (int id : {IDD_MODULES, IDD_GRE1_PROPERTIES, IDD_BANK_BAR, IDD_GOTO, IDD_FIND, IDD_COLUMNS}) {
        QWidget host;
        DialogControls controls;
        const DialogTemplate* dialogTemplate = FindDialogTemplate(id);
        ASSERT_NE(dialogTemplate, nullptr) << id;
        controls.Build(*dialogTemplate, host, [](int, int) {});
        for (QWidget* item : controls.Items()) {
            if (item->focusPolicy() != Qt::NoFocus) {
                EXPECT_FALSE(SpokenName(item).isEmpty()) << id << " " << item->metaObject()->className();
            }
        }
    }
    // Named by what the label says, without its mnemonic or colon.
    QWidget host;
    DialogControls controls;
    controls.Build(*FindDialogTemplate(IDD_GRE1_PROPERTIES), host, [](int, int) {});
    EXPECT_EQ(SpokenName(controls.GetItem(IDC_GRE1_PORT)), "Communications Port");
    controls.Build(*FindDialogTemplate(IDD_BANK_BAR), host, [](int, int) {});
    EXPECT_EQ(SpokenName(controls.GetItem(IDC_BANK_COMBO)), "Bank");
}

} // namespace
