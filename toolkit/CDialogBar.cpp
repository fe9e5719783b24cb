#include "toolkit/CDialogBar.h"

CDialogBar::CDialogBar(int templateId, QWidget* parent) : QWidget(parent), m_templateId(templateId)
{
    if (const DialogTemplate* dialogTemplate = FindDialogTemplate(templateId)) {
        m_controls.Build(*dialogTemplate, *this, [this](int id, int code) { OnCommand(id, code); });
        setFixedSize(m_controls.ClientSize());
    }
}

CDialogBar::~CDialogBar() = default;

QSize CDialogBar::sizeHint() const
{
    return m_controls.ClientSize();
}

QSize CDialogBar::minimumSizeHint() const
{
    return m_controls.ClientSize();
}

bool CDialogBar::OnCommand(int, int)
{
    return false;
}
