#pragma once

// The state of one command as the targets on its route report it: whether
// the menu item, toolbar button and accelerator work, and whether the item
// shows a check mark. A command that no target handles stays disabled.
class CCmdUI
{
public:
    explicit CCmdUI(int id) : m_id(id) {}

    int GetId() const { return m_id; }

    void Enable(bool on = true) { m_enabled = on; }
    void SetCheck(bool on = true)
    {
        m_checkable = true;
        m_checked = on;
    }

    bool IsEnabled() const { return m_enabled; }
    bool IsCheckable() const { return m_checkable; }
    bool IsChecked() const { return m_checked; }

private:
    int m_id;
    bool m_enabled = false;
    bool m_checkable = false;
    bool m_checked = false;
};
