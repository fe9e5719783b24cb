#pragma once

#include <string>

// Where the records of what each scanner holds are kept: the user's data
// folder (on Linux $XDG_DATA_HOME/scanlore/scanners, by default
// ~/.local/share/scanlore/scanners; on Windows Scanlore\Scanners in the
// local application data folder). The window and scanlore-upload share it.
class ScannerRecordFolder
{
public:
    // Empty when the system names no such folder.
    static std::string Get();
    // The system's answer; defined in the platform's file.
    static std::string SystemFolder();

    // Test seam: Get answers folder while the scope lives.
    class Scope
    {
    public:
        explicit Scope(std::string folder);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        std::string m_previous;
        bool m_hadPrevious;
    };
};
