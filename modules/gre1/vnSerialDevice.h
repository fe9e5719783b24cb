#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class vnSerialWaitObserver;

// The side of an open serial port that talks to a device: the operating
// system's serial device (vnSerialDevicePosix, vnSerialDeviceWin32) or a
// stand-in such as vnSerialDeviceSink. vnSerialPort keeps the settings and
// the state and makes a device for each Open. Each failing operation
// describes its failure in words through the reason argument.
class vnSerialDevice
{
public:
    vnSerialDevice() = default;
    vnSerialDevice(const vnSerialDevice&) = delete;
    vnSerialDevice& operator=(const vnSerialDevice&) = delete;
    // Releases the device without waiting for the output.
    virtual ~vnSerialDevice() = default;

    // The longest a wait goes without telling its observer.
    static constexpr std::chrono::milliseconds WaitSlice{50};

    // The number of a port name "COMn": n from 1, the letters in any case,
    // no leading zero, nothing before or after. False for any other name.
    static bool ParseComName(const std::string& name, std::uint32_t* number);

    // The serial device of the system the program is built for; defined in
    // that platform's device file, which the build chooses.
    static std::unique_ptr<vnSerialDevice> MakeSystemDevice();

    // The port of the system's first USB serial adapter, the default while no
    // port is stored: on Linux its name under /dev/serial/by-id (the first
    // in sorted order: it stays the same when the adapter is plugged in
    // again), on Windows the lowest COM port that the registry's device map
    // gives to a USB serial driver. Empty when there is none. Goes through
    // the source a UsbPortSourceScope put in place, if any.
    static std::string FindUsbSerialPort();
    // The system's own answer; defined in the platform's device file.
    static std::string SystemUsbSerialPort();
    // What to say when no adapter is found, beyond "plug it in": on Windows,
    // that an adapter whose driver failed gives no port. Defined in the
    // platform's device file.
    static std::string MissingAdapterHint();

    // Test seam: FindUsbSerialPort answers from source while the scope lives.
    class UsbPortSourceScope
    {
    public:
        explicit UsbPortSourceScope(std::function<std::string()> source);
        ~UsbPortSourceScope();
        UsbPortSourceScope(const UsbPortSourceScope&) = delete;
        UsbPortSourceScope& operator=(const UsbPortSourceScope&) = delete;

    private:
        std::function<std::string()> m_previous;
    };

    // Opens the device exclusively and applies the line settings; on failure
    // nothing stays open.
    virtual bool Open(const std::string& name, std::uint32_t baudRate, std::uint8_t stopBits, std::string* reason) = 0;
    // Writes all bytes; fails on a device error or when the device takes no
    // byte for the timeout. While it waits for room the observer, if any, is
    // told at least every WaitSlice; when it says stop, the write gives up
    // and *stopped is set.
    virtual bool Write(const std::uint8_t* data, std::size_t size, std::chrono::milliseconds timeout,
                       vnSerialWaitObserver* observer, std::string* reason, bool* stopped) = 0;
    // Waits for the output to leave the driver, bounded by its line time
    // plus a margin, then closes. The device is released either way; false
    // when the output could not be delivered or the close failed. The
    // observer is told while it waits; when it says stop, what is queued is
    // dropped, the device closes at once and *stopped is set.
    virtual bool Close(vnSerialWaitObserver* observer, std::string* reason, bool* stopped) = 0;
    // Bytes written that still wait in the driver.
    virtual std::uint32_t Unsent() const = 0;
    // Whether written bytes go out on a line at its speed, so that the port
    // counts the line's time for them. A device that passes them on at once
    // says no, and the port then never waits for the line.
    virtual bool IsPaced() const { return true; }
};

// Makes the device for a port's next Open.
using vnSerialDeviceFactory = std::function<std::unique_ptr<vnSerialDevice>()>;
