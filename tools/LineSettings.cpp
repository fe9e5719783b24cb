#include "tools/LineSettings.h"

#include "tools/LineSpeed.h"

#include <termios.h>

bool LineSettings::Read(int fd, LineSettings* settings)
{
    termios line{};
    if (tcgetattr(fd, &line) != 0)
        return false;
    LineSettings result;
    if (!LineSpeed::Read(fd, &result.baudRate))
        return false;
    switch (line.c_cflag & CSIZE) {
    case CS5:
        result.dataBits = 5;
        break;
    case CS6:
        result.dataBits = 6;
        break;
    case CS7:
        result.dataBits = 7;
        break;
    default:
        result.dataBits = 8;
        break;
    }
    result.parity = (line.c_cflag & PARENB) != 0;
    result.stopBits = (line.c_cflag & CSTOPB) != 0 ? 2 : 1;
    result.rtsCts = (line.c_cflag & CRTSCTS) != 0;
    result.xonXoff = (line.c_iflag & (IXON | IXOFF)) != 0;
    result.outputProcessing = (line.c_oflag & OPOST) != 0;
    result.inputProcessing =
        (line.c_lflag & (ICANON | ECHO | ISIG | IEXTEN)) != 0 || (line.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP)) != 0;
    result.ignoresModemLines = (line.c_cflag & CLOCAL) != 0;
    result.hangUpOnClose = (line.c_cflag & HUPCL) != 0;
    *settings = result;
    return true;
}
