#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// GRE Type 1 packets as tests write and read them. Bytes are built by hand
// from the protocol (0x81, length, command, subcommand, data or one 0x00
// byte when there is none, checksum), not with the program's encoder, and
// read back with the virtual scanner's decoder, so that each side checks
// the program's own.
struct WirePacket
{
    std::uint8_t command = 0;
    std::uint8_t subcommand = 0;
    std::string data;  // without the 0x00 byte that stands for no data
    std::string fault; // for bytes that are not a packet: the decoder's reason

    bool operator==(const WirePacket&) const = default;
};

// GoogleTest prints packets through this (found by argument-dependent lookup).
void PrintTo(const WirePacket& packet, std::ostream* os);

WirePacket StartPacket(std::uint8_t count);
WirePacket ChannelPacket(const std::string& text);
WirePacket EndPacket();

// The packets the bytes hold, in order; a stretch that is not a packet
// comes out as an entry with its fault.
std::vector<WirePacket> DecodePackets(const std::vector<std::uint8_t>& bytes);

// The bytes of one packet.
std::string TestPacket(std::uint8_t command, std::uint8_t subcommand, const std::string& data);
std::string TestStart(std::uint8_t count);
std::string TestChannel(const std::string& text);
std::string TestEnd();
