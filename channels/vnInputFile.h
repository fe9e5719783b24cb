#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The bytes of a file, or of a descriptor already open, read whole into
// memory up to a limit.
//
// By name only a regular file is read. A named pipe, a device or a socket is
// refused at once, before anything could wait on it or on its other end: a
// pipe without a writer waits for ever, /dev/zero never ends, and opening a
// serial port can raise its control lines. A folder is refused too. The
// check is made on the name and again on what was opened, so a name that
// changes in between cannot slip through. A descriptor is read as it is
// (standard input may well be a pipe); the limit keeps an endless one in
// bounds.
//
// Opening and the check are the platform's: vnInputFilePosix.cpp and
// vnInputFileWin32.cpp.
class vnInputFile
{
public:
    // The most a channel file can sensibly be: a million channels take about
    // 45 MB.
    static constexpr std::uint64_t kDefaultMaxBytes = std::uint64_t{64} << 20;

    explicit vnInputFile(std::uint64_t maxBytes = kDefaultMaxBytes) : m_maxBytes(maxBytes) {}

    // Reads the named regular file whole. False with a reason when it cannot
    // be opened, is not a regular file, holds more than the limit or a read
    // fails.
    bool ReadFile(const std::string& fileName);
    // Reads an open descriptor to its end and leaves it open; on Windows it is
    // switched to binary mode first. False with a reason when it holds more
    // than the limit or a read fails.
    bool ReadDescriptor(int fd);

    // The bytes read. After a read that failed part way, the bytes that came
    // before the failure; after any other failure none.
    std::string_view GetBytes() const { return m_bytes; }
    // Why the last read failed, in words; empty after a success.
    const std::string& GetError() const { return m_error; }

private:
    // The platform's part: opens a regular file for reading and gives its
    // size, or fails with the reason set.
    int OpenRegularFile(const std::string& fileName, std::uint64_t& size);
    void PrepareDescriptor(int fd);

    bool ReadAll(int fd, std::uint64_t expectedSize);
    bool Fail(std::string reason);
    bool TooLarge();

    std::uint64_t m_maxBytes;
    std::string m_bytes;
    std::string m_error;
};
