#pragma once

#include <QListWidget>

// A single-selection list box. A sorted list box inserts each new item in
// alphabetical order, ignoring case; an unsorted one appends it.
class CListBox : public QListWidget
{
public:
    CListBox(bool sorted, QWidget* parent);

    // Returns the index at which the text was inserted.
    int AddString(const QString& text);
    int GetCount() const { return count(); }
    QString GetText(int index) const;
    // -1 when no item is selected.
    int GetCurSel() const;
    // -1 clears the selection; an index past the end does too.
    void SetCurSel(int index);
    bool IsSorted() const { return m_sorted; }

private:
    bool m_sorted;
};
