#pragma once

#include <QString>
#include <QStringList>

// What Scanlore's command line asks for: start, perhaps opening a channel
// file, or print the usage or the version and end at once.
//
//   scanlore [--help] [--version] [FILE]
//
// Read once before the toolkit starts, so that --help and --version work
// without a display (unknown options are not judged then: they may be the
// toolkit's), and again on the arguments that QApplication has left, once
// it has taken out its own options (-platform, -style, ...).
struct CCommandLineInfo
{
    bool start = true;
    // Absolute path of FILE; empty when none was given.
    QString fileName;
    // When not starting: the status to end with and the text to print.
    int exitCode = 0;
    QString standardOutput;
    QString standardError;

    // Help or version: printed and ended with 0 before the toolkit starts.
    bool AnswersAtOnce() const { return !start && exitCode == 0; }

    // arguments[0] is the program.
    static CCommandLineInfo Parse(const QStringList& arguments);
};
