#include "toolkit/CListBox.h"

CListBox::CListBox(bool sorted, QWidget* parent) : QListWidget(parent), m_sorted(sorted)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int CListBox::AddString(const QString& text)
{
    int index = count();
    if (m_sorted) {
        for (int i = 0; i < count(); ++i) {
            if (QString::compare(text, item(i)->text(), Qt::CaseInsensitive) < 0) {
                index = i;
                break;
            }
        }
    }
    insertItem(index, text);
    return index;
}

QString CListBox::GetText(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

int CListBox::GetCurSel() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.front());
}

void CListBox::SetCurSel(int index)
{
    if (index < 0 || index >= count()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}
