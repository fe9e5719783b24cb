#include "modules/gre1/vnSerialDeviceSink.h"

#include "modules/vnByteSink.h"

bool vnSerialDeviceSink::Open(const std::string&, std::uint32_t, std::uint8_t, std::string*)
{
    return true;
}

// The sink takes a block at once or not at all, so there is nothing to wait
// for and nothing to stop.
bool vnSerialDeviceSink::Write(const std::uint8_t* data, std::size_t size, std::chrono::milliseconds,
                               vnSerialWaitObserver*, std::string* reason, bool*)
{
    return m_sink.Take(data, size, reason);
}

bool vnSerialDeviceSink::Close(vnSerialWaitObserver*, std::string*, bool*)
{
    return true;
}
