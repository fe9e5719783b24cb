#include "tools/LineSpeed.h"

#if defined(__linux__)
#include <asm/termbits.h>
#include <sys/ioctl.h>

bool LineSpeed::Read(int fd, std::uint32_t* baudRate)
{
    termios2 line{};
    if (ioctl(fd, TCGETS2, &line) != 0)
        return false;
    *baudRate = line.c_ospeed;
    return true;
}
#else
#include <termios.h>

// Elsewhere speed_t holds the rate itself.
bool LineSpeed::Read(int fd, std::uint32_t* baudRate)
{
    termios line{};
    if (tcgetattr(fd, &line) != 0)
        return false;
    *baudRate = static_cast<std::uint32_t>(cfgetospeed(&line));
    return true;
}
#endif
