#pragma once

#include "toolkit/CDialog.h"

#include <QString>

// What Find looks for and how.
struct FindRequest
{
    QString what;
    bool matchCase = false;
    bool wholeCell = false;
    bool down = true;

    // Whether a cell's text holds (or, for a whole-cell match, is) the text
    // looked for. An empty text matches nothing.
    bool Matches(const QString& cell) const;
};

// The Find dialog, modeless: "Find what", "Match case", "Match whole
// cell", Up/Down. Find Next (the OK button) asks its owner to search; Cancel
// only hides the dialog, which keeps its texts for the next Find and for F3.
class CFindDlg : public CDialog
{
    Q_OBJECT

public:
    explicit CFindDlg(QWidget* parent);
    ~CFindDlg() override;

    // Shows the dialog (its controls made the first time), active, with the
    // text to find selected.
    void ShowFind();
    FindRequest GetRequest() const;

    void OnOK() override;
    void OnCancel() override;

signals:
    // Find Next, or F3 (Shift+F3: reverse, the other way) inside the dialog.
    void FindNext(bool reverse);

protected:
    bool OnInitDialog() override;
};
