#include "channels/vnInputFile.h"

#include "channels/vnWords.h"
#include "res/ResourceIds.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why a file of this type is not read; empty for a regular file.
std::string Refusal(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return std::generic_category().message(EISDIR);
    if (S_ISFIFO(mode))
        return vnWords::Say(IDS_NOT_REGULAR_PIPE);
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return vnWords::Say(IDS_NOT_REGULAR_DEVICE);
    if (S_ISSOCK(mode))
        return vnWords::Say(IDS_NOT_REGULAR_SOCKET);
    return vnWords::Say(IDS_NOT_REGULAR_FILE);
}

} // namespace

int vnInputFile::OpenRegularFile(const std::string& fileName, std::uint64_t& size)
{
    // The name first, so that a device is never opened; then what was
    // opened, without waiting: a pipe put in the file's place meanwhile opens
    // at once when asked not to wait, and is refused here.
    struct stat status
    {};
    if (::stat(fileName.c_str(), &status) != 0) {
        Fail(std::generic_category().message(errno));
        return -1;
    }
    if (std::string reason = Refusal(status.st_mode); !reason.empty()) {
        Fail(reason);
        return -1;
    }
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        Fail(std::generic_category().message(errno));
        return -1;
    }
    std::string reason;
    if (::fstat(fd, &status) != 0)
        reason = std::generic_category().message(errno);
    else
        reason = Refusal(status.st_mode);
    if (!reason.empty()) {
        ::close(fd);
        Fail(reason);
        return -1;
    }
    // A regular file never waits; reading it as usual from here on.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    size = static_cast<std::uint64_t>(status.st_size);
    return fd;
}

void vnInputFile::PrepareDescriptor(int) {}
