#pragma once

#include <cstdint>
#include <string>

// GRE Type 1 packets built by hand from the protocol, for feeding the
// virtual scanner in tests: 0x81, length, command, subcommand, data (one
// 0x00 byte when empty), checksum.
inline std::string TestPacket(std::uint8_t command, std::uint8_t subcommand, const std::string& data)
{
    std::string body = data.empty() ? std::string(1, '\0') : data;
    std::string packet;
    packet += '\x81';
    packet += static_cast<char>(body.size() + 3);
    packet += static_cast<char>(command);
    packet += static_cast<char>(subcommand);
    packet += body;
    unsigned sum = 0;
    for (std::size_t i = 1; i < packet.size(); ++i)
        sum += static_cast<unsigned char>(packet[i]);
    packet += static_cast<char>((256 - sum % 256) % 256);
    return packet;
}

inline std::string TestStart(std::uint8_t count)
{
    return TestPacket(1, 1, std::string(1, static_cast<char>(count)));
}

inline std::string TestChannel(const std::string& text)
{
    return TestPacket(16, 0, text);
}

inline std::string TestEnd()
{
    return TestPacket(2, 1, "");
}
