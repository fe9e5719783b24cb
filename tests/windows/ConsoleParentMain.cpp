// Plays cmd.exe for a window program: a console program that starts it
// with one argument, as Windows starts a window program from a console
// (no console of its own and no standard handles), then reads what reached
// its console.
//   console_parent <program.exe> <argument> <expected line>
// Exits 0 when the line is on the console, 1 when not.
#include <string>
#include <vector>

#include <windows.h>

namespace {

// The verdict goes to the standard error this program was given, which
// CTest reads; the console is the child's.
int Report(HANDLE to, const std::string& text, int status)
{
    DWORD written = 0;
    WriteFile(to, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    HANDLE verdict = GetStdHandle(STD_ERROR_HANDLE);
    if (argc != 4)
        return Report(verdict, "usage: console_parent PROGRAM.EXE ARGUMENT EXPECTED-LINE\n", 2);
    // A console of its own, whatever this program was started from.
    FreeConsole();
    if (!AllocConsole())
        return Report(verdict, "console_parent: no console\n", 1);

    std::string command = "\"" + std::string(argv[1]) + "\" " + argv[2];
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES; // all three null
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr, &startup,
                        &process))
        return Report(verdict, "console_parent: cannot start " + std::string(argv[1]) + "\n", 1);
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(console, &info))
        return Report(verdict, "console_parent: cannot read the console (" + std::to_string(GetLastError()) + ")\n", 1);
    std::string screen;
    for (SHORT row = 0; row <= info.dwCursorPosition.Y; ++row) {
        std::vector<char> line(static_cast<std::size_t>(info.dwSize.X));
        DWORD read = 0;
        ReadConsoleOutputCharacterA(console, line.data(), static_cast<DWORD>(line.size()), COORD{0, row}, &read);
        std::string text(line.data(), read);
        text.erase(text.find_last_not_of(' ') + 1);
        screen += text + "\n";
    }
    if (screen.find(std::string(argv[3]) + "\n") == std::string::npos)
        return Report(verdict, "console_parent: the console holds:\n" + screen, 1);
    return Report(verdict, std::string(argv[3]) + " is on the console\n", 0);
}
