#pragma once

#include <QString>
#include <QStringList>

// What Scanlore's command line asks for: start, perhaps opening a channel
// file, or print the usage or the version and end at once.
//
//   scanlore [--help] [--version] [FILE]
//
// Read before the toolkit starts, so that --help, --version and a refused
// command line need no display. The toolkit's own options (-platform,
// -style, ...) are known and passed over; QApplication takes them later.
struct CCommandLineInfo
{
    bool start = true;
    // Absolute path of FILE; empty when none was given.
    QString fileName;
    // When not starting: the status to end with and the text to print.
    int exitCode = 0;
    QString standardOutput;
    QString standardError;

    // arguments[0] is the program.
    static CCommandLineInfo Parse(const QStringList& arguments);
};
