#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The wire form of a packet goes into a fixed buffer of this type; no packet
// is longer than 254 bytes, so serialising needs no size check.
using vnGre1WireBuffer = std::array<std::uint8_t, 256>;

// One packet of the GRE Type 1 serial protocol:
//   0x81, length, command, subcommand, data bytes (or one 0x00), checksum.
// The data part is a zero-terminated text of at most 249 bytes. Length and
// checksum always describe the current contents: every change of command,
// subcommand or data recomputes them.
class vnGre1Packet
{
public:
    static constexpr std::uint8_t Sync = 0x81;
    static constexpr std::size_t DataBufferSize = 250;
    static constexpr std::size_t MaxDataLength = DataBufferSize - 1;

    static constexpr std::uint8_t CommandUploadStart = 1;
    static constexpr std::uint8_t CommandUploadEnd = 2;
    static constexpr std::uint8_t CommandChannel = 0x10;

    // Null data and empty data make the same packet.
    vnGre1Packet(std::uint8_t command, std::uint8_t subcommand, const char* data = nullptr);

    void SetCommand(std::uint8_t command, std::uint8_t subcommand);
    // Copies the text up to its first zero byte; a longer text than 249
    // bytes keeps its first 249.
    void SetData(const char* data);

    std::uint8_t GetLength() const { return m_length; }
    std::uint8_t GetChecksum() const { return m_checksum; }
    const char* GetData() const { return m_data.data(); }

    // Writes the wire form and returns its size, 6 to 254 bytes.
    std::uint8_t Serialize(vnGre1WireBuffer& buffer) const;

private:
    std::size_t DataLength() const;
    void Recompute();

    std::uint8_t m_sync = Sync;
    std::uint8_t m_length = 0;
    std::uint8_t m_command = 0;
    std::uint8_t m_subcommand = 0;
    std::array<char, DataBufferSize> m_data{};
    std::uint8_t m_checksum = 0;
};
