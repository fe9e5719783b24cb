#include "channels/vnDelimitedFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "scanlore-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path m_path;
};

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Store(const std::string& path, const std::string& contents)
{
    std::ofstream(path, std::ios::binary) << contents;
}

unsigned Mode(const std::string& path)
{
    struct stat status
    {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

vnCellTable MakeTable(std::int32_t rows, std::int32_t columns)
{
    vnCellTable table;
    table.AddColumns(columns);
    table.AddRows(rows);
    return table;
}

void Put(vnCellTable& table, std::int32_t row, std::int32_t column, const vnCell& cell)
{
    table.SetCell(row, column, &cell);
}

vnCell Text(std::string_view text)
{
    return vnCell(text, false);
}

vnCell Typed(std::string_view text)
{
    return vnCell(text, true);
}

// The example channel table: a header-like row and a data row.
vnCellTable Example()
{
    vnCellTable table = MakeTable(2, 3);
    Put(table, 0, 0, Text("ID"));
    Put(table, 0, 1, Typed("146.52"));
    Put(table, 0, 2, Typed("true"));
    Put(table, 1, 0, Typed("1"));
    Put(table, 1, 1, Text("Fire, EMS"));
    return table;
}

const std::string kExampleText = "\"ID\",146.520000,True\r\n1,\"Fire, EMS\",\r\n";

TEST(vnDelimitedFile, WritesStringsQuotedAndTheRestBare)
{
    vnCellTable table = Example();
    EXPECT_EQ(vnDelimitedFile(&table).WriteText(), kExampleText);

    vnCellTable empty;
    EXPECT_EQ(vnDelimitedFile(&empty).WriteText(), "");
    vnCellTable noColumns = MakeTable(2, 0);
    EXPECT_EQ(vnDelimitedFile(&noColumns).WriteText(), "\r\n\r\n");
}

struct TextCase
{
    std::string text;
    std::string written;
};

class WriteString : public testing::TestWithParam<TextCase>
{};

TEST_P(WriteString, KeepsTheLineWhole)
{
    vnCellTable table = MakeTable(1, 2);
    Put(table, 0, 0, Text(GetParam().text));
    Put(table, 0, 1, Typed("1"));
    EXPECT_EQ(vnDelimitedFile(&table).WriteText(), GetParam().written + ",1\r\n");
}

INSTANTIATE_TEST_SUITE_P(QuotesAndLineFeeds, WriteString,
                         testing::Values(TextCase{"a\"b", R"("a""b")"}, TextCase{"\"", R"("""")"},
                                         TextCase{"", R"("")"}, TextCase{"a\nb", "\"a b\""},
                                         TextCase{"a\r\nb", "\"a b\""}, TextCase{"\n\n", "\"  \""},
                                         TextCase{"a\r\r\n\"\n", "\"a\r \"\" \""}, TextCase{"a\rb\r", "\"a\rb\r\""}));

// Every table the syntax can hold reads back as it was written.
TEST(vnDelimitedFile, WrittenTablesReadBackEqual)
{
    const std::vector<std::string> texts = {"",      " padded ",   "42",   "-7", "1.5",        "yes",
                                            "False", "a,b",        ",",    "\"", "\"\"",       "x\"",
                                            "\"x",   "say \"hi\"", "a\rb", "\r", "Caf\xC3\xA9"};
    vnCellTable table = MakeTable(static_cast<std::int32_t>(texts.size()), 4);
    for (std::int32_t row = 0; row < table.GetRowCount(); ++row) {
        const std::string& text = texts[static_cast<std::size_t>(row)];
        // The text in every column, beside every kind of other cell.
        Put(table, row, row % 4, Text(text));
        Put(table, row, (row + 1) % 4, Text(texts[(static_cast<std::size_t>(row) + 3) % texts.size()]));
        vnCell other;
        switch (row % 3) {
        case 0:
            other.SetInt(-2147483647 - 1);
            break;
        case 1:
            other.SetDouble(-146.520001);
            break;
        default:
            other.SetBool(row % 2 == 0);
            break;
        }
        Put(table, row, (row + 2) % 4, other);
    }
    vnDelimitedFile file(&table);
    const std::string written = file.WriteText();

    vnCellTable back;
    ASSERT_TRUE(vnDelimitedFile(&back).ReadText(written));
    EXPECT_EQ(back, table);
    EXPECT_EQ(vnDelimitedFile(&back).WriteText(), written);
}

TEST(vnDelimitedFile, ReadsWhatItWrote)
{
    TempFolder folder;
    const std::string path = folder / "channels.csv";
    vnCellTable table = Example();
    vnDelimitedFile writer(&table);
    ASSERT_TRUE(writer.Write(path)) << writer.GetLastError();
    EXPECT_EQ(writer.GetLastError(), "");
    EXPECT_EQ(Contents(path), kExampleText);

    vnCellTable back;
    vnDelimitedFile reader(&back);
    ASSERT_TRUE(reader.Read(path)) << reader.GetLastError();
    EXPECT_EQ(reader.GetLastError(), "");
    EXPECT_EQ(back, table);
    EXPECT_EQ(back.GetCell(0, 1)->GetDouble(), 146.52);

    // The reader has let go of the file: it can be replaced at once.
    vnCellTable empty;
    ASSERT_TRUE(vnDelimitedFile(&empty).Write(path));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"channels.csv"});
    ASSERT_TRUE(reader.Read(path));
    EXPECT_EQ(back.GetRowCount(), 0);
    EXPECT_EQ(back.GetColumnCount(), 0);
}

TEST(vnDelimitedFile, ReadsLinesAcrossChunks)
{
    TempFolder folder;
    const std::string path = folder / "long.csv";
    // The first line's carriage return is the last byte of a 256-byte chunk
    // and its line feed the first of the next; the second line spans many.
    const std::string first = "\"" + std::string(253, 'x') + "\"";
    const std::string second = std::string(5000, 'y') + "," + std::string(70000, 'z');
    Store(path, first + "\r\n" + second + "\r\n" + "1,2,3");
    vnCellTable table;
    vnDelimitedFile file(&table);
    ASSERT_TRUE(file.Read(path));
    ASSERT_EQ(table.GetRowCount(), 3);
    ASSERT_EQ(table.GetColumnCount(), 3);
    EXPECT_EQ(table.GetCell(0, 0)->ToText(), std::string(253, 'x'));
    EXPECT_EQ(table.GetCell(1, 0)->ToText().size(), 5000u);
    EXPECT_EQ(table.GetCell(1, 1)->ToText().size(), 70000u);
    EXPECT_EQ(table.GetCell(2, 2)->GetInt(), 3);
}

TEST(vnDelimitedFile, FailedReadSaysWhy)
{
    TempFolder folder;
    vnCellTable table = Example();
    vnDelimitedFile file(&table);
    EXPECT_FALSE(file.Read(folder / "missing.csv"));
    EXPECT_EQ(file.GetLastError(), "No such file or directory");
    EXPECT_EQ(table, Example());

    // A folder opens but its first read fails: the table stays too.
    EXPECT_FALSE(file.Read(folder / ""));
    EXPECT_EQ(file.GetLastError(), "Is a directory");
    EXPECT_EQ(table, Example());

    // A last line that would pad the table far beyond its text: the rows
    // before it stay, whether or not it ends in a line feed.
    for (const char* end : {"\r\n", ""}) {
        const std::string path = folder / "wide.csv";
        std::ofstream(path) << std::string(20000, '\n') << std::string(1000, ',') << end;
        EXPECT_FALSE(file.Read(path));
        EXPECT_EQ(file.GetLastError(), "line 20001 has 1001 fields, far more than the 1 of line 1");
        EXPECT_EQ(table.GetRowCount(), 20000);
        EXPECT_EQ(table.GetColumnCount(), 1);
        table = Example();
    }

    EXPECT_FALSE(file.Read("a\0b"s));
    EXPECT_EQ(file.GetLastError(), "Invalid argument");

    vnDelimitedFile unbound(nullptr);
    EXPECT_FALSE(unbound.Read(folder / "missing.csv"));
    EXPECT_FALSE(unbound.ReadText("x"));
    EXPECT_FALSE(unbound.Write(folder / "new.csv"));
    EXPECT_EQ(unbound.WriteText(), "");
}

TEST(vnDelimitedFile, WriteKeepsTheTargetsPermissions)
{
    TempFolder folder;
    const std::string path = folder / "kept.csv";
    Store(path, "old\r\n");
    ::chmod(path.c_str(), 0640);
    vnCellTable table = Example();
    ASSERT_TRUE(vnDelimitedFile(&table).Write(path));
    EXPECT_EQ(Mode(path), 0640u);
    EXPECT_EQ(Contents(path), kExampleText);

    const mode_t previous = ::umask(022);
    const std::string fresh = folder / "fresh.csv";
    const bool written = vnDelimitedFile(&table).Write(fresh);
    ::umask(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(Mode(fresh), 0644u);
}

TEST(vnDelimitedFile, WriteGoesThroughSymbolicLinks)
{
    TempFolder folder;
    const std::string real = folder / "real.csv";
    const std::string link = folder / "link.csv";
    Store(real, "old\r\n");
    fs::create_symlink(real, link);
    vnCellTable table = Example();
    ASSERT_TRUE(vnDelimitedFile(&table).Write(link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Contents(real), kExampleText);
}

TEST(vnDelimitedFile, KeepsTheRowsAskedForWithTheirLinesAndCountsTheRest)
{
    vnCellTable table;
    vnDelimitedFile file(&table);
    file.KeepRows(2);
    ASSERT_TRUE(file.ReadText("a,b\n,,\n\n\"c\nd\"\n\"e\nf\"\n,\n\"\"\ng,h,i,j\n"));
    EXPECT_EQ(table.GetRowCount(), 2);
    EXPECT_EQ(table.GetColumnCount(), 2) << "a row not kept does not widen the table";
    EXPECT_EQ(table.GetCell(1, 0)->GetString(), "c d");
    EXPECT_EQ(file.GetRowLines(), (std::vector<std::int64_t>{1, 4}));
    EXPECT_EQ(file.GetRowsPast(), 3) << "an empty quoted field is not blank";
    EXPECT_EQ(file.GetFirstLinePast(), 6);
}

TEST(vnDelimitedFile, ACancelledReadLeavesTheTableAsItWas)
{
    vnCellTable table = Example();
    vnDelimitedFile file(&table);
    std::string text;
    while (text.size() < (3u << 20))
        text += "1,146.52,Fire\r\n";
    std::vector<std::uint64_t> told;
    file.SetProgress([&](std::uint64_t done, std::uint64_t total) {
        EXPECT_EQ(total, text.size());
        told.push_back(done);
        return told.size() < 2;
    });
    EXPECT_FALSE(file.ReadText(text));
    EXPECT_TRUE(file.IsCancelled());
    EXPECT_EQ(told, (std::vector<std::uint64_t>{1u << 20, 2u << 20}));
    EXPECT_EQ(table, Example());
}

TEST(vnDelimitedFile, WriteKeepsHardLinksAndLeavesNoCopyBehind)
{
    TempFolder folder;
    const std::string path = folder / "spring.csv";
    const std::string other = folder / "other-name.csv";
    Store(path, "old\r\n");
    fs::create_hard_link(path, other);
    vnCellTable table = Example();
    ASSERT_TRUE(vnDelimitedFile(&table).Write(path));
    EXPECT_EQ(Contents(other), kExampleText);
    EXPECT_TRUE(fs::equivalent(path, other));
    EXPECT_EQ(fs::hard_link_count(path), 2u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / ""), fs::directory_iterator()), 2);
}

// A failed Write must leave the previous file as it was and no temporary file
// behind.
TEST(vnDelimitedFile, FailedWriteKeepsThePreviousFile)
{
    TempFolder folder;
    vnCellTable table = Example();
    vnDelimitedFile file(&table);

    EXPECT_FALSE(file.Write(folder / "missing/channels.csv"));
    EXPECT_EQ(file.GetLastError(), "No such file or directory");

    fs::create_directory(folder / "folder.csv");
    EXPECT_FALSE(file.Write(folder / "folder.csv"));
    EXPECT_EQ(file.GetLastError(), "Is a directory");
    EXPECT_FALSE(file.Write(""));
    EXPECT_FALSE(file.Write("a\0b"s));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"folder.csv"});

    // After a success the reason is gone.
    ASSERT_TRUE(file.Write(folder / "ok.csv"));
    EXPECT_EQ(file.GetLastError(), "");
}

// The disk fills while writing: a file size limit stands in for it.
TEST(vnDelimitedFile, WriteCutShortKeepsThePreviousFile)
{
    TempFolder folder;
    const std::string path = folder / "channels.csv";
    const std::string previous = "\"previous\",1\r\n";
    Store(path, previous);

    vnCellTable table = MakeTable(20000, 2);
    for (std::int32_t row = 0; row < table.GetRowCount(); ++row)
        Put(table, row, 0, Text("Fire Department Channel"));

    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100000, 100000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        vnDelimitedFile file(&table);
        const bool written = file.Write(path);
        ::_exit(!written && file.GetLastError() == "File too large" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "Write should fail with the size limit's reason";
    EXPECT_EQ(Contents(path), previous);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"channels.csv"});

    // Without the limit the same table goes through.
    ASSERT_TRUE(vnDelimitedFile(&table).Write(path));
    EXPECT_GT(Contents(path).size(), 100000u);
}

// Permissions only bind users other than root.
TEST(vnDelimitedFile, ReadOnlyTargetStaysAsItIs)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    TempFolder folder;
    const std::string path = folder / "locked.csv";
    Store(path, "old\r\n");
    ::chmod(path.c_str(), 0444);
    vnCellTable table = Example();
    vnDelimitedFile file(&table);
    EXPECT_FALSE(file.Write(path));
    EXPECT_EQ(file.GetLastError(), "The file may not be changed (Permission denied)");
    EXPECT_TRUE(file.RefusedHere());
    EXPECT_EQ(Contents(path), "old\r\n");
}

// Reads in a child process, so that a read that waits on a pipe or never
// ends fails the test instead of hanging it.
std::string ReasonFromChild(const std::string& path)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        vnCellTable table;
        vnDelimitedFile file(&table);
        const std::string reason = file.Read(path) ? "read" : file.GetLastError();
        static_cast<void>(::write(channel[1], reason.data(), reason.size()));
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string reason = "still reading after 10 s";
    for (int wait = 0; wait < 200; ++wait) {
        if (::waitpid(child, nullptr, WNOHANG) == child) {
            char buffer[256];
            const ssize_t count = ::read(channel[0], buffer, sizeof buffer);
            reason.assign(buffer, count > 0 ? static_cast<std::size_t>(count) : 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (reason == "still reading after 10 s") {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    ::close(channel[0]);
    return reason;
}

// A pipe without a writer would wait for ever, /dev/zero never ends: only
// regular files are read, and the others are refused at once.
TEST(vnDelimitedFile, ReadsOnlyRegularFiles)
{
    TempFolder folder;
    const std::string fifo = folder / "pipe.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReasonFromChild(fifo), "Not a regular file but a named pipe");
    EXPECT_EQ(ReasonFromChild("/dev/zero"), "Not a regular file but a device");
}

TEST(vnDelimitedFile, LimitsStopReadingWithTheirReason)
{
    TempFolder folder;
    const std::string path = folder / "channels.csv";
    Store(path, "1,2\r\n\"long\r\nline\"\r\n3,4\r\n");
    vnCellTable table = Example();

    // A file over the limit leaves the table as it was.
    vnDelimitedFile small(&table, 20);
    EXPECT_FALSE(small.Read(path));
    EXPECT_EQ(small.GetLastError(), "The file is larger than 20 bytes");
    EXPECT_EQ(table, Example());
    EXPECT_TRUE(vnDelimitedFile(&table, 29).Read(path));

    // A row over the limit keeps the rows before it.
    vnDelimitedFile narrow(&table, vnInputFile::kDefaultMaxBytes, 10);
    EXPECT_FALSE(narrow.Read(path));
    EXPECT_EQ(narrow.GetLastError(), "line 2 is longer than 10 bytes");
    EXPECT_EQ(table.GetRowCount(), 1);

    // Two gigabytes that take no disk: refused by their size, not read.
    const std::string sparse = folder / "sparse.csv";
    Store(sparse, "");
    ASSERT_EQ(::truncate(sparse.c_str(), off_t{1} << 31), 0);
    vnDelimitedFile file(&table);
    EXPECT_FALSE(file.Read(sparse));
    EXPECT_EQ(file.GetLastError(), "The file is larger than 64 MiB");
}

// Standard input is a descriptor, often a pipe: read to its end, decoded and
// limited as a file is.
TEST(vnDelimitedFile, ReadsAnOpenDescriptor)
{
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const std::string bytes = "\xFF\xFE\"\0\xE9\0\"\0,\0"
                              "1\0\r\0\n\0"s;
    ASSERT_EQ(::write(channel[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(channel[1]);
    vnCellTable table;
    vnDelimitedFile file(&table);
    ASSERT_TRUE(file.ReadDescriptor(channel[0])) << file.GetLastError();
    EXPECT_EQ(file.GetEncoding(), vnTextEncoding::Utf16LittleEndian);
    EXPECT_EQ(table.GetCell(0, 0)->GetString(), "\xC3\xA9");
    EXPECT_EQ(table.GetCell(0, 1)->GetInt(), 1);
    // The descriptor stays the caller's.
    EXPECT_EQ(::fcntl(channel[0], F_GETFD), 0);
    ::close(channel[0]);

    // An endless input ends at the limit.
    const int zero = ::open("/dev/zero", O_RDONLY);
    EXPECT_FALSE(vnDelimitedFile(&table, 1000).ReadDescriptor(zero));
    ::close(zero);
}

// Another tool's bare fields come back as they are spelled, while the cells
// keep their types and the file writes back as before.
TEST(vnDelimitedFile, FieldsKeepTheirTextAsRead)
{
    vnCellTable table;
    vnDelimitedFile file(&table);
    ASSERT_TRUE(file.ReadText("02, 0.0 ,\"02\",yes,+7\r\n"));
    const char* const spelled[] = {"02", "0.0", "02", "yes", "+7"};
    for (std::int32_t column = 0; column < 5; ++column)
        EXPECT_EQ(table.GetCell(0, column)->GetSourceText(), spelled[column]);
    EXPECT_EQ(table.GetCell(0, 0)->GetInt(), 2);
    EXPECT_EQ(table.GetCell(0, 1)->GetDouble(), 0.0);
    EXPECT_EQ(file.WriteText(), "2,0.000000,\"02\",True,7\r\n");
}

} // namespace
