#pragma once

#include <QString>

// Prints what the program answers without opening its window (--help,
// --version, a usage error): `output` on standard output, `errors` on
// standard error, in the user's encoding where they go to a file or a pipe.
//
// scanlore.exe is a window program: Windows starts it without a console,
// so what it printed would reach no one. There the text goes to the console
// of the program that started it (cmd.exe, PowerShell), as a console
// program's would, unless that standard handle was redirected to a file or
// a pipe, which keeps it.
void PrintToConsole(const QString& output, const QString& errors);
