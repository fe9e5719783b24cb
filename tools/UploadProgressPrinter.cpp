#include "tools/UploadProgressPrinter.h"

#include "modules/vnChannelUpload.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kBarWidth = 30;

} // namespace

UploadProgressPrinter::UploadProgressPrinter(std::FILE* stream, bool terminal, std::function<bool()> cancelRequested)
    : m_stream(stream), m_terminal(terminal), m_cancelRequested(std::move(cancelRequested))
{}

std::string UploadProgressPrinter::Describe(const vnTransferState& state)
{
    // The memory number says where the upload is, which the count does not
    // once an empty channel has been left out.
    return vnUploadProgressText(state.channelsSent, state.channels, state.lastNumber, &state);
}

void UploadProgressPrinter::BeginUpload(int index, int count)
{
    m_upload = index;
    m_uploads = count;
    m_lastChannels = -1;
}

void UploadProgressPrinter::OnProgress(std::int32_t, std::int32_t) {}

void UploadProgressPrinter::OnState(const vnTransferState& state)
{
    std::string text;
    double fraction = 0.0;
    if (m_uploads > 0) {
        // One channel per upload: count the uploads.
        const int done = m_upload - 1 + (state.channels > 0 && state.channelsSent == state.channels ? 1 : 0);
        text = vnUploadProgressText(done, m_uploads, 0);
        fraction = static_cast<double>(done) / m_uploads;
        if (!m_terminal && done == m_lastChannels)
            return;
        m_lastChannels = done;
    } else {
        text = Describe(state);
        fraction = state.bytes ? static_cast<double>(state.bytesSent) / static_cast<double>(state.bytes) : 0.0;
        if (!m_terminal && state.channelsSent == m_lastChannels)
            return;
        m_lastChannels = state.channelsSent;
    }
    Draw(text, fraction);
}

void UploadProgressPrinter::Draw(const std::string& text, double fraction)
{
    if (!m_terminal) {
        std::fprintf(m_stream, "%s\n", text.c_str());
        return;
    }
    const int filled = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * kBarWidth);
    const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
        std::string(static_cast<std::size_t>(kBarWidth - filled), ' ');
    // \r back to the start, \x1b[K clears what a longer text left.
    std::fprintf(m_stream, "\r[%s] %s\x1b[K", bar.c_str(), text.c_str());
    std::fflush(m_stream);
    m_lineOpen = true;
}

void UploadProgressPrinter::Finish()
{
    if (m_lineOpen)
        std::fputc('\n', m_stream);
    m_lineOpen = false;
}
