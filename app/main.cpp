// Scanlore: edit a radio scanner's channel memory and upload it.
#include "app/CCommandLineInfo.h"
#include "app/CScannerApp.h"
#include "app/ParentConsole.h"

#include <QApplication>

namespace {

int Finish(const CCommandLineInfo& command)
{
    PrintToConsole(command.standardOutput, command.standardError);
    return command.exitCode;
}

} // namespace

int main(int argc, char** argv)
{
    // --help and --version need no display: answer them before the toolkit
    // connects to one.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const CCommandLineInfo early = CCommandLineInfo::Parse(arguments); early.AnswersAtOnce())
        return Finish(early);

    // QApplication takes the toolkit's own options out of argv.
    QApplication application(argc, argv);
    const CCommandLineInfo command = CCommandLineInfo::Parse(QCoreApplication::arguments());
    if (!command.start)
        return Finish(command);

    CScannerApp scanner;
    if (!scanner.InitInstance())
        return 1;
    if (!command.fileName.isEmpty())
        scanner.OpenDocumentFile(command.fileName);
    return scanner.Run();
}
