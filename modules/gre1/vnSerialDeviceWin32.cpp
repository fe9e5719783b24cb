#include "modules/gre1/vnSerialDeviceWin32.h"

#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "modules/gre1/vnSerialPort.h"
#include "modules/gre1/vnSerialQueueDrain.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <cwchar>
#include <thread>

#include <windows.h>

namespace {
using Clock = std::chrono::steady_clock;

const char DevicePrefix[] = "\\\\.\\";
constexpr std::size_t DevicePrefixLength = sizeof DevicePrefix - 1;

HANDLE AsHandle(void* handle)
{
    return static_cast<HANDLE>(handle);
}

// The system's own words for an error code, without the line break and
// full stop that end them.
std::string SystemText(DWORD error)
{
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() &&
           (message.back() == '\r' || message.back() == '\n' || message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    if (message.empty())
        message = vnWords::Say(IDS_SYSTEM_ERROR, {std::to_string(error)});
    return message;
}

// Bytes the driver still holds for sending; 0 when it cannot tell.
DWORD QueuedBytes(HANDLE handle)
{
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(handle, &errors, &status))
        return 0;
    return status.cbOutQue;
}
} // namespace

bool vnSerialDeviceWin32::IsUsbSerialDevice(const std::string& device)
{
    // Letter case as the locale-free rule has it: the process locale is the user's.
    const std::string lower = vnText::ToLower(device);
    for (const char* driver : {"usb", "vcp", "silabser", "prolific", "ch341"})
        if (lower.find(driver) != std::string::npos)
            return true;
    return false;
}

std::string vnSerialDeviceWin32::FirstUsbPort(const std::vector<std::pair<std::string, std::string>>& deviceMap)
{
    std::string first;
    std::uint32_t lowest = 0;
    for (const auto& [device, port] : deviceMap) {
        std::uint32_t number = 0;
        if (IsUsbSerialDevice(device) && ParseComName(port, &number) && (first.empty() || number < lowest)) {
            first = port;
            lowest = number;
        }
    }
    return first;
}

namespace {

std::string Narrow(const wchar_t* text, int length)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(std::max(size, 0)), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

} // namespace

std::vector<std::pair<std::string, std::string>> vnSerialDeviceWin32::SystemDeviceMap()
{
    std::vector<std::pair<std::string, std::string>> deviceMap;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return deviceMap;
    for (DWORD index = 0;; ++index) {
        wchar_t device[256];
        wchar_t port[256];
        DWORD deviceLength = 256;
        DWORD portSize = sizeof port;
        DWORD type = REG_NONE;
        const LSTATUS status =
            RegEnumValueW(key, index, device, &deviceLength, nullptr, &type, reinterpret_cast<BYTE*>(port), &portSize);
        if (status == ERROR_MORE_DATA)
            continue; // a name longer than any port's: not one
        if (status != ERROR_SUCCESS)
            break;
        if (type != REG_SZ)
            continue;
        // The data need not end in a null.
        std::wstring name(port, portSize / sizeof(wchar_t));
        name.resize(std::wcslen(name.c_str()));
        if (!name.empty())
            deviceMap.emplace_back(Narrow(device, static_cast<int>(deviceLength)),
                                   Narrow(name.c_str(), static_cast<int>(name.size())));
    }
    RegCloseKey(key);
    return deviceMap;
}

std::string vnSerialDevice::SystemUsbSerialPort()
{
    return vnSerialDeviceWin32::FirstUsbPort(vnSerialDeviceWin32::SystemDeviceMap());
}

std::string vnSerialDevice::MissingAdapterHint()
{
    return vnWords::Say(IDS_MISSING_ADAPTER_WINDOWS);
}

std::unique_ptr<vnSerialDevice> vnSerialDevice::MakeSystemDevice()
{
    return std::make_unique<vnSerialDeviceWin32>();
}

vnSerialDeviceWin32::~vnSerialDeviceWin32()
{
    Release();
}

bool vnSerialDeviceWin32::DevicePath(const std::string& name, std::string* path)
{
    if (name.find('\0') != std::string::npos)
        return false;
    if (name.size() > DevicePrefixLength && name.compare(0, DevicePrefixLength, DevicePrefix) == 0) {
        *path = name;
        return true;
    }
    std::uint32_t number = 0;
    if (!ParseComName(name, &number))
        return false;
    *path = DevicePrefix + name;
    return true;
}

void vnSerialDeviceWin32::MakeLineSettings(_DCB* line, std::uint32_t baudRate, std::uint8_t stopBits)
{
    line->BaudRate = baudRate;
    line->fBinary = TRUE;
    line->fParity = FALSE;
    line->fOutxCtsFlow = FALSE;
    line->fOutxDsrFlow = FALSE;
    line->fDtrControl = DTR_CONTROL_DISABLE;
    line->fDsrSensitivity = FALSE;
    line->fOutX = FALSE;
    line->fInX = FALSE;
    line->fErrorChar = FALSE;
    line->fNull = FALSE;
    line->fRtsControl = RTS_CONTROL_DISABLE;
    line->fAbortOnError = FALSE;
    line->wReserved = 0;
    line->ByteSize = 8;
    line->Parity = NOPARITY;
    // Code 1 (one and a half) is no line a UART gives with 8 data bits; it
    // is one, as on the other platforms.
    line->StopBits = stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
}

std::string vnSerialDeviceWin32::Describe(int text, unsigned long error) const
{
    return vnWords::Say(text, {m_label, SystemText(error)});
}

