#include "app/CCommandLineInfo.h"

#include "ScanloreVersion.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

// A command line that cannot be followed: as for other command-line tools,
// distinct from 1, which says that the program failed.
constexpr int kUsageError = 2;

} // namespace

CCommandLineInfo CCommandLineInfo::Parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edit a radio scanner's channel memory and upload it over a serial line."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this text and exit."));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A channel file to open after start-up."),
                                 QStringLiteral("[FILE]"));

    CCommandLineInfo info;
    QString program = QFileInfo(arguments.value(0, QStringLiteral("scanlore"))).fileName();
    // "scanlore.exe" on Windows names itself as elsewhere.
    if (program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        program.chop(4);
    // Help and version come first, whatever else is there: before the
    // toolkit has taken its own options out, those would read as unknown.
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help)) {
        info.start = false;
        info.standardOutput = parser.helpText();
        return info;
    }
    if (parser.isSet(version)) {
        info.start = false;
        info.standardOutput = program + QStringLiteral(" " SCANLORE_VERSION "\n");
        return info;
    }

    QString error;
    if (!parsed)
        error = parser.errorText();
    else if (parser.positionalArguments().size() > 1)
        error = QStringLiteral("Only one file can be opened.");
    if (!error.isEmpty()) {
        info.start = false;
        info.exitCode = kUsageError;
        info.standardError = program + QStringLiteral(": ") + error + QStringLiteral("\n\n") + parser.helpText();
    } else if (!parser.positionalArguments().isEmpty()) {
        info.fileName = QFileInfo(parser.positionalArguments().constFirst()).absoluteFilePath();
    }
    return info;
}
