#pragma once

#include "modules/vnResult.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

// The operating system's side of an open port lives in its own class; the
// port itself only keeps the settings and the state.
class vnSerialDevicePosix;
using vnSerialDevice = vnSerialDevicePosix;

// A serial device opened by name, set to 8 data bits, no parity, the chosen
// speed and stop bits and no flow control, written to in whole blocks and
// closed again. It never reads. Every operation answers with a result code;
// GetFailureReason says in words why the last one failed.
//
// Port names: a name starting with '/' is a device path, used unchanged;
// "COMn" (n >= 1, any letter case) is /dev/ttyS(n-1) on Linux. Other names
// fail Open.
//
// The port has no virtual operations; vnGre1Port adds the upload steps.
// Destroying an open port closes it.
class vnSerialPort
{
public:
    static constexpr std::uint32_t MinBaudRate = 110;
    static constexpr std::uint32_t MaxBaudRate = 256000;
    // How long Write waits for the device to take at least one byte.
    static constexpr std::chrono::milliseconds DefaultWriteTimeout{5000};

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
    // reports an error or takes no byte for the write timeout.
    vnResult Write(const void* data, std::uint32_t size);
    // Waits (bounded) until the written bytes have left the driver, then
    // closes the device. The port is closed afterwards even when E_FAIL says
    // that the output could not be delivered.
    vnResult Close();
    bool IsOpen() const;

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
    std::unique_ptr<vnSerialDevice> m_device; // set while open
    std::string m_failureReason;
    std::chrono::milliseconds m_writeTimeout = DefaultWriteTimeout;
};
