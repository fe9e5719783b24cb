#include "app/ParentConsole.h"

#include <cstdio>

#include <windows.h>

namespace {

// A handle the program was given: a file, a pipe, or a device such as NUL.
bool IsGiven(DWORD which)
{
    HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

} // namespace

void AttachParentConsole()
{
    const bool output = IsGiven(STD_OUTPUT_HANDLE);
    const bool error = IsGiven(STD_ERROR_HANDLE);
    if (output && error)
        return;
    // Fails when already attached, as Wine attaches a window program to its
    // parent's console at start; and without any console, opening the
    // console below fails too and the streams stay as silent as they were.
    AttachConsole(ATTACH_PARENT_PROCESS);
    // The C library's streams were set up at start from the handles the
    // program had; those it did not have now write to the console.
    if (!output)
        std::freopen("CONOUT$", "w", stdout);
    if (!error)
        std::freopen("CONOUT$", "w", stderr);
}
