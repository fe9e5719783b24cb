#pragma once

#include "modules/vnChannelUpload.h"

#include <cstdio>
#include <functional>
#include <string>

// Progress of scanlore-upload on standard error: on a terminal, one line
// redrawn in place with a bar, the channels and the bytes that have left;
// otherwise a plain line each time another channel has left.
class UploadProgressPrinter : public vnUploadProgress
{
public:
    // cancelRequested, when given, says whether the user asked to stop.
    UploadProgressPrinter(std::FILE* stream, bool terminal, std::function<bool()> cancelRequested = nullptr);

    // For --channels: upload `index` (from 1) of `count`, one channel each.
    void BeginUpload(int index, int count) override;
    void OnProgress(std::int32_t sent, std::int32_t total) override;
    void OnState(const vnTransferState& state) override;
    bool IsCancelRequested() override { return m_cancelRequested && m_cancelRequested(); }
    // Ends the line in place, if one is drawn.
    void Finish();

    // "57 of 200 channels sent (memory 66), 2.1 of 6.0 KB", with '.'
    // whatever the locale.
    static std::string Describe(const vnTransferState& state);

private:
    void Draw(const std::string& text, double fraction);

    std::FILE* m_stream;
    bool m_terminal;
    std::function<bool()> m_cancelRequested;
    int m_upload = 0;
    int m_uploads = 0;
    int m_lastChannels = -1;
    bool m_lineOpen = false;
};
