#include "toolkit/CKeyLockState.h"

#include <windows.h>

CKeyLockState CKeyLockState::Read()
{
    // The low bit of a toggle key's state says whether it is on.
    auto read = [](int key) -> std::optional<bool> { return (GetKeyState(key) & 1) != 0; };
    CKeyLockState state;
    state.capsLock = read(VK_CAPITAL);
    state.numLock = read(VK_NUMLOCK);
    state.scrollLock = read(VK_SCROLL);
    return state;
}
