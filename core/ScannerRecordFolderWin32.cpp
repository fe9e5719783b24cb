#include "core/ScannerRecordFolder.h"

#include <cwchar>
#include <stdlib.h>
#include <windows.h>

namespace {

// Scanlore's paths are UTF-8; getenv would give the ANSI code page's bytes
// and a '?' for each letter of the profile path outside it.
std::string Utf8(const wchar_t* text)
{
    const int length = static_cast<int>(std::wcslen(text));
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text, length, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

} // namespace

std::string ScannerRecordFolder::SystemFolder()
{
    const wchar_t* local = ::_wgetenv(L"LOCALAPPDATA");
    if (local && local[0] != L'\0')
        return Utf8(local) + "\\Scanlore\\Scanners";
    return {};
}
