#pragma once

#include <QString>

// The state of one command as the targets on its route report it: whether
// the menu item, toolbar button and accelerator work, and whether the item
// shows a check mark or a label of its own. A command that no target handles stays disabled.
class CCmdUI
{
public:
    void Enable(bool on = true) { m_enabled = on; }
    void SetCheck(bool on = true)
    {
        m_checkable = true;
        m_checked = on;
    }

    // A new label for the command's menu item (MFC's SetText), for
    // commands whose item names what they will do.
    void SetText(const QString& text) { m_text = text; }

    bool IsEnabled() const { return m_enabled; }
    const QString& GetText() const { return m_text; }
    bool IsCheckable() const { return m_checkable; }
    bool IsChecked() const { return m_checked; }

private:
    bool m_enabled = false;
    bool m_checkable = false;
    bool m_checked = false;
    QString m_text;
};
