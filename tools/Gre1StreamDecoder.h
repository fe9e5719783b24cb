#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One thing found in the byte stream: a packet whose length and checksum
// hold, or a stretch of bytes that is not one.
struct Gre1StreamItem
{
    bool isPacket = false;
    std::uint8_t command = 0;
    std::uint8_t subcommand = 0;
    // The data bytes; empty for the single 0x00 byte that stands for no data.
    std::string data;
    // What is wrong, for an item that is not a packet.
    std::string fault;
    // Where the item starts in the stream and how many bytes it covers.
    std::size_t offset = 0;
    std::size_t size = 0;
};

// Splits the bytes a GRE Type 1 scanner receives into packets: sync byte
// 0x81, length (the bytes after it, 4 to 252), command, subcommand, data,
// checksum (length to checksum add up to 0 modulo 256). Written from the
// protocol, independently of the program's encoder, so that it can check
// the encoder's bytes.
//
// Faults are reported and the decoder resynchronises on the next sync byte:
// bytes before a sync byte form one "outside a packet" item; a sync byte
// with an impossible length is dropped alone; a packet whose checksum or
// data is wrong is dropped whole unless another sync byte inside it shows
// that its length was wrong, in which case only its sync byte is dropped.
class Gre1StreamDecoder
{
public:
    static constexpr std::uint8_t Sync = 0x81;
    static constexpr std::uint8_t MinLength = 4;
    static constexpr std::uint8_t MaxLength = 252;

    // Appends the items that the bytes complete.
    void Feed(const std::uint8_t* bytes, std::size_t count, std::vector<Gre1StreamItem>& items);
    // The input has ended (or paused): reports whatever is still pending
    // (stray bytes, a packet cut short) and starts afresh.
    void Flush(std::vector<Gre1StreamItem>& items);
    std::size_t BytesSeen() const { return m_offset + m_pending.size(); }

private:
    void Decode(std::vector<Gre1StreamItem>& items);
    void EmitStray(std::size_t count, std::vector<Gre1StreamItem>& items);
    void Drop(std::size_t count);

    std::vector<std::uint8_t> m_pending;
    std::size_t m_offset = 0; // stream offset of m_pending[0]
};
