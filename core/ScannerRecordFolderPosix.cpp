#include "core/ScannerRecordFolder.h"

#include <cstdlib>

std::string ScannerRecordFolder::SystemFolder()
{
    // The XDG base directories: a relative $XDG_DATA_HOME is to be ignored.
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/')
        return std::string(data) + "/scanlore/scanners";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.local/share/scanlore/scanners";
    return {};
}
