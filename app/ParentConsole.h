#pragma once

// scanlore.exe is a window program: Windows starts it without a console, so
// what it prints for --help and --version would reach no one. This connects
// standard output and standard error to the console of the program that
// started it (cmd.exe, PowerShell), as a console program's would be, and
// leaves alone those already redirected to a file or a pipe. Does nothing
// when there is no such console, and on other systems.
void AttachParentConsole();
