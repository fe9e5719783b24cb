#include "modules/ui/vnManagerModulesDlg.h"

#include "modules/vnModule.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"
#include "toolkit/CListBox.h"

#include <QLabel>

vnManagerModulesDlg::vnManagerModulesDlg(QWidget* parent) : CDialog(IDD_MODULES, parent) {}

vnManagerModulesDlg::~vnManagerModulesDlg() = default;

void vnManagerModulesDlg::DoDataExchange(bool save)
{
    CDialog::DoDataExchange(save);
    m_moduleList = GetDlgItemAs<CListBox>(IDC_MODULES_LIST);
    m_description = GetDlgItemAs<QLabel>(IDC_MODULES_DESCRIPTION);
}

bool vnManagerModulesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_introduction)
        AddIntroduction();

    // The dialog keeps no module: it borrows one for its texts.
    vnModule* module = nullptr;
    m_manager.GetCurrentModule(&module);
    if (module) {
        const char* name = nullptr;
        module->GetName(&name);
        if (name && m_moduleList)
            m_moduleList->AddString(QString::fromUtf8(name));
        if (m_moduleList)
            m_moduleList->SetCurSel(0);

        const char* description = nullptr;
        module->GetDescription(&description);
        if (description && m_description)
            m_description->setText(QString::fromUtf8(description));
    }
    m_manager.ReleaseModule(module);
    return true;
}

bool vnManagerModulesDlg::OnCommand(int id, int code)
{
    if (id == IDC_MODULES_PROPERTIES && code == DialogControls::Clicked) {
        OnProperties();
        return true;
    }
    return CDialog::OnCommand(id, code);
}

// Always the first installed module: the list's selection is not consulted,
// so Properties works with nothing selected.
void vnManagerModulesDlg::OnProperties()
{
    vnModule* module = nullptr;
    m_manager.GetModule(0, &module);
    if (module)
        module->ShowProperties();
    m_manager.ReleaseModule(module);
}

void vnManagerModulesDlg::AddIntroduction()
{
    // The template has no room for it: the controls move down by the
    // line's height, and the dialog grows by as much.
    const QList<QWidget*> controls = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    auto* intro = new QLabel(LoadStringText(IDS_FIRST_RUN_INTRO), this);
    intro->setObjectName(QStringLiteral("introduction"));
    intro->setWordWrap(true);
    const int margin = m_moduleList ? m_moduleList->x() : 0;
    intro->setFixedWidth(width() - 2 * margin);
    const int height = intro->heightForWidth(intro->width());
    intro->setFixedHeight(height);
    intro->move(margin, margin);
    for (QWidget* control : controls)
        control->move(control->pos() + QPoint(0, height + margin));
    setFixedSize(width(), this->height() + height + margin);
    intro->show();
}
