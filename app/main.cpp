// Scanlore: edit a radio scanner's channel memory and upload it.
#include "app/CCommandLineInfo.h"
#include "app/CScannerApp.h"
#include "app/ColorScheme.h"
#include "app/ParentConsole.h"

#include "toolkit/FileNameCodec.h"

#include <QApplication>

namespace {

// The arguments as the system gave them: a file name that is not valid UTF-8
// keeps its bytes (QCoreApplication::arguments() would replace them).
QStringList Arguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << DecodeFileName(QByteArray(argv[i]));
    return arguments;
}

int Finish(const CCommandLineInfo& command)
{
    PrintToConsole(command.standardOutput, command.standardError);
    return command.exitCode;
}

} // namespace

int main(int argc, char** argv)
{
    // --help, --version and a refused command line need no display: answer
    // them before the toolkit connects to one.
    const CCommandLineInfo command = CCommandLineInfo::Parse(Arguments(argc, argv));
    if (!command.start)
        return Finish(command);

    // QApplication takes the toolkit's own options out of argv.
    QApplication application(argc, argv);
    ApplyColorSchemeFromEnvironment(application);

    CScannerApp scanner;
    if (!scanner.InitInstance())
        return 1;
    if (!command.fileName.isEmpty())
        scanner.OpenDocumentFile(command.fileName);
    return scanner.Run();
}
