#include "core/ScannerRecordFolder.h"

#include <gtest/gtest.h>

#include <stdlib.h>

// A profile path with letters outside the ANSI code page (Greek beside a
// Western code page) reaches the record folder whole, as UTF-8.
TEST(ScannerRecordFolderWin32, LocalAppDataOutsideTheCodePageIsReadWhole)
{
    const wchar_t* previous = ::_wgetenv(L"LOCALAPPDATA");
    const std::wstring saved = previous ? previous : L"";
    ASSERT_EQ(::_wputenv_s(L"LOCALAPPDATA", L"C:\\Users\\\x0391\x03B8\x03B7\x03BD\x03AC\\AppData\\Local"), 0);
    const std::string folder = ScannerRecordFolder::SystemFolder();
    ::_wputenv_s(L"LOCALAPPDATA", saved.c_str());
    EXPECT_EQ(folder, "C:\\Users\\\xCE\x91\xCE\xB8\xCE\xB7\xCE\xBD\xCE\xAC\\AppData\\Local\\Scanlore\\Scanners");
}
