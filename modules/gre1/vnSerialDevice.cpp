#include "modules/gre1/vnSerialDevice.h"

#include "channels/vnText.h"

#include <charconv>
#include <string_view>
#include <utility>

bool vnSerialDevice::ParseComName(const std::string& name, std::uint32_t* number)
{
    constexpr std::string_view prefix = "com";
    if (name.size() <= prefix.size() || !vnText::EqualsNoCase(std::string_view(name).substr(0, prefix.size()), prefix))
        return false;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size();
    // "COM01" would be a second name for COM1; from_chars itself refuses a
    // sign or a blank.
    if (*first == '0')
        return false;
    std::uint32_t value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || value < 1)
        return false;
    *number = value;
    return true;
}

namespace {

std::function<std::string()>& UsbPortSource()
{
    static std::function<std::string()> source;
    return source;
}

} // namespace

std::string vnSerialDevice::FindUsbSerialPort()
{
    return UsbPortSource() ? UsbPortSource()() : SystemUsbSerialPort();
}

vnSerialDevice::UsbPortSourceScope::UsbPortSourceScope(std::function<std::string()> source)
    : m_previous(std::exchange(UsbPortSource(), std::move(source)))
{}

vnSerialDevice::UsbPortSourceScope::~UsbPortSourceScope()
{
    UsbPortSource() = std::move(m_previous);
}
