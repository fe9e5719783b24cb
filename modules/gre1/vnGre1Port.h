#pragma once

#include "modules/gre1/vnSerialPort.h"

#include <cstdint>
#include <string>

class vnChannel;
class vnGre1Packet;

// The GRE Type 1 module's serial port: a vnSerialPort with the steps of an
// upload. An upload is BeginUpload, SendChannel for each channel, EndUpload.
class vnGre1Port : public vnSerialPort
{
public:
    // The upload start packet's count for a one-channel and a range upload.
    static constexpr std::uint8_t SingleChannelCount = 1;
    static constexpr std::uint8_t RangeCount = 200;

    // Builds the text a channel is sent as, for example C5^F146.5200^DS^LR^PR^.
    // False for a channel that is not sent at all (frequency exactly 0).
    static bool FormatChannelText(const vnChannel& channel, std::string* text);
    // Whether a channel text fits whole into one packet.
    static bool FitsInPacket(const std::string& text);
    // The first character of the car number as sent that the scanner cannot
    // take or show: the field terminator '^', a control character (below
    // 0x20, or 0x7F), or anything beyond ASCII, which its display has no
    // sign for. found gets the character's bytes: one, or a whole UTF-8
    // sequence. False when there is none.
    static bool FindRefusedCarCharacter(const vnChannel& channel, std::string* found);

    // Serialises the packet and writes it in one block.
    vnResult SendPacket(const vnGre1Packet& packet);
    // Opens the port and sends the start packet with the channel count.
    vnResult BeginUpload(std::uint8_t channelCount);
    // Sends one channel packet. S_SKIPPED (success) for a channel with
    // frequency 0, which is left out; E_INVALIDARG, with nothing sent, for a
    // channel whose text does not fit in a packet, rather than a packet with
    // its text cut short, or whose car number would break the fields.
    vnResult SendChannel(const vnChannel& channel);
    // Sends the end packet, waits until the line has sent it and closes
    // the port.
    vnResult EndUpload();
};
