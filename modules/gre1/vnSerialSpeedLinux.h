#pragma once

#include <cstdint>

// Line speeds as plain numbers through the kernel's termios2 interface, for
// rates that have no B constant. Kept apart because the kernel's termios
// header cannot be included together with the C library's <termios.h>.
class vnSerialSpeedLinux
{
public:
    // Sets input and output speed of the open terminal fd to the rate.
    static bool Set(int fd, std::uint32_t baudRate);
    // The output speed of the open terminal fd (for a pseudo-terminal master:
    // of its slave side).
    static bool Get(int fd, std::uint32_t* baudRate);
};
