#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

// The platform's line-settings record; <windows.h> stays out of this header
// because its S_OK and E_FAIL macros would replace the program's own.
struct _DCB;
class vnSerialWaitObserver;

// An open serial device on Windows: the handle and the Win32 calls behind
// vnSerialPort. Each failing operation describes its failure in words (port
// name and the system's message) through the reason argument.
class vnSerialDeviceWin32
{
public:
    vnSerialDeviceWin32() = default;
    vnSerialDeviceWin32(const vnSerialDeviceWin32&) = delete;
    vnSerialDeviceWin32& operator=(const vnSerialDeviceWin32&) = delete;
    // Releases the handle without waiting for the output.
    ~vnSerialDeviceWin32();

    // The device path for a port name: "COMn" (n >= 1, any letter case, no
    // leading zero) is \\.\COMn, which also reaches COM10 and above; a name
    // that starts with \\.\ is used unchanged. False for anything else, so
    // that no file of that name is opened instead.
    static bool DevicePath(const std::string& name, std::string* path);

    // Changes the device's current settings into the line the scanner
    // expects: the speed, binary mode, 8 data bits, no parity, the stop bits
    // of the code (2 two, else one), no flow control of any kind, DTR and
    // RTS off, no error or null-byte handling. Control characters and the
    // XON/XOFF limits stay as the device reported them.
    static void MakeLineSettings(_DCB* line, std::uint32_t baudRate, std::uint8_t stopBits);

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
    // plus a margin, flushes and closes. The handle is released either
    // way; false when the output could not be delivered or the close failed.
    // The observer is told while it waits; when it says stop, what is queued
    // is dropped, the device closes at once and *stopped is set.
    bool Close(vnSerialWaitObserver* observer, std::string* reason, bool* stopped);
    // Bytes written that still wait in the driver.
    std::uint32_t Unsent() const;

    // The longest a wait goes without telling its observer.
    static constexpr std::chrono::milliseconds WaitSlice{50};

private:
    void Release();
    bool SetWriteSlice(std::chrono::milliseconds slice, std::string* reason);
    std::string Describe(const std::string& what, unsigned long error) const;

    void* m_handle = nullptr; // the platform's HANDLE; null while closed
    std::string m_label;      // the name for messages, e.g. "COM5"
    std::uint32_t m_baudRate = 0;
    std::uint8_t m_stopBits = 0;
    std::chrono::milliseconds m_slice{-1}; // the write time-out set on the device; -1 not yet
};
