#pragma once

#include "toolkit/CDialog.h"

#include <QComboBox>
#include <QTest>

// Chooses an item of a drop-down list the way a user does with the keyboard,
// so that the list reports a selection change.
inline void ChooseWithKeys(QComboBox& box, int index)
{
    QTest::keyClick(&box, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(&box, Qt::Key_Down);
}

inline QString CurrentText(const QComboBox& box)
{
    return box.currentIndex() < 0 ? QString() : box.itemText(box.currentIndex());
}
