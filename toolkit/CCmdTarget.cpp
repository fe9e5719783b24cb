#include "toolkit/CCmdTarget.h"

#include "toolkit/CCmdUI.h"

bool CCmdTarget::OnCmdMsg(int id, CCmdUI* ui)
{
    const auto it = m_commands.find(id);
    if (it == m_commands.end() || !it->second.handler)
        return false;
    if (ui) {
        ui->Enable(true);
        if (it->second.update)
            it->second.update(*ui);
        return true;
    }
    // A copy, so that a handler may change the table while it runs.
    const std::function<void()> handler = it->second.handler;
    handler();
    return true;
}

void CCmdTarget::OnCommand(int id, std::function<void()> handler)
{
    m_commands[id].handler = std::move(handler);
}

void CCmdTarget::OnUpdateCommandUI(int id, std::function<void(CCmdUI&)> update)
{
    m_commands[id].update = std::move(update);
}
