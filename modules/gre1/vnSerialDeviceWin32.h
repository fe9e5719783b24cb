#pragma once

#include "modules/gre1/vnSerialDevice.h"

#include <string>
#include <utility>
#include <vector>

// The platform's line-settings record; <windows.h> stays out of this header
// because its S_OK and E_FAIL macros would replace the program's own.
struct _DCB;

// A serial device on Windows: the handle and the Win32 calls behind
// vnSerialPort. Failures name the port and give the system's message.
class vnSerialDeviceWin32 : public vnSerialDevice
{
public:
    vnSerialDeviceWin32() = default;
    // Releases the handle without waiting for the output.
    ~vnSerialDeviceWin32() override;

    // The device path for a port name: "COMn" (as ParseComName reads it) is
    // \\.\COMn, which also reaches COM10 and above; a name
    // that starts with \\.\ is used unchanged. False for anything else, so
    // that no file of that name is opened instead.
    static bool DevicePath(const std::string& name, std::string* path);

    // Whether a kernel device name of the registry's serial device map
    // ("\\Device\\VCP0") belongs to a USB serial driver: it contains, in any
    // letter case, USB (usbser, the class driver), VCP (FTDI), SILABSER
    // (Silicon Labs CP210x), PROLIFIC (PL2303) or CH341 (WCH CH340/CH341).
    static bool IsUsbSerialDevice(const std::string& device);
    // Of the map's (device, port) pairs, the USB one with the lowest COM
    // number; empty when there is none.
    static std::string FirstUsbPort(const std::vector<std::pair<std::string, std::string>>& deviceMap);
    // The registry's device map of serial ports: the kernel's device name
    // (\Device\Serial0, \Device\VCP0 for a USB adapter) and the port's
    // name ("COM3"), one pair per port that has a name.
    static std::vector<std::pair<std::string, std::string>> SystemDeviceMap();

    // Changes the device's current settings into the line the scanner
    // expects: the speed, binary mode, 8 data bits, no parity, the stop bits
    // of the code (2 two, else one), no flow control of any kind, DTR and
    // RTS off, no error or null-byte handling. Control characters and the
    // XON/XOFF limits stay as the device reported them.
    static void MakeLineSettings(_DCB* line, std::uint32_t baudRate, std::uint8_t stopBits);

    // Closing also flushes the device's buffers.
    bool Open(const std::string& name, std::uint32_t baudRate, std::uint8_t stopBits, std::string* reason) override;
    bool Write(const std::uint8_t* data, std::size_t size, std::chrono::milliseconds timeout,
               vnSerialWaitObserver* observer, std::string* reason, bool* stopped) override;
    bool Close(vnSerialWaitObserver* observer, std::string* reason, bool* stopped) override;
    std::uint32_t Unsent() const override;

private:
    void Release();
    bool SetWriteSlice(std::chrono::milliseconds slice, std::string* reason);
    // The catalogue text with this id about the port, the system's reason
    // for error put in.
    std::string Describe(int text, unsigned long error) const;

    void* m_handle = nullptr; // the platform's HANDLE; null while closed
    std::string m_label;      // the name for messages, e.g. "COM5"
    std::uint32_t m_baudRate = 0;
    std::uint8_t m_stopBits = 0;
    std::chrono::milliseconds m_slice{-1}; // the write time-out set on the device; -1 not yet
};
