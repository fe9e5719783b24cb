#pragma once

#include <cstdint>
#include <string>

// What a file was when the program last read or wrote it: its size, its
// modification time and a hash of its bytes. Comparing a remembered stamp with
// the file's stamp now tells whether another program changed the file since.
class vnFileStamp
{
public:
    // The file's stamp now: its size and time, and the hash of its bytes
    // when withHash is set. A file that cannot be read has no stamp.
    static vnFileStamp Of(const std::string& fileName, bool withHash = true);

    bool Exists() const { return m_exists; }
    // Size and time as they were; cheap, but blind to a change within the
    // time's resolution.
    bool SameSizeAndTime(const vnFileStamp& other) const
    {
        return m_exists == other.m_exists && m_size == other.m_size && m_time == other.m_time;
    }
    // The same bytes, as far as a 64-bit hash can tell.
    bool SameContent(const vnFileStamp& other) const
    {
        return m_exists == other.m_exists && m_size == other.m_size && m_hash == other.m_hash;
    }

private:
    bool m_exists = false;
    std::uint64_t m_size = 0;
    std::int64_t m_time = 0;
    std::uint64_t m_hash = 0;
};
