#pragma once

#include "core/ChannelColumnChoice.h"
#include "toolkit/CDialog.h"

#include <string>
#include <vector>

class QTreeWidget;

// Choose Columns: offered when a file's header names no column Scanlore can
// use. Each column of the file with its first values and the role the user
// gives it (Not Used until given one); the role of the column selected is
// chosen below the table, with the unit of the frequencies. OK needs a
// frequency column and hands back the choice; the caller reads the file
// with it.
class CChooseColumnsDlg : public CDialog
{
    Q_OBJECT

public:
    CChooseColumnsDlg(std::string fileName, std::vector<ChannelColumnPreview> columns, QWidget* parent = nullptr);
    ~CChooseColumnsDlg() override;

    // The columns given a role, by their names, and the unit, as OK took
    // them.
    const ChannelColumnChoice& GetChoice() const { return m_choice; }

    // The dialog's word for a role: "Car Number", "Not Used".
    static QString RoleLabel(ChannelColumnRole role);

    // The table, once the dialog is made; for tests.
    QTreeWidget* GetTable() const { return m_table; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(bool save) override;
    bool OnCommand(int id, int code) override;

private:
    // The role drop-down shows the role of the column selected.
    void ShowSelectedRole();
    // The role chosen in the drop-down goes to the column selected.
    void TakeRole();
    // The unit and OK are for a choice with a frequency column.
    void UpdateControls();

    std::string m_fileName;
    std::vector<ChannelColumnPreview> m_columns;
    std::vector<ChannelColumnRole> m_roles;
    ChannelColumnChoice m_choice;
    QTreeWidget* m_table = nullptr;
};
