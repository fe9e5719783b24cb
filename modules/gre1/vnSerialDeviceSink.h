#pragma once

#include "modules/gre1/vnSerialDevice.h"

class vnByteSink;

// A serial device that hands every block written to a byte sink, whole, and
// opens nothing: the port name and line settings are not looked at. It has
// no line, so the port does not wait the line's time for its bytes and an
// upload into it takes no longer than making the bytes.
class vnSerialDeviceSink : public vnSerialDevice
{
public:
    // The sink is not owned and outlives the device.
    explicit vnSerialDeviceSink(vnByteSink& sink) : m_sink(sink) {}

    bool Open(const std::string& name, std::uint32_t baudRate, std::uint8_t stopBits, std::string* reason) override;
    bool Write(const std::uint8_t* data, std::size_t size, std::chrono::milliseconds timeout,
               vnSerialWaitObserver* observer, std::string* reason, bool* stopped) override;
    bool Close(vnSerialWaitObserver* observer, std::string* reason, bool* stopped) override;
    std::uint32_t Unsent() const override { return 0; }
    bool IsPaced() const override { return false; }

private:
    vnByteSink& m_sink;
};
