// Reads a Windows program's version resource and icon the way Explorer's
// Properties and the shell do, and checks them against this build's version:
//   version_resource_check <program.exe>
// Prints each difference and exits 1 when there is one.
#include "ScanloreVersion.h"

#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

#include <shellapi.h>

namespace {

int failures = 0;

void Expect(bool condition, const std::string& what)
{
    if (!condition) {
        std::fprintf(stderr, "version_resource_check: %s\n", what.c_str());
        ++failures;
    }
}

std::string Narrow(const std::wstring& wide)
{
    return std::string(wide.begin(), wide.end()); // the values checked are ASCII
}

std::wstring StringValue(const std::vector<char>& block, const std::wstring& name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\040904b0\\" + name;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0)
        return {};
    return std::wstring(static_cast<const wchar_t*>(value));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: version_resource_check PROGRAM.EXE\n", stderr);
        return 2;
    }
    const std::string program = argv[1];
    const std::wstring path(program.begin(), program.end());
    const std::string version = SCANLORE_VERSION;
    const std::wstring wideVersion(version.begin(), version.end());

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) {
        std::fprintf(stderr, "version_resource_check: %s has no version resource\n", program.c_str());
        return 1;
    }
    std::vector<char> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) {
        std::fprintf(stderr, "version_resource_check: cannot read the version of %s\n", program.c_str());
        return 1;
    }

    const std::string name = program.substr(program.find_last_of("/\\") + 1);
    Expect(StringValue(block, L"FileVersion") == wideVersion,
           "FileVersion is " + Narrow(StringValue(block, L"FileVersion")) + ", not " + version);
    Expect(StringValue(block, L"ProductVersion") == wideVersion, "ProductVersion is not " + version);
    Expect(StringValue(block, L"ProductName") == L"Scanlore", "ProductName is not Scanlore");
    Expect(StringValue(block, L"CompanyName") == L"Pellmark", "CompanyName is not Pellmark");
    Expect(StringValue(block, L"LegalCopyright").find(L"GNU General Public License") != std::wstring::npos,
           "LegalCopyright does not name the licence");
    Expect(!StringValue(block, L"FileDescription").empty(), "FileDescription is empty");
    Expect(Narrow(StringValue(block, L"OriginalFilename")) == name, "OriginalFilename is not " + name);

    // The numbers beside the texts: major and minor as in "0.20".
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) && fixed) {
        const unsigned major = std::stoul(version.substr(0, version.find('.')));
        const unsigned minor = std::stoul(version.substr(version.find('.') + 1));
        Expect(HIWORD(fixed->dwFileVersionMS) == major && LOWORD(fixed->dwFileVersionMS) == minor,
               "the numeric file version is " + std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                   std::to_string(LOWORD(fixed->dwFileVersionMS)));
    } else {
        Expect(false, "no numeric file version");
    }

    // The icon Explorer shows for the file.
    Expect(ExtractIconExW(path.c_str(), -1, nullptr, nullptr, 0) >= 1, "no icon");

    if (failures == 0)
        std::printf("%s %s: version, product, company, licence and icon as built\n", name.c_str(), version.c_str());
    return failures == 0 ? 0 : 1;
}
