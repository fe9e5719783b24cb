#include "app/CCommandLineInfo.h"

#include "ScanloreVersion.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

// A command line that cannot be followed: as for other command-line tools,
// distinct from 1, which says that the program failed.
constexpr int kUsageError = 2;

// The toolkit's own options (QGuiApplication's and QApplication's), which
// QApplication takes out of the command line: known here, so that the
// command line is judged whole before the toolkit starts, and a refusal
// needs no display. Those that take a value, then those that do not.
constexpr const char* kToolkitValueOptions[] = {
    "platform",        "platformpluginpath",
    "platformtheme",   "plugin",
    "qwindowgeometry", "geometry",
    "qwindowtitle",    "title",
    "qwindowicon",     "icon",
    "display",         "name",
    "session",         "style",
    "stylesheet",      "qmljsdebugger",
};
constexpr const char* kToolkitFlagOptions[] = {"reverse", "nograb", "dograb", "sync", "widgetcount", "testability"};

void AddToolkitOptions(QCommandLineParser& parser)
{
    for (const char* name : kToolkitValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kToolkitFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// The usage with the program's own name: before QApplication exists the
// parser knows no name and writes a placeholder.
QString HelpText(const QCommandLineParser& parser, const QString& program)
{
    QString text = parser.helpText();
    const QString usage = QStringLiteral("Usage: ");
    if (text.startsWith(usage)) {
        const qsizetype end = text.indexOf(QLatin1Char(' '), usage.size());
        if (end > 0)
            text.replace(usage.size(), end - usage.size(), program);
    }
    return text;
}

} // namespace

CCommandLineInfo CCommandLineInfo::Parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(LoadStringText(IDS_COMMAND_LINE_DESCRIPTION));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  LoadStringText(IDS_COMMAND_LINE_HELP));
    const QCommandLineOption version(QStringLiteral("version"), LoadStringText(IDS_COMMAND_LINE_VERSION));
    parser.addOption(help);
    parser.addOption(version);
    // The toolkit's options start with one dash: "-platform offscreen".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    AddToolkitOptions(parser);
    parser.addPositionalArgument(QStringLiteral("FILE"), LoadStringText(IDS_COMMAND_LINE_FILE),
                                 QStringLiteral("[FILE]"));

    CCommandLineInfo info;
    QString program = QFileInfo(arguments.value(0, QStringLiteral("scanlore"))).fileName();
    // "scanlore.exe" on Windows names itself as elsewhere.
    if (program.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        program.chop(4);
    // Help and version come first, whatever else is there.
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help)) {
        info.start = false;
        info.standardOutput = HelpText(parser, program);
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
        error = LoadStringText(IDS_COMMAND_LINE_ONE_FILE);
    if (!error.isEmpty()) {
        info.start = false;
        info.exitCode = kUsageError;
        info.standardError =
            program + QStringLiteral(": ") + error + QStringLiteral("\n\n") + HelpText(parser, program);
    } else if (!parser.positionalArguments().isEmpty()) {
        info.fileName = QFileInfo(parser.positionalArguments().constFirst()).absoluteFilePath();
    }
    return info;
}
