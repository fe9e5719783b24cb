#include "modules/gre1/vnSerialPort.h"

#include "modules/gre1/vnSerialDevicePosix.h"

vnSerialPort::vnSerialPort() = default;

vnSerialPort::~vnSerialPort()
{
    Close();
}

vnResult vnSerialPort::SetName(const std::string& name)
{
    m_name = name;
    return S_OK;
}

vnResult vnSerialPort::GetName(std::string* name) const
{
    if (!name)
        return E_INVALIDARG;
    *name = m_name;
    return S_OK;
}

vnResult vnSerialPort::SetBaudRate(std::uint32_t baudRate)
{
    if (baudRate < MinBaudRate || baudRate > MaxBaudRate) {
        m_failureReason = std::to_string(baudRate) + " baud is not a speed from 110 to 256000";
        return E_INVALIDARG;
    }
    m_baudRate = baudRate;
    return S_OK;
}

vnResult vnSerialPort::GetBaudRate(std::uint32_t* baudRate) const
{
    if (!baudRate)
        return E_INVALIDARG;
    *baudRate = m_baudRate;
    return S_OK;
}

vnResult vnSerialPort::SetStopBits(std::uint8_t stopBits)
{
    if (stopBits > 2) {
        m_failureReason = "stop-bits code " + std::to_string(stopBits) + " is not 0, 1 or 2";
        return E_INVALIDARG;
    }
    m_stopBits = stopBits;
    return S_OK;
}

vnResult vnSerialPort::GetStopBits(std::uint8_t* stopBits) const
{
    if (!stopBits)
        return E_INVALIDARG;
    *stopBits = m_stopBits;
    return S_OK;
}

vnResult vnSerialPort::Configure(const std::string& name, std::uint32_t baudRate, std::uint8_t stopBits)
{
    vnResult result = SetName(name);
    if (vnFailed(result))
        return result;
    result = SetBaudRate(baudRate);
    if (vnFailed(result))
        return result;
    return SetStopBits(stopBits);
}

vnResult vnSerialPort::Open()
{
    if (m_device)
        return S_OK;
    m_failureReason.clear();
    auto device = std::make_unique<vnSerialDevice>();
    if (!device->Open(m_name, m_baudRate, m_stopBits, &m_failureReason))
        return E_FAIL;
    m_device = std::move(device);
    return S_OK;
}

vnResult vnSerialPort::Write(const void* data, std::uint32_t size)
{
    if (!m_device) {
        m_failureReason = (m_name.empty() ? std::string("the serial port") : m_name) + " is not open";
        return E_FAIL;
    }
    if (size == 0)
        return S_OK;
    if (!data) {
        m_failureReason = "no data to write";
        return E_FAIL;
    }
    if (!m_device->Write(static_cast<const std::uint8_t*>(data), size, m_writeTimeout, &m_failureReason))
        return E_FAIL;
    return S_OK;
}

vnResult vnSerialPort::Close()
{
    if (!m_device)
        return S_OK;
    // The system releases the descriptor even when closing reports an
    // error, so the port is closed afterwards in any case.
    bool closed = m_device->Close(&m_failureReason);
    m_device.reset();
    return closed ? S_OK : E_FAIL;
}

bool vnSerialPort::IsOpen() const
{
    return m_device != nullptr;
}

std::string vnSerialPort::GetFailureReason() const
{
    return m_failureReason;
}

void vnSerialPort::SetWriteTimeout(std::chrono::milliseconds timeout)
{
    m_writeTimeout = timeout;
}

std::chrono::milliseconds vnSerialPort::GetWriteTimeout() const
{
    return m_writeTimeout;
}
