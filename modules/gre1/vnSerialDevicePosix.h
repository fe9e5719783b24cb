#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include <termios.h>

class vnSerialWaitObserver;

// An open serial device on a POSIX system: the descriptor and the system
// calls behind vnSerialPort. Each failing operation describes its failure
// in words (device name and system error) through the reason argument.
class vnSerialDevicePosix
{
public:
    vnSerialDevicePosix() = default;
    vnSerialDevicePosix(const vnSerialDevicePosix&) = delete;
    vnSerialDevicePosix& operator=(const vnSerialDevicePosix&) = delete;
    // Releases the descriptor without waiting for the output.
    ~vnSerialDevicePosix();

    // The device path for a port name: a name starting with '/' unchanged,
    // "COMn" (n >= 1, any letter case, no leading zero) /dev/ttyS(n-1).
    // False for anything else, so nothing is opened relative to the working
    // directory.
    static bool DevicePath(const std::string& name, std::string* path);

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

    // Opens the device exclusively and applies the line settings; on failure
    // nothing stays open.
    bool Open(const std::string& name, std::uint32_t baudRate, std::uint8_t stopBits, std::string* reason);
    // Writes all bytes; fails on a device error or when the device takes no
    // byte for the timeout. While it waits for room the observer, if any, is
    // told at least every WaitSlice; when it says stop, the write gives up
    // and *stopped is set.
    bool Write(const std::uint8_t* data, std::size_t size, std::chrono::milliseconds timeout,
               vnSerialWaitObserver* observer, std::string* reason, bool* stopped);
    // Waits for the output to leave the driver, bounded by its line time
    // plus a margin, then closes. The descriptor is released either way;
    // false when the output could not be delivered or the close failed. The
    // observer is told while it waits; when it says stop, what is queued is
    // dropped, the device closes at once and *stopped is set.
    bool Close(vnSerialWaitObserver* observer, std::string* reason, bool* stopped);
    // Bytes written that still wait in the driver.
    std::uint32_t Unsent() const;

    // The longest a wait goes without telling its observer.
    static constexpr std::chrono::milliseconds WaitSlice{50};

private:
    void Release();
    std::string Describe(const std::string& what, int error) const;

    int m_fd = -1;
    bool m_locked = false; // the flock is ours, so is the line
    std::string m_label;   // the name for messages, e.g. "COM1 (/dev/ttyS0)"
    std::uint32_t m_baudRate = 0;
    std::uint8_t m_stopBits = 0;
};
