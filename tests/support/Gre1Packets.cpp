#include "tests/support/Gre1Packets.h"

#include "tools/Gre1StreamDecoder.h"

#include <ostream>

void PrintTo(const WirePacket& packet, std::ostream* os)
{
    if (!packet.fault.empty()) {
        *os << "{not a packet: " << packet.fault << "}";
        return;
    }
    *os << "{cmd " << int{packet.command} << ", sub " << int{packet.subcommand} << ", data \"";
    for (char c : packet.data) {
        if (c >= 0x20 && c < 0x7F)
            *os << c;
        else
            *os << "\\x" << std::hex << (static_cast<unsigned>(c) & 0xFF) << std::dec;
    }
    *os << "\"}";
}

WirePacket StartPacket(std::uint8_t count)
{
    return {1, 1, std::string(1, static_cast<char>(count)), {}};
}

WirePacket ChannelPacket(const std::string& text)
{
    return {0x10, 0, text, {}};
}

WirePacket EndPacket()
{
    return {2, 1, {}, {}};
}

std::vector<WirePacket> DecodePackets(const std::vector<std::uint8_t>& bytes)
{
    Gre1StreamDecoder decoder;
    std::vector<Gre1StreamItem> items;
    decoder.Feed(bytes.data(), bytes.size(), items);
    decoder.Flush(items);
    std::vector<WirePacket> packets;
    for (const Gre1StreamItem& item : items) {
        if (item.isPacket)
            packets.push_back({item.command, item.subcommand, item.data, {}});
        else
            packets.push_back({0, 0, {}, item.fault});
    }
    return packets;
}

std::string TestPacket(std::uint8_t command, std::uint8_t subcommand, const std::string& data)
{
    const std::string body = data.empty() ? std::string(1, '\0') : data;
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

std::string TestStart(std::uint8_t count)
{
    return TestPacket(1, 1, std::string(1, static_cast<char>(count)));
}

std::string TestChannel(const std::string& text)
{
    return TestPacket(0x10, 0, text);
}

std::string TestEnd()
{
    return TestPacket(2, 1, "");
}
