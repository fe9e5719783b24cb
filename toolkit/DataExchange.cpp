#include "toolkit/DataExchange.h"

#include "toolkit/CListBox.h"

#include <QAbstractButton>
#include <QComboBox>

namespace {

template <class Text> int FindPrefix(int count, const Text& textAt, const QString& prefix)
{
    for (int i = 0; i < count; ++i)
        if (textAt(i).startsWith(prefix, Qt::CaseInsensitive))
            return i;
    return -1;
}

} // namespace

int FindStringPrefix(const QComboBox& box, const QString& prefix)
{
    return FindPrefix(
        box.count(), [&box](int i) { return box.itemText(i); }, prefix);
}

int FindStringPrefix(const CListBox& box, const QString& prefix)
{
    return FindPrefix(
        box.GetCount(), [&box](int i) { return box.GetText(i); }, prefix);
}

int SelectStringPrefix(QComboBox& box, const QString& prefix)
{
    const int index = FindStringPrefix(box, prefix);
    box.setCurrentIndex(index);
    return index;
}

int SelectStringPrefix(CListBox& box, const QString& prefix)
{
    const int index = FindStringPrefix(box, prefix);
    box.SetCurSel(index);
    return index;
}

QString SelectedText(const QComboBox& box)
{
    // A box with an edit field holds what the user typed or picked there.
    if (box.isEditable())
        return box.currentText();
    return box.currentIndex() >= 0 ? box.itemText(box.currentIndex()) : QString();
}

QString SelectedText(const CListBox& box)
{
    return box.GetText(box.GetCurSel());
}

void ExchangeListText(bool save, QComboBox& box, std::string& value)
{
    if (save)
        value = SelectedText(box).toStdString();
    else
        SelectStringPrefix(box, QString::fromStdString(value));
}

void ExchangeListText(bool save, CListBox& box, std::string& value)
{
    if (save)
        value = SelectedText(box).toStdString();
    else
        SelectStringPrefix(box, QString::fromStdString(value));
}

void ExchangeCheck(bool save, QAbstractButton& box, std::int32_t& value)
{
    if (save)
        value = box.isChecked() ? 1 : 0;
    else
        box.setChecked(value == 1);
}
