#include "channels/vnInputFile.h"

#include "channels/vnWords.h"
#include "res/ResourceIds.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace {

// Why a file of this Windows type is not read; empty for a file on disk.
std::string Refusal(DWORD type)
{
    switch (type) {
    case FILE_TYPE_DISK:
        return {};
    case FILE_TYPE_PIPE:
        return vnWords::Say(IDS_NOT_REGULAR_PIPE);
    case FILE_TYPE_CHAR:
        return vnWords::Say(IDS_NOT_REGULAR_DEVICE);
    default:
        return vnWords::Say(IDS_NOT_REGULAR_FILE);
    }
}

} // namespace

int vnInputFile::OpenRegularFile(const std::string& fileName, std::uint64_t& size)
{
    // A folder cannot be opened as a file on Windows: say what it is.
    const DWORD attributes = ::GetFileAttributesA(fileName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        Fail(std::generic_category().message(EISDIR));
        return -1;
    }
    const int fd = ::_open(fileName.c_str(), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        Fail(std::generic_category().message(errno));
        return -1;
    }
    // Devices (NUL, CON, COM1) and pipes open by name as well; what was
    // opened decides, and reading has not begun.
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    std::string reason = Refusal(::GetFileType(handle));
    struct _stat64 status
    {};
    if (reason.empty() && ::_fstat64(fd, &status) != 0)
        reason = std::generic_category().message(errno);
    if (!reason.empty()) {
        ::_close(fd);
        Fail(reason);
        return -1;
    }
    size = static_cast<std::uint64_t>(status.st_size);
    return fd;
}

void vnInputFile::PrepareDescriptor(int fd)
{
    // Text mode would drop carriage returns and end the input at Ctrl+Z.
    ::_setmode(fd, _O_BINARY);
}
