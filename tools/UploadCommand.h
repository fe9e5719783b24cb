#pragma once

#include "tools/UploadOptions.h"

#include <cstdio>
#include <string>

class vnSettingsStore;

// scanlore-upload's work: reads the channel file as the window's Open does,
// gets the current module from the module manager and uploads through its
// transfer, as Upload All (or, with --channels, as Upload Selected: one
// upload per channel, stopping at the first failure). Options override the
// stored port settings for this run only.
class UploadCommand
{
public:
    // Exit statuses.
    static constexpr int Done = 0;
    static constexpr int UploadFailed = 1;
    static constexpr int BadUsage = 2;

    static const char* Usage();

    UploadCommand(const vnSettingsStore& stored, std::FILE* out, std::FILE* err, bool errIsTerminal);
    int Run(const UploadOptions& options);

private:
    int Fail(int status, const std::string& message);

    const vnSettingsStore& m_stored;
    std::FILE* m_out;
    std::FILE* m_err;
    bool m_errIsTerminal;
};
