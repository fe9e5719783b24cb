#pragma once

#include "tools/Gre1ChannelText.h"
#include "tools/Gre1StreamDecoder.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the virtual scanner has to say about the bytes it received.
struct ScannerEvent
{
    enum class Kind {
        Start,    // an upload began
        Channel,  // a channel was stored
        Rejected, // bytes or a packet that the scanner refuses
        Summary,  // an upload ended (or was abandoned by a new start packet)
    };
    Kind kind = Kind::Rejected;
    int upload = 0; // 1, 2, ... ; 0 for a rejection between uploads
    int count = 0;  // Start and Summary: the count byte of the start packet

    ScannerChannel channel; // Channel
    std::string text;       // Channel: the text as received

    std::string reason;     // Rejected
    std::size_t offset = 0; // Rejected: stream offset of the bad bytes

    bool complete = true;                // Summary: false when no end packet came
    int packets = 0;                     // Summary: packets accepted in this upload
    int stored = 0;                      // Summary: channels stored in this upload
    std::vector<std::string> rejections; // Summary: reasons, in order
};

// A GRE Type 1 scanner as far as the upload goes: it takes the byte stream,
// follows start, channel and end packets and keeps 200 channel memories.
// Channels must carry a number from 1 to 200 and arrive inside an upload.
class VirtualScanner
{
public:
    static constexpr int Memories = 200;

    void Receive(const std::uint8_t* bytes, std::size_t count, std::vector<ScannerEvent>& events);
    // The input paused or ended: a packet cut short is reported now.
    void Flush(std::vector<ScannerEvent>& events);

    const std::optional<ScannerChannel>& Memory(int number) const; // 1 to 200
    int MemoriesInUse() const;
    int UploadsFinished() const { return m_finished; }
    std::size_t BytesReceived() const { return m_decoder.BytesSeen(); }

private:
    void Handle(const Gre1StreamItem& item, std::vector<ScannerEvent>& events);
    void Reject(const std::string& reason, std::size_t offset, std::vector<ScannerEvent>& events);
    void EndUpload(bool complete, std::vector<ScannerEvent>& events);

    Gre1StreamDecoder m_decoder;
    std::array<std::optional<ScannerChannel>, Memories> m_memories;
    bool m_inUpload = false;
    int m_uploads = 0;      // started
    int m_finished = 0;     // ended with an end packet
    ScannerEvent m_current; // summary of the upload in progress
};
