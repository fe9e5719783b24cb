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

// The console of the program that started this one; null when there is none.
// Written to directly: the C library's streams were set up at start without
// a handle and stay unusable (freopen cannot revive them everywhere).
HANDLE ParentConsole()
{
    static HANDLE console = [] {
        // Fails when already attached, as Wine attaches a window program to
        // its parent's console at start; then the console opens all the same.
        AttachConsole(ATTACH_PARENT_PROCESS);
        HANDLE handle = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }();
    return console;
}

void Print(const QString& text, DWORD which, std::FILE* stream)
{
    if (text.isEmpty())
        return;
    if (IsGiven(which)) {
        std::fputs(text.toLocal8Bit().constData(), stream);
        std::fflush(stream);
        return;
    }
    if (HANDLE console = ParentConsole()) {
        // The console takes UTF-16 and line feeds alone.
        DWORD written = 0;
        WriteConsoleW(console, text.utf16(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

} // namespace

void PrintToConsole(const QString& output, const QString& errors)
{
    Print(output, STD_OUTPUT_HANDLE, stdout);
    Print(errors, STD_ERROR_HANDLE, stderr);
}
