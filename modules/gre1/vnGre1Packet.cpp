#include "modules/gre1/vnGre1Packet.h"

vnGre1Packet::vnGre1Packet(std::uint8_t command, std::uint8_t subcommand, const char* data)
{
    SetCommand(command, subcommand);
    if (data)
        SetData(data);
}

void vnGre1Packet::SetCommand(std::uint8_t command, std::uint8_t subcommand)
{
    m_command = command;
    m_subcommand = subcommand;
    Recompute();
}

void vnGre1Packet::SetData(const char* data)
{
    std::size_t copied = 0;
    if (data) {
        while (copied < DataBufferSize && data[copied] != '\0') {
            m_data[copied] = data[copied];
            ++copied;
        }
    }
    m_data[copied < DataBufferSize ? copied : MaxDataLength] = '\0';
    Recompute();
}

std::size_t vnGre1Packet::DataLength() const
{
    std::size_t n = 0;
    while (n < DataBufferSize && m_data[n] != '\0')
        ++n;
    return n;
}

void vnGre1Packet::Recompute()
{
    const std::size_t n = DataLength();
    // An empty data part goes on the wire as one 0x00 byte.
    m_length = static_cast<std::uint8_t>((n == 0 ? 1 : n) + 3);

    unsigned sum = m_length + m_command + m_subcommand;
    for (std::size_t i = 0; i < n; ++i)
        sum += static_cast<std::uint8_t>(m_data[i]);
    // Length through checksum add up to 0 modulo 256; sync is not summed.
    m_checksum = static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

std::uint8_t vnGre1Packet::Serialize(vnGre1WireBuffer& buffer) const
{
    std::size_t at = 0;
    buffer[at++] = m_sync;
    buffer[at++] = m_length;
    buffer[at++] = m_command;
    buffer[at++] = m_subcommand;
    const std::size_t n = DataLength();
    for (std::size_t i = 0; i < n; ++i)
        buffer[at++] = static_cast<std::uint8_t>(m_data[i]);
    if (n == 0)
        buffer[at++] = 0x00;
    buffer[at++] = m_checksum;
    return static_cast<std::uint8_t>(at);
}
