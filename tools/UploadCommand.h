#pragma once

#include "tools/UploadOptions.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

class ScannerRecordUpload;
class vnChannelList;
class vnSettingsStore;
struct vnUploadOutcome;

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

    // interrupted, when given, says whether the user asked the upload to
    // stop (Ctrl+C).
    UploadCommand(const vnSettingsStore& stored, std::FILE* out, std::FILE* err, bool errIsTerminal,
                  std::function<bool()> interrupted = nullptr);
    int Run(const UploadOptions& options);

private:
    int Fail(int status, const std::string& message);
    // Names the channels empty here that the scanner holds and makes the
    // table to send; false when --changed finds nothing to send.
    bool PrepareFromRecord(const UploadOptions& options, const ScannerRecordUpload& record, vnChannelList& table,
                           std::vector<std::int32_t>& selected);
    // Writes down what the upload sent; what to tell about it.
    std::string Record(ScannerRecordUpload& record, const vnChannelList& sending,
                       const std::vector<std::int32_t>* indexes, const vnUploadOutcome& outcome,
                       const std::string& port);

    const vnSettingsStore& m_stored;
    std::FILE* m_out;
    std::FILE* m_err;
    bool m_errIsTerminal;
    std::function<bool()> m_interrupted;
};
