#include "app/ParentConsole.h"

#include <cstdio>

// Elsewhere a program writes to the terminal it was started from already.
void PrintToConsole(const QString& output, const QString& errors)
{
    std::fputs(output.toLocal8Bit().constData(), stdout);
    std::fputs(errors.toLocal8Bit().constData(), stderr);
}
