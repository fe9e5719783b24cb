#include "core/ScannerRecordFolder.h"

#include <cstdlib>

std::string ScannerRecordFolder::SystemFolder()
{
    const char* local = std::getenv("LOCALAPPDATA");
    if (local && local[0] != '\0')
        return std::string(local) + "\\Scanlore\\Scanners";
    return {};
}
