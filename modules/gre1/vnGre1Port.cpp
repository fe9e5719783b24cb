#include "modules/gre1/vnGre1Port.h"

#include "channels/vnChannel.h"
#include "channels/vnText.h"
#include "modules/gre1/vnGre1Packet.h"

namespace {

constexpr char kFieldEnd = '^';
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kFirstMultiByte = 0xC0; // lead bytes of UTF-8 sequences
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuation = 0x80;

void AppendField(std::string& text, char letter, std::string_view value)
{
    text += letter;
    text += value;
    text += kFieldEnd;
}

const char* Flag(bool on)
{
    return on ? "S" : "R";
}

} // namespace

bool vnGre1Port::FormatChannelText(const vnChannel& channel, std::string* text)
{
    text->clear();
    if (const std::int32_t channelNumber = channel.GetNumber(); channelNumber != 0)
        AppendField(*text, 'C', vnText::Decimal(channelNumber));

    // Texts are zero-terminated throughout the protocol: the car number ends
    // at its first zero byte, if it holds one.
    const std::string carNumber = channel.GetCarNumber();
    if (const std::string_view value(carNumber.c_str()); !value.empty())
        AppendField(*text, 'V', value);

    const double mhz = channel.GetFrequency().GetMHz();
    if (mhz == 0.0)
        return false;
    AppendField(*text, 'F', vnFrequency::MHzText(mhz));

    AppendField(*text, 'D', Flag(channel.GetDelay()));
    AppendField(*text, 'L', Flag(channel.GetLockout()));
    AppendField(*text, 'P', Flag(channel.GetPriority()));
    return true;
}

bool vnGre1Port::FitsInPacket(const std::string& text)
{
    return text.size() <= vnGre1Packet::MaxDataLength;
}

bool vnGre1Port::FindRefusedCarCharacter(const vnChannel& channel, std::string* found)
{
    const std::string carNumber = channel.GetCarNumber();
    // As sent: up to the first zero byte.
    const std::string_view sent(carNumber.c_str());
    for (std::size_t i = 0; i < sent.size(); ++i) {
        const auto byte = static_cast<unsigned char>(sent[i]);
        if (sent[i] == kFieldEnd || byte < kFirstPrintable || byte >= kDelete) {
            // A UTF-8 lead byte takes its continuation bytes with it.
            std::size_t end = i + 1;
            if (byte >= kFirstMultiByte)
                while (end < sent.size() &&
                       (static_cast<unsigned char>(sent[end]) & kContinuationMask) == kContinuation)
                    ++end;
            *found = std::string(sent.substr(i, end - i));
            return true;
        }
    }
    return false;
}

vnResult vnGre1Port::SendPacket(const vnGre1Packet& packet)
{
    vnGre1WireBuffer buffer;
    const std::uint8_t size = packet.Serialize(buffer);
    return Write(buffer.data(), size);
}

vnResult vnGre1Port::BeginUpload(std::uint8_t channelCount)
{
    vnResult result = Open();
    if (vnFailed(result))
        return result;
    const char data[2] = {static_cast<char>(channelCount), '\0'};
    return SendPacket(vnGre1Packet(vnGre1Packet::CommandUploadStart, 1, data));
}

vnResult vnGre1Port::SendChannel(const vnChannel& channel)
{
    std::string text;
    if (!FormatChannelText(channel, &text))
        return S_SKIPPED;
    std::string refused;
    if (!FitsInPacket(text) || FindRefusedCarCharacter(channel, &refused))
        return E_INVALIDARG;
    return SendPacket(vnGre1Packet(vnGre1Packet::CommandChannel, 0, text.c_str()));
}

vnResult vnGre1Port::EndUpload()
{
    vnResult result = SendPacket(vnGre1Packet(vnGre1Packet::CommandUploadEnd, 1));
    if (vnFailed(result))
        return result;
    // The upload is over when the scanner has had the last byte, not when
    // the driver has taken it.
    result = WaitForLine(0);
    if (vnFailed(result))
        return result;
    return Close();
}
