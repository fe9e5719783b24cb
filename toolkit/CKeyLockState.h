#pragma once

#include <optional>

// The states of the three lock keys, each unknown where the platform does
// not let the program read it (for example without an X11 display).
class CKeyLockState
{
public:
    std::optional<bool> capsLock;
    std::optional<bool> numLock;
    std::optional<bool> scrollLock;

    // Reads the keyboard's lock indicators now: on X11 through XKB, on
    // Windows through GetKeyState (one source file per system).
    static CKeyLockState Read();
};
