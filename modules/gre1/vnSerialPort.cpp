#include "modules/gre1/vnSerialPort.h"

#include "channels/vnWords.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// The port's name for the user.
std::string ShownName(const std::string& name)
{
    return name.empty() ? vnWords::Say(IDS_THE_SERIAL_PORT) : name;
}

} // namespace

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
        m_failureReason = vnWords::Say(IDS_BAUD_REFUSED, {std::to_string(baudRate)});
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
        m_failureReason = vnWords::Say(IDS_STOP_BITS_REFUSED, {std::to_string(stopBits)});
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
    std::unique_ptr<vnSerialDevice> device = m_makeDevice ? m_makeDevice() : vnSerialDevice::MakeSystemDevice();
    if (!device || !device->Open(m_name, m_baudRate, m_stopBits, &m_failureReason))
        return E_FAIL;
    m_device = std::move(device);
    m_lineFreeAt = Clock::now();
    m_bytesWritten = 0;
    return S_OK;
}

vnResult vnSerialPort::Write(const void* data, std::uint32_t size)
{
    if (!m_device) {
        m_failureReason = vnWords::Say(IDS_PORT_NOT_OPEN, {ShownName(m_name)});
        return E_FAIL;
    }
    if (size == 0)
        return S_OK;
    if (!data) {
        m_failureReason = vnWords::Say(IDS_NO_DATA_TO_WRITE);
        return E_FAIL;
    }
    bool stopped = false;
    if (!m_device->Write(static_cast<const std::uint8_t*>(data), size, m_writeTimeout, m_observer, &m_failureReason,
                         &stopped)) {
        if (stopped) {
            // Dropping what is queued, so that closing does not wait for it.
            m_device.reset();
            return E_ABORT;
        }
        return E_FAIL;
    }
    if (m_device->IsPaced())
        m_lineFreeAt = std::max(m_lineFreeAt, Clock::now()) + ByteTime() * size;
    m_bytesWritten += size;
    return S_OK;
}

std::chrono::nanoseconds vnSerialPort::ByteTime() const
{
    const std::uint32_t bits = 1 + 8 + (m_stopBits == 2 ? 2 : 1);
    return std::chrono::nanoseconds(std::chrono::seconds(bits)) / std::max<std::uint32_t>(m_baudRate, 1);
}

std::uint32_t vnSerialPort::GetUnsentBytes() const
{
    if (!m_device)
        return 0;
    const auto ahead = m_lineFreeAt - Clock::now();
    std::uint32_t onLine = 0;
    if (ahead > Clock::duration::zero())
        onLine = static_cast<std::uint32_t>((ahead + ByteTime() - std::chrono::nanoseconds(1)) / ByteTime());
    return std::max(onLine, m_device->Unsent());
}

vnResult vnSerialPort::WaitForLine(std::uint32_t maxUnsent)
{
    if (!m_device)
        return S_OK;
    auto lastMoved = Clock::now();
    std::uint32_t inDriver = m_device->Unsent();
    for (;;) {
        const std::uint32_t unsent = GetUnsentBytes();
        if (unsent <= maxUnsent)
            return S_OK;
        // Bytes in the driver that do not move mean a stuck line; bytes
        // that only the line time holds back are on their way.
        const std::uint32_t nowInDriver = m_device->Unsent();
        if (nowInDriver < inDriver || nowInDriver == 0)
            lastMoved = Clock::now();
        inDriver = nowInDriver;
        const auto still = Clock::now() - lastMoved;
        if (still >= m_writeTimeout) {
            m_failureReason =
                vnWords::Say(IDS_PORT_WRITE_TIMEOUT, {ShownName(m_name), std::to_string(m_writeTimeout.count())});
            return E_FAIL;
        }
        if (m_observer && !m_observer->OnPortWait(still >= StallTime)) {
            m_device.reset();
            return E_ABORT;
        }
        std::this_thread::sleep_for(
            std::min<Clock::duration>(ByteTime() * (unsent - maxUnsent), vnSerialDevice::WaitSlice));
    }
}

vnResult vnSerialPort::Close()
{
    if (!m_device)
        return S_OK;
    // The system releases the descriptor even when closing reports an
    // error, so the port is closed afterwards in any case.
    bool stopped = false;
    bool closed = m_device->Close(m_observer, &m_failureReason, &stopped);
    m_device.reset();
    if (stopped)
        return E_ABORT;
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

void vnSerialPort::SetDeviceFactory(vnSerialDeviceFactory factory)
{
    Close();
    m_makeDevice = std::move(factory);
}

void vnSerialPort::SetWriteTimeout(std::chrono::milliseconds timeout)
{
    m_writeTimeout = timeout;
}

std::chrono::milliseconds vnSerialPort::GetWriteTimeout() const
{
    return m_writeTimeout;
}