bool vnSerialDeviceWin32::Open(const std::string& name, std::uint32_t baudRate, std::uint8_t stopBits,
                               std::string* reason)
{
    Release();
    std::string path;
    if (!DevicePath(name, &path)) {
        *reason = vnWords::Say(IDS_PORT_NAME_REFUSED_WINDOWS, {name});
        return false;
    }
    m_label = name;
    m_baudRate = baudRate;
    m_stopBits = stopBits;
    m_slice = std::chrono::milliseconds(-1);

    // No sharing: the line is ours alone until Close. No flags: every call
    // on the handle is synchronous.
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
            *reason = vnWords::Say(IDS_PORT_IN_USE_BECAUSE, {m_label, SystemText(error)});
        else
            *reason = Describe(IDS_PORT_OPEN_FAILED, error);
        return false;
    }
    m_handle = handle;

    DCB line{};
    line.DCBlength = sizeof line;
    if (!GetCommState(handle, &line)) {
        *reason = Describe(IDS_PORT_NOT_SERIAL, GetLastError());
        Release();
        return false;
    }
    MakeLineSettings(&line, baudRate, stopBits);
    if (!SetCommState(handle, &line)) {
        const DWORD error = GetLastError();
        *reason = vnWords::Say(IDS_PORT_LINE_REFUSED,
                               {m_label, std::to_string(baudRate),
                                vnWords::Count(vnCounted::StopBits, stopBits == 2 ? 2 : 1), SystemText(error)});
        Release();
        return false;
    }
    return true;
}

bool vnSerialDeviceWin32::SetWriteSlice(std::chrono::milliseconds slice, std::string* reason)
{
    if (slice == m_slice)
        return true;
    // A total of 0 would mean no limit at all; the shortest limit is 1 ms.
    COMMTIMEOUTS timeouts{};
    timeouts.WriteTotalTimeoutConstant = static_cast<DWORD>(std::max<std::chrono::milliseconds::rep>(slice.count(), 1));
    if (!SetCommTimeouts(AsHandle(m_handle), &timeouts)) {
        *reason = Describe(IDS_PORT_TIMEOUT_REFUSED, GetLastError());
        return false;
    }
    m_slice = slice;
    return true;
}

bool vnSerialDeviceWin32::Write(const std::uint8_t* data, std::size_t size, std::chrono::milliseconds timeout,
                                vnSerialWaitObserver* observer, std::string* reason, bool* stopped)
{
    // Each WriteFile call ends after one slice at the latest, taken or not,
    // so that the observer is told between them and the time without
    // progress is counted here.
    if (!SetWriteSlice(std::min(timeout, WaitSlice), reason))
        return false;
    HANDLE handle = AsHandle(m_handle);
    std::size_t done = 0;
    auto lastTaken = Clock::now();
    while (done < size) {
        std::size_t left = size - done;
        DWORD chunk = left > MAXDWORD ? MAXDWORD : static_cast<DWORD>(left);
        DWORD written = 0;
        BOOL ok = WriteFile(handle, data + done, chunk, &written, nullptr);
        DWORD error = ok ? ERROR_SUCCESS : GetLastError();
        if (!ok && error != ERROR_TIMEOUT && error != ERROR_SEM_TIMEOUT) {
            *reason = Describe(IDS_PORT_WRITE_FAILED, error);
            return false;
        }
        if (written > 0) {
            done += written;
            lastTaken = Clock::now();
        }
        if (done == size)
            break;
        if (Clock::now() - lastTaken >= timeout) {
            *reason = vnWords::Say(IDS_PORT_TOOK_NO_DATA, {m_label, std::to_string(timeout.count())});
            return false;
        }
        if (observer && !observer->OnPortWait(Clock::now() - lastTaken >= vnSerialPort::StallTime)) {
            *stopped = true;
            return false;
        }
    }
    return true;
}

std::uint32_t vnSerialDeviceWin32::Unsent() const
{
    if (!m_handle)
        return 0;
    return QueuedBytes(AsHandle(m_handle));
}

bool vnSerialDeviceWin32::Close(vnSerialWaitObserver* observer, std::string* reason, bool* stopped)
{
    if (!m_handle)
        return true;
    HANDLE handle = AsHandle(m_handle);
    bool delivered = true;
    const DWORD pending = QueuedBytes(handle);
    if (pending > 0) {
        std::uint32_t left = 0;
        const auto outcome = vnSerialQueueDrain::Wait(
            pending, m_baudRate, m_stopBits, observer,
            [handle]() -> std::optional<std::uint32_t> { return QueuedBytes(handle); }, &left);
        if (outcome == vnSerialQueueDrain::Outcome::Stopped) {
            *stopped = true;
            Release();
            return false;
        }
        if (outcome == vnSerialQueueDrain::Outcome::Late) {
            delivered = false;
            *reason = vnWords::Count(vnCounted::BytesNotSent, left, {m_label});
            // Otherwise the flush below would wait for them.
            PurgeComm(handle, PURGE_TXABORT | PURGE_TXCLEAR);
        }
    }
    // The driver queue is empty; this waits only for the last characters in
    // the transmitter. A device that has gone away says so here.
    if (delivered && !FlushFileBuffers(handle)) {
        delivered = false;
        *reason = Describe(IDS_PORT_DRAIN_FAILED, GetLastError());
    }
    m_handle = nullptr;
    if (!CloseHandle(handle)) {
        if (delivered)
            *reason = Describe(IDS_PORT_CLOSE_FAILED, GetLastError());
        return false;
    }
    return delivered;
}

void vnSerialDeviceWin32::Release()
{
    if (!m_handle)
        return;
    // Nothing more will be written: drop what is queued so that closing
    // does not wait for it.
    PurgeComm(AsHandle(m_handle), PURGE_TXABORT | PURGE_TXCLEAR);
    CloseHandle(AsHandle(m_handle));
    m_handle = nullptr;
}
