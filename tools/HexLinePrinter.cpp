#include "tools/HexLinePrinter.h"

#include <cerrno>
#include <string>
#include <system_error>

bool HexLinePrinter::Take(const std::uint8_t* data, std::size_t size, std::string* reason)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line;
    for (std::size_t i = 0; i < size; ++i) {
        if (i > 0)
            line += ' ';
        line += kDigits[data[i] >> 4];
        line += kDigits[data[i] & 0x0F];
    }
    line += '\n';
    if (std::fputs(line.c_str(), m_out) == EOF) {
        *reason = "the bytes could not be printed: " + std::system_category().message(errno);
        return false;
    }
    return true;
}
