#pragma once

#include <functional>
#include <map>

class CCmdUI;

// Something that commands are offered to: the view, the frame window and the
// application object, in that order. Each target keeps its own table of the
// commands it handles.
class CCmdTarget
{
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Offers command id to this target. With ui null the handler runs; with
    // ui given the target reports the command's state into it (enabled, then
    // whatever its update handler says). Returns whether this target
    // handles the command; the next target on the route gets it otherwise.
    virtual bool OnCmdMsg(int id, CCmdUI* ui);

protected:
    void OnCommand(int id, std::function<void()> handler);
    // Adjusts the state of a command that this target handles (for example a
    // check mark). Without one, a handled command is simply enabled.
    void OnUpdateCommandUI(int id, std::function<void(CCmdUI&)> update);

private:
    struct Entry
    {
        std::function<void()> handler;
        std::function<void(CCmdUI&)> update;
    };
    std::map<int, Entry> m_commands;
};
