#pragma once

#include <cstdint>

// A terminal's output speed as a number, including rates that have no B
// constant. Apart from LineSettings because the kernel's termios2 header
// cannot share a file with the C library's <termios.h>.
class LineSpeed
{
public:
    static bool Read(int fd, std::uint32_t* baudRate);
};
