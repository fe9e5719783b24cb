#pragma once

#include "modules/gre1/vnSerialDevice.h"

#include <termios.h>

// A serial device on a POSIX system: the descriptor and the system calls
// behind vnSerialPort. Failures name the device and give the system's error.
class vnSerialDevicePosix : public vnSerialDevice
{
public:
    vnSerialDevicePosix() = default;
    // Releases the descriptor without waiting for the output.
    ~vnSerialDevicePosix() override;

    // The device path for a port name: a name starting with '/' unchanged,
    // "COMn" (as ParseComName reads it) /dev/ttyS(n-1).
    // False for anything else, so nothing is opened relative to the working
    // directory.
    static bool DevicePath(const std::string& name, std::string* path);

    // The first entry of a folder of stable device names, in sorted order,
    // as a path; empty when the folder is missing or empty.
    static std::string FirstInFolder(const std::string& folder);

    // The line settings for the device, built from its current ones: raw
    // 8 data bits, no parity, receiver on, modem lines ignored, no flow
    // control, no input or output processing, no hang-up on close, the
    // stop bits of the code (2 two, else one) and the speed when the system
    // has a constant for it. customSpeed tells whether the speed still has to
    // be set as a number. Control characters are left as they were.
    static termios MakeLineSettings(const termios& current, std::uint32_t baudRate, std::uint8_t stopBits,
                                    bool* customSpeed);

    // The system's speed constant for a rate, or B0 when it has none.
    static speed_t SpeedConstant(std::uint32_t baudRate);

    bool Open(const std::string& name, std::uint32_t baudRate, std::uint8_t stopBits, std::string* reason) override;
    bool Write(const std::uint8_t* data, std::size_t size, std::chrono::milliseconds timeout,
               vnSerialWaitObserver* observer, std::string* reason, bool* stopped) override;
    bool Close(vnSerialWaitObserver* observer, std::string* reason, bool* stopped) override;
    std::uint32_t Unsent() const override;

private:
    void Release();
    // The catalogue text with this id about the port, the system's reason
    // for error put in.
    std::string Describe(int text, int error) const;

    int m_fd = -1;
    bool m_locked = false; // the flock is ours, so is the line
    std::string m_label;   // the name for messages, e.g. "COM1 (/dev/ttyS0)"
    std::uint32_t m_baudRate = 0;
    std::uint8_t m_stopBits = 0;
};
