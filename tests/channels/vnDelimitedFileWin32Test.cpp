#include "channels/vnDelimitedFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <windows.h>

namespace fs = std::filesystem;

namespace {

vnCellTable TableOf(std::int32_t rows)
{
    vnCellTable table;
    table.AddColumns(2);
    table.AddRows(rows);
    for (std::int32_t row = 0; row < rows; ++row) {
        table.GetCell(row, 0)->SetInt(row + 1);
        table.GetCell(row, 1)->SetString("Fire\r\nEMS");
    }
    return table;
}

std::string Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Windows turns line ends around in text mode and does not rename over an
// existing file: the file keeps its CR LF bytes and a second save replaces
// the first.
TEST(vnDelimitedFileWin32, WritesAndReplacesTheFileByteForByte)
{
    const fs::path folder = fs::temp_directory_path() / "scanlore-file-test";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (folder / "channels.csv").string();

    vnCellTable first = TableOf(3);
    ASSERT_TRUE(vnDelimitedFile(&first).Write(path));
    vnCellTable second = TableOf(1);
    vnDelimitedFile writer(&second);
    ASSERT_TRUE(writer.Write(path)) << writer.GetLastError();
    EXPECT_EQ(Bytes(path), "1,\"Fire EMS\"\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    vnCellTable back;
    vnDelimitedFile reader(&back);
    ASSERT_TRUE(reader.Read(path)) << reader.GetLastError();
    EXPECT_EQ(back.GetRowCount(), 1);
    EXPECT_EQ(back.GetCell(0, 1)->GetString(), "Fire EMS");
    fs::remove_all(folder);
}

// Paths are kept in UTF-8: a folder named in Greek and German letters, which
// no one ANSI code page holds, is written and read through the narrow calls.
TEST(vnDelimitedFileWin32, PathsInAnyScriptOpen)
{
    const fs::path folder = fs::temp_directory_path() / L"scanlore-\x0391\x03B8\x03B7\x03BD\x03AC-M\x00FCller";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (fs::temp_directory_path() / "scanlore-").string() +
        "\xCE\x91\xCE\xB8\xCE\xB7\xCE\xBD\xCE\xAC-M\xC3\xBCller\\channels.csv";

    vnCellTable table = TableOf(2);
    vnDelimitedFile writer(&table);
    ASSERT_TRUE(writer.Write(path)) << writer.GetLastError();
    EXPECT_TRUE(fs::exists(folder / L"channels.csv"));
    vnCellTable back;
    vnDelimitedFile reader(&back);
    ASSERT_TRUE(reader.Read(path)) << reader.GetLastError();
    EXPECT_EQ(back.GetRowCount(), 2);
    fs::remove_all(folder);
}

TEST(vnDelimitedFileWin32, AMissingFileFailsWithTheSystemsReason)
{
    vnCellTable table;
    vnDelimitedFile reader(&table);
    EXPECT_FALSE(reader.Read((fs::temp_directory_path() / "no-such-folder" / "none.csv").string()));
    EXPECT_FALSE(reader.GetLastError().empty());
}

// Devices open by name on Windows too; only a file on disk is read.
TEST(vnDelimitedFileWin32, ReadsOnlyFilesOnDisk)
{
    vnCellTable table;
    vnDelimitedFile reader(&table);
    EXPECT_FALSE(reader.Read("NUL"));
    EXPECT_EQ(reader.GetLastError(), "Not a regular file but a device");
    EXPECT_FALSE(reader.Read(fs::temp_directory_path().string()));
    EXPECT_EQ(reader.GetLastError(), "Is a directory");

    // A pipe that waits for its client opens at once, and is not read.
    const char* const pipeName = R"(\\.\pipe\scanlore-reader-test)";
    const HANDLE pipe = ::CreateNamedPipeA(pipeName, PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(reader.Read(pipeName));
    EXPECT_EQ(reader.GetLastError(), "Not a regular file but a named pipe");
    ::CloseHandle(pipe);

    const fs::path path = fs::temp_directory_path() / "scanlore-limit-test.csv";
    std::ofstream(path, std::ios::binary) << "1,2\r\n3,4\r\n";
    vnDelimitedFile small(&table, 8);
    EXPECT_FALSE(small.Read(path.string()));
    EXPECT_EQ(small.GetLastError(), "The file is larger than 8 bytes");
    fs::remove(path);
}

} // namespace
