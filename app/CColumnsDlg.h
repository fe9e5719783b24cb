#pragma once

#include "toolkit/CDialog.h"

#include <QString>

class hvGridCtrl;

#include <vector>

// One column of the grid as the Columns dialog shows it.
struct GridColumnChoice
{
    int column = 0; // the column's index in the grid
    QString title;
    bool shown = true;
    bool required = false; // always shown: its box cannot be cleared

    bool operator==(const GridColumnChoice&) const = default;
};

// View > Columns: the grid's columns in their order, each with a check box
// for whether it is shown, and Move Up / Move Down. OK hands back the new
// order and choices; the caller applies them.
class CColumnsDlg : public CDialog
{
    Q_OBJECT

public:
    CColumnsDlg(std::vector<GridColumnChoice> columns, QWidget* parent = nullptr);
    ~CColumnsDlg() override;

    // The columns left to right, as OK took them.
    const std::vector<GridColumnChoice>& GetColumns() const { return m_columns; }

    // The grid's columns as the dialog offers them, with their header
    // titles; requiredColumn is always shown.
    static std::vector<GridColumnChoice> FromGrid(const hvGridCtrl& grid, int requiredColumn);
    // Shows, hides and orders the grid's columns as chosen.
    static void ApplyTo(hvGridCtrl& grid, const std::vector<GridColumnChoice>& columns);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(bool save) override;
    bool OnCommand(int id, int code) override;

private:
    // Moves the selected column one place up (step -1) or down (1).
    void MoveSelected(int step);
    void UpdateButtons();

    std::vector<GridColumnChoice> m_columns;
};
