#pragma once

#include <cstdint>

// The line settings of a terminal as the program on its other end left
// them. Read on a pseudo-terminal's master side, they are the slave's: what
// the program set on the device it opened. A pseudo-terminal keeps speed,
// stop bits, flow control and the processing flags; it forces 8 data bits
// and no parity whatever was asked.
struct LineSettings
{
    std::uint32_t baudRate = 0;
    int dataBits = 0;
    bool parity = false;
    int stopBits = 0;
    bool rtsCts = false;            // hardware flow control
    bool xonXoff = false;           // software flow control, either direction
    bool outputProcessing = false;  // OPOST: the driver may change bytes (LF to CR LF)
    bool inputProcessing = false;   // canonical mode, echo, signals or CR/LF mapping
    bool ignoresModemLines = false; // CLOCAL
    bool hangUpOnClose = false;     // HUPCL

    // Raw: bytes pass unchanged both ways.
    bool Raw() const { return !outputProcessing && !inputProcessing; }

    static bool Read(int fd, LineSettings* settings);
};
