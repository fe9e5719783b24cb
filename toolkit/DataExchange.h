#pragma once

#include <QString>

#include <cstdint>
#include <string>

class CListBox;
class QAbstractButton;
class QComboBox;

// Helpers with which a dialog moves its values into its controls (save =
// false) and back out of them (save = true). Texts are UTF-8.

// The first item, from the top, whose text begins with prefix, ignoring
// case; -1 when none does. An empty prefix matches the first item.
int FindStringPrefix(const QComboBox& box, const QString& prefix);
int FindStringPrefix(const CListBox& box, const QString& prefix);

// Selects the item FindStringPrefix finds; with none, the list is left
// without a selection. Returns the index selected or -1.
int SelectStringPrefix(QComboBox& box, const QString& prefix);
int SelectStringPrefix(CListBox& box, const QString& prefix);

// The text of the selected item, or the empty text when none is selected;
// for a box with an edit field, the text in that field.
QString SelectedText(const QComboBox& box);
QString SelectedText(const CListBox& box);

// Into the control: selects by prefix as above. Out of it: the selected
// item's text or the empty text.
void ExchangeListText(bool save, QComboBox& box, std::string& value);
void ExchangeListText(bool save, CListBox& box, std::string& value);

// A check box and a 0/1 value: 1 checks the box, any other value clears it;
// out of it, checked gives 1 and cleared 0.
void ExchangeCheck(bool save, QAbstractButton& box, std::int32_t& value);
