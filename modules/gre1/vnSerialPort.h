#pragma once

#include "modules/gre1/vnSerialDevice.h"
#include "modules/vnResult.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

// Told while a port waits (for room in the driver, for the line to take the
// bytes written, for the last bytes to leave), at least every 50 ms, so that
// a window can paint and offer Cancel meanwhile. stalled: the line has taken
// no byte for StallTime. Answering false stops the wait: the port drops what
// is queued, closes and the operation answers E_ABORT.
class vnSerialWaitObserver
{
public:
    virtual ~vnSerialWaitObserver() = default;
    virtual bool OnPortWait(bool stalled) = 0;
};

// A serial device opened by name, set to 8 data bits, no parity, the chosen
// speed and stop bits and no flow control, written to in whole blocks and
// closed again. It never reads. Every operation answers with a result code;
// GetFailureReason says in words why the last one failed.
//
// Port names: on Linux, a name starting with '/' is a device path, used
// unchanged, and "COMn" (n >= 1, any letter case) is /dev/ttyS(n-1); on
// Windows, "COMn" is \\.\COMn and a name starting with \\.\ is used
// unchanged. Other names fail Open.
//
// The port keeps the settings and the state; each Open makes a device for
// the talking, the system's serial device unless the port was given another
// kind. The port has no virtual operations; vnGre1Port adds the upload
// steps. Destroying an open port closes it.
class vnSerialPort
{
public:
    static constexpr std::uint32_t MinBaudRate = 110;
    static constexpr std::uint32_t MaxBaudRate = 256000;
    // How long Write waits for the device to take at least one byte.
    static constexpr std::chrono::milliseconds DefaultWriteTimeout{5000};
    // A line that has taken nothing for this long counts as stalled.
    static constexpr std::chrono::milliseconds StallTime{250};

    vnSerialPort();
    vnSerialPort(const vnSerialPort&) = delete;
    vnSerialPort& operator=(const vnSerialPort&) = delete;
    ~vnSerialPort();

    // The getters answer E_INVALIDARG for a null place.
    vnResult SetName(const std::string& name);
    vnResult GetName(std::string* name) const;
    // 110 to 256000; otherwise E_INVALIDARG and the old rate stays.
    vnResult SetBaudRate(std::uint32_t baudRate);
    vnResult GetBaudRate(std::uint32_t* baudRate) const;
    // 0 one stop bit, 1 also one stop bit (one and a half is not possible
    // with 8 data bits), 2 two stop bits; otherwise E_INVALIDARG and the old
    // code stays.
    vnResult SetStopBits(std::uint8_t stopBits);
    vnResult GetStopBits(std::uint8_t* stopBits) const;
    // SetName, SetBaudRate, SetStopBits; stops at the first failure.
    vnResult Configure(const std::string& name, std::uint32_t baudRate, std::uint8_t stopBits);

    // Opens the device exclusively and applies the line settings. Succeeds
    // without doing anything when the port is already open.
    vnResult Open();
    // Writes the whole block; E_FAIL when the port is closed, the device
    // reports an error or takes no byte for the write timeout; E_ABORT, with
    // the port closed, when the wait observer stopped it.
    vnResult Write(const void* data, std::uint32_t size);
    // Waits (bounded) until the written bytes have left the driver, then
    // closes the device. The port is closed afterwards even when E_FAIL says
    // that the output could not be delivered, or E_ABORT that the wait
    // observer stopped the wait.
    vnResult Close();
    bool IsOpen() const;

    // Bytes written since Open that have not left on the line yet: what the
    // driver still holds, or what the line cannot have sent at its speed in
    // the time since, whichever is more. Pseudo-terminals and many USB
    // adapters report an empty driver while bytes still wait, so the line's
    // own time is the better measure for them.
    std::uint32_t GetUnsentBytes() const;
    // Bytes written since the port was opened.
    std::uint64_t GetBytesWritten() const { return m_bytesWritten; }
    // Waits until at most maxUnsent bytes have not left yet. E_ABORT, with
    // the port closed, when the wait observer stops the wait; E_FAIL when
    // the driver holds bytes that do not move for the write timeout.
    vnResult WaitForLine(std::uint32_t maxUnsent);
    // The line time of one byte: start bit, 8 data bits, the stop bits.
    std::chrono::nanoseconds ByteTime() const;

    // What the next Open makes its device with; an empty factory goes back
    // to the system's serial device. An open port is closed first, so that
    // no byte meant for the new device reaches the old one.
    void SetDeviceFactory(vnSerialDeviceFactory factory);

    // Optional, not owned: told while Write, WaitForLine and Close wait.
    void SetWaitObserver(vnSerialWaitObserver* observer) { m_observer = observer; }

    // Why the last failed operation failed, for the user, for example
    // "/dev/ttyUSB0 could not be opened: Permission denied". Empty when
    // nothing has failed since the last Open began.
    std::string GetFailureReason() const;

    void SetWriteTimeout(std::chrono::milliseconds timeout);
    std::chrono::milliseconds GetWriteTimeout() const;

private:
    std::string m_name;
    // Until configured, the line of the GRE scanners: 4800 baud, two stop bits.
    std::uint32_t m_baudRate = 4800;
    std::uint8_t m_stopBits = 2;
    vnSerialDeviceFactory m_makeDevice;       // empty: the system's device
    std::unique_ptr<vnSerialDevice> m_device; // set while open
    std::string m_failureReason;
    std::chrono::milliseconds m_writeTimeout = DefaultWriteTimeout;
    vnSerialWaitObserver* m_observer = nullptr;
    // When the line will have sent everything written so far.
    std::chrono::steady_clock::time_point m_lineFreeAt{};
    std::uint64_t m_bytesWritten = 0;
};
