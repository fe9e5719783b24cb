// The command line: what starts, what prints and ends, with which status.
#include "app/CCommandLineInfo.h"
#include "ScanloreVersion.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct ParseCase
{
    const char* name;
    QStringList arguments; // after the program
    bool start;
    int exitCode;
    QString fileName; // relative ones are against the current folder
    QString standardOutput;
    QString standardError; // a part of it
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.name;
}

class CommandLineParse : public ::testing::TestWithParam<ParseCase>
{};

TEST_P(CommandLineParse, StartsOrPrintsAndEnds)
{
    const ParseCase& c = GetParam();
    const CCommandLineInfo info = CCommandLineInfo::Parse(QStringList{"/usr/bin/scanlore"} + c.arguments);
    EXPECT_EQ(info.start, c.start);
    EXPECT_EQ(info.exitCode, c.exitCode);
    EXPECT_EQ(info.fileName, c.fileName.isEmpty() ? QString() : QDir::current().absoluteFilePath(c.fileName));
    if (c.standardOutput.endsWith('\n'))
        EXPECT_EQ(info.standardOutput, c.standardOutput);
    else
        EXPECT_TRUE(info.standardOutput.contains(c.standardOutput)) << info.standardOutput.toStdString();
    EXPECT_TRUE(info.standardError.contains(c.standardError)) << info.standardError.toStdString();
    if (c.exitCode != 0) { // refusals show the usage too
        EXPECT_TRUE(info.standardError.contains("[FILE]")) << info.standardError.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineParse,
    ::testing::Values(
        ParseCase{"nothing", {}, true, 0, {}, {}, {}},
        ParseCase{"relative file", {"channels.csv"}, true, 0, "channels.csv", {}, {}},
        ParseCase{"absolute file with blank", {"/tmp/my channels.csv"}, true, 0, "/tmp/my channels.csv", {}, {}},
        ParseCase{"file after --", {"--", "-odd.csv"}, true, 0, "-odd.csv", {}, {}},
        ParseCase{"help names the program", {"--help"}, false, 0, {}, "Usage: scanlore [options] [FILE]", {}},
        ParseCase{"toolkit options passed over",
                  {"-platform", "offscreen", "-style=fusion", "--reverse", "a.csv"},
                  true,
                  0,
                  "a.csv",
                  {},
                  {}},
        ParseCase{"short help", {"-h"}, false, 0, {}, "--version", {}},
        ParseCase{"version", {"--version"}, false, 0, {}, "scanlore " SCANLORE_VERSION "\n", {}},
        ParseCase{"unknown option", {"--frobnicate", "a.csv"}, false, 2, {}, {}, "frobnicate"},
        ParseCase{"two files", {"a.csv", "b.csv"}, false, 2, {}, {}, "one file"}));

// The program itself: Qt's options are taken before ours, and the streams
// and exit statuses reach the shell.
TEST(ScanloreProgram, PrintsAndEndsWithTheStatusOfItsCommandLine)
{
    struct Case
    {
        QStringList arguments;
        const char* platform; // help, version and refusals need no display
        int exitCode;
        QString standardOutput;
        QString standardError;
    };
    const Case cases[] = {
        {{"--version"}, "xcb", 0, "scanlore " SCANLORE_VERSION "\n", ""},
        {{"--help"}, "xcb", 0, "Usage: scanlore ", ""},
        {{"-platform", "offscreen", "--frobnicate"}, "xcb", 2, "", "Unknown option 'frobnicate'"},
        {{"--frobnicate"}, "xcb", 2, "", "Unknown option 'frobnicate'"},
        {{"a.csv", "b.csv"}, "xcb", 2, "", "Usage: scanlore "},
    };
    for (const Case& c : cases) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", c.platform);
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        process.setProcessEnvironment(environment);
        process.start(SCANLORE_PROGRAM, c.arguments);
        ASSERT_TRUE(process.waitForFinished(30000)) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), c.exitCode) << c.arguments.join(' ').toStdString();
        // Windows writes its text streams with CR LF line ends.
        const QString out = QString::fromLocal8Bit(process.readAllStandardOutput()).replace("\r\n", "\n");
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_TRUE(c.standardOutput.isEmpty() ? out.isEmpty() : out.startsWith(c.standardOutput)) << out.toStdString();
        // Qt may warn about the environment on standard error; the usage
        // goes there only for a refusal.
        EXPECT_TRUE(c.standardError.isEmpty() ? !err.contains("Usage:") : err.contains(c.standardError))
            << err.toStdString();
    }
}

} // namespace
