#include "registry/vnRegistrySettingsStore.h"

#include <charconv>
#include <limits>
#include <optional>

#include <windows.h>

namespace {

std::optional<std::wstring> Wide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return std::nullopt;
    int size = static_cast<int>(text.size());
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& wide)
{
    if (wide.empty())
        return {};
    int size = static_cast<int>(wide.size());
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

// One stored value as it is in the registry: its type and its data.
struct RegistryValue
{
    DWORD type = REG_NONE;
    DWORD number = 0;
    std::wstring text; // REG_SZ
    std::string bytes; // REG_BINARY
};

std::optional<RegistryValue> ReadValue(const std::string& key, const std::string& name)
{
    auto wideKey = Wide(key);
    auto wideName = Wide(name);
    if (!wideKey || !wideName)
        return std::nullopt;
    const DWORD accepted = RRF_RT_REG_DWORD | RRF_RT_REG_SZ | RRF_RT_REG_BINARY;
    RegistryValue value;
    DWORD size = 0;
    // Asks for the size first; a string may change between the two calls,
    // so the read is retried while it keeps growing.
    for (int attempt = 0; attempt < 4; ++attempt) {
        LSTATUS status =
            RegGetValueW(HKEY_CURRENT_USER, wideKey->c_str(), wideName->c_str(), accepted, &value.type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            return std::nullopt;
        if (value.type == REG_DWORD) {
            size = sizeof value.number;
            status = RegGetValueW(HKEY_CURRENT_USER, wideKey->c_str(), wideName->c_str(), RRF_RT_REG_DWORD, nullptr,
                                  &value.number, &size);
            if (status != ERROR_SUCCESS)
                return std::nullopt;
            return value;
        }
        if (value.type == REG_BINARY) {
            value.bytes.assign(size, '\0');
            status = RegGetValueW(HKEY_CURRENT_USER, wideKey->c_str(), wideName->c_str(), RRF_RT_REG_BINARY, nullptr,
                                  value.bytes.data(), &size);
            if (status == ERROR_MORE_DATA)
                continue;
            if (status != ERROR_SUCCESS)
                return std::nullopt;
            value.bytes.resize(size);
            return value;
        }
        value.text.assign(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(value.text.size() * sizeof(wchar_t));
        status = RegGetValueW(HKEY_CURRENT_USER, wideKey->c_str(), wideName->c_str(), RRF_RT_REG_SZ, nullptr,
                              value.text.data(), &size);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return std::nullopt;
        // The size counts the terminating null, which RegGetValue adds.
        value.text.resize(size >= sizeof(wchar_t) ? size / sizeof(wchar_t) - 1 : 0);
        return value;
    }
    return std::nullopt;
}

bool WriteValue(const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size)
{
    auto wideKey = Wide(key);
    auto wideName = Wide(name);
    if (!wideKey || !wideName)
        return false;
    // Creates the key, and the keys above it, when needed.
    return RegSetKeyValueW(HKEY_CURRENT_USER, wideKey->c_str(), wideName->c_str(), type, data, size) == ERROR_SUCCESS;
}

std::optional<std::int32_t> ParseDecimal(const std::string& text)
{
    std::size_t first = text.find_first_not_of(" \t");
    std::size_t last = text.find_last_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+')
        ++begin;
    std::int32_t number = 0;
    auto [stop, error] = std::from_chars(begin, end, number);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

} // namespace

vnRegistrySettingsStore::vnRegistrySettingsStore(const std::string& company, const std::string& application)
    : m_root("Software\\" + company + "\\" + application)
{}

std::string vnRegistrySettingsStore::KeyPath(const std::string& section) const
{
    return section.empty() ? m_root : m_root + "\\" + section;
}

std::int32_t vnRegistrySettingsStore::GetSettingInt(const std::string& section, const std::string& name,
                                                    std::int32_t defaultValue) const
{
    auto value = ReadValue(KeyPath(section), name);
    if (!value)
        return defaultValue;
    if (value->type == REG_DWORD)
        return static_cast<std::int32_t>(value->number);
    if (value->type == REG_BINARY)
        return defaultValue;
    return ParseDecimal(Narrow(value->text)).value_or(defaultValue);
}

bool vnRegistrySettingsStore::SetSettingInt(const std::string& section, const std::string& name, std::int32_t value)
{
    DWORD number = static_cast<DWORD>(value);
    return WriteValue(KeyPath(section), name, REG_DWORD, &number, sizeof number);
}

std::string vnRegistrySettingsStore::GetSettingString(const std::string& section, const std::string& name,
                                                      const std::string& defaultValue) const
{
    auto value = ReadValue(KeyPath(section), name);
    if (!value)
        return defaultValue;
    if (value->type == REG_DWORD)
        return std::to_string(static_cast<std::int32_t>(value->number));
    if (value->type == REG_BINARY)
        return value->bytes;
    return Narrow(value->text);
}

bool vnRegistrySettingsStore::SetSettingString(const std::string& section, const std::string& name,
                                               const std::string& value)
{
    auto wide = Wide(value);
    if (!wide) {
        // Bytes that are not UTF-8 have no UTF-16 form: they are kept as
        // they are, so that they read back unchanged.
        if (value.size() > std::numeric_limits<DWORD>::max())
            return false;
        return WriteValue(KeyPath(section), name, REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
    }
    // The stored size counts the terminating null.
    auto size = (wide->size() + 1) * sizeof(wchar_t);
    if (size > std::numeric_limits<DWORD>::max())
        return false;
    return WriteValue(KeyPath(section), name, REG_SZ, wide->c_str(), static_cast<DWORD>(size));
}
