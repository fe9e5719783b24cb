#pragma once

#include "modules/vnModuleManager.h"
#include "toolkit/CDialog.h"

class CListBox;
class QLabel;

// "Vantis Modules": lists the installed scanner modules, shows the module's
// description and opens its properties. Stores nothing itself; OK and Cancel
// only close it.
class vnManagerModulesDlg : public CDialog
{
    Q_OBJECT

public:
    explicit vnManagerModulesDlg(QWidget* parent = nullptr);

    // On the first start the dialog comes unasked, so it first says in a
    // line above the list what it is for.
    void SetIntroduction(bool shown) { m_introduction = shown; }
    ~vnManagerModulesDlg() override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(bool save) override;
    bool OnCommand(int id, int code) override;

private:
    void OnProperties();
    void AddIntroduction();

    CListBox* m_moduleList = nullptr;
    vnModuleManager m_manager;
    QLabel* m_description = nullptr;
    bool m_introduction = false;
};
