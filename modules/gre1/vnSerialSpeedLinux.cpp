#include "modules/gre1/vnSerialSpeedLinux.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool vnSerialSpeedLinux::Set(int fd, std::uint32_t baudRate)
{
    termios2 line{};
    if (ioctl(fd, TCGETS2, &line) != 0)
        return false;
    // CIBAUD cleared: the input speed follows the output speed.
    line.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    line.c_cflag |= BOTHER;
    line.c_ispeed = baudRate;
    line.c_ospeed = baudRate;
    return ioctl(fd, TCSETS2, &line) == 0;
}

bool vnSerialSpeedLinux::Get(int fd, std::uint32_t* baudRate)
{
    termios2 line{};
    if (ioctl(fd, TCGETS2, &line) != 0)
        return false;
    *baudRate = line.c_ospeed;
    return true;
}
