#include "channels/vnInputFile.h"

#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 16;

} // namespace

bool vnInputFile::Fail(std::string reason)
{
    m_error = std::move(reason);
    return false;
}

bool vnInputFile::TooLarge()
{
    std::string().swap(m_bytes);
    return Fail(vnWords::Say(IDS_FILE_TOO_LARGE, {vnText::ByteSize(m_maxBytes)}));
}

bool vnInputFile::ReadFile(const std::string& fileName)
{
    std::string().swap(m_bytes);
    m_error.clear();
    if (fileName.find('\0') != std::string::npos)
        return Fail(std::generic_category().message(EINVAL));
    std::uint64_t size = 0;
    const int fd = OpenRegularFile(fileName, size);
    if (fd < 0)
        return false;
    const bool read = size > m_maxBytes ? TooLarge() : ReadAll(fd, size);
    ::close(fd);
    return read;
}

bool vnInputFile::ReadDescriptor(int fd)
{
    std::string().swap(m_bytes);
    m_error.clear();
    PrepareDescriptor(fd);
    return ReadAll(fd, 0);
}

bool vnInputFile::ReadAll(int fd, std::uint64_t expectedSize)
{
    // One byte beyond the limit tells a file that is too large. The storage
    // grows by doubling but never much past the limit; a file of known size
    // has room for the read that finds its end, so it is never copied.
    const std::uint64_t ceiling = m_maxBytes + 1;
    try {
        m_bytes.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(expectedSize + kBlock, ceiling)));
        for (;;) {
            const std::uint64_t left = ceiling - m_bytes.size();
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, left));
            const std::size_t have = m_bytes.size();
            if (m_bytes.capacity() < have + want)
                m_bytes.reserve(
                    static_cast<std::size_t>(std::min<std::uint64_t>(2 * m_bytes.capacity() + want, ceiling)));
            m_bytes.resize(have + want);
            const auto count = ::read(fd, m_bytes.data() + have, static_cast<unsigned>(want));
            if (count < 0) {
                const int error = errno;
                m_bytes.resize(have);
                if (error == EINTR)
                    continue;
                return Fail(std::generic_category().message(error));
            }
            m_bytes.resize(have + static_cast<std::size_t>(count));
            if (m_bytes.size() > m_maxBytes)
                return TooLarge();
            if (count == 0)
                return true;
        }
    } catch (const std::exception&) {
        std::string().swap(m_bytes);
        return Fail(std::generic_category().message(ENOMEM));
    }
}
