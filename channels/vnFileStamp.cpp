#include "channels/vnFileStamp.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace {

// FNV-1a: simple, and ample to tell an edited file from the one read.
constexpr std::uint64_t kOffsetBasis = 14695981039346656037ull;
constexpr std::uint64_t kPrime = 1099511628211ull;
constexpr std::size_t kBlock = 1 << 16;

} // namespace

vnFileStamp vnFileStamp::Of(const std::string& fileName, bool withHash)
{
    vnFileStamp stamp;
    std::error_code error;
    const std::filesystem::path path(fileName);
    if (!std::filesystem::is_regular_file(path, error))
        return stamp;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return stamp;
    const auto time = std::filesystem::last_write_time(path, error);
    if (error)
        return stamp;
    stamp.m_size = size;
    stamp.m_time = static_cast<std::int64_t>(time.time_since_epoch().count());
    if (withHash) {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return stamp;
        std::vector<char> block(kBlock);
        std::uint64_t hash = kOffsetBasis;
        while (in) {
            in.read(block.data(), static_cast<std::streamsize>(block.size()));
            for (std::streamsize i = 0; i < in.gcount(); ++i) {
                hash ^= static_cast<unsigned char>(block[static_cast<std::size_t>(i)]);
                hash *= kPrime;
            }
        }
        if (in.bad())
            return stamp;
        stamp.m_hash = hash;
    }
    stamp.m_exists = true;
    return stamp;
}
