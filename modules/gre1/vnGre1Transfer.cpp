#include "modules/gre1/vnGre1Transfer.h"

#include "channels/vnChannelList.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/gre1/vnGre1Packet.h"
#include "modules/gre1/vnGre1Port.h"

#include <algorithm>
#include <vector>

namespace {

// Names a channel for the user: by its number, else by its row.
std::string ChannelName(const vnChannel& channel, std::int32_t index)
{
    if (channel.GetNumber() != 0)
        return "Channel " + std::to_string(channel.GetNumber());
    if (index >= 0)
        return "The channel in row " + std::to_string(static_cast<std::int64_t>(index) + 1);
    return "The channel";
}

// Why a car-number byte cannot be sent, for the user.
std::string RefusedCharacterText(char c)
{
    if (c == '^')
        return "'^', which the scanner reads as the end of a field.";
    static constexpr char kHex[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    return std::string("the control character 0x") + kHex[byte >> 4] + kHex[byte & 0x0F] +
        ", which the scanner cannot take.";
}

} // namespace

vnGre1Transfer::vnGre1Transfer(vnGre1Module* owner) : vnTransfer(owner) {}

vnGre1Transfer::~vnGre1Transfer() = default;

vnGre1Port* vnGre1Transfer::GetPort() const
{
    vnGre1Port* port = nullptr;
    static_cast<vnGre1Module*>(GetOwner())->GetSerialPort(&port);
    return port;
}

bool vnGre1Transfer::Check(const vnChannel& channel, std::int32_t index, std::int32_t* packets, std::string* reason)
{
    std::string text;
    if (!vnGre1Port::FormatChannelText(channel, &text))
        return true;
    if (char refused = 0; vnGre1Port::FindRefusedCarCharacter(channel, &refused)) {
        *reason = ChannelName(channel, index) + ": the car number holds " + RefusedCharacterText(refused);
        return false;
    }
    if (!vnGre1Port::FitsInPacket(text)) {
        *reason = ChannelName(channel, index) + " does not fit in one packet: its text is " +
            std::to_string(text.size()) + " bytes, at most " + std::to_string(vnGre1Packet::MaxDataLength) +
            " can be sent.";
        return false;
    }
    ++*packets;
    return true;
}

vnResult vnGre1Transfer::PortFailed(vnResult result, const vnGre1Port& port)
{
    m_failureReason = port.GetFailureReason();
    if (m_failureReason.empty()) {
        std::string name;
        port.GetName(&name);
        m_failureReason = "The upload to " + (name.empty() ? std::string("the serial port") : name) + " failed.";
    }
    return result;
}

void vnGre1Transfer::Report(std::int32_t sent, std::int32_t total) const
{
    if (vnTransferProgress* progress = GetProgress())
        progress->OnProgress(sent, total);
}

vnResult vnGre1Transfer::Send(std::uint8_t startCount, const std::vector<const vnChannel*>& channels,
                              std::int32_t total)
{
    vnGre1Port* port = GetPort();
    std::int32_t sent = 0;
    vnResult result = port->BeginUpload(startCount);
    if (vnFailed(result))
        return PortFailed(result, *port);
    Report(++sent, total);

    for (const vnChannel* channel : channels) {
        result = port->SendChannel(*channel);
        if (vnFailed(result))
            return PortFailed(result, *port);
        // A skipped channel (no frequency) sends no packet.
        if (result == S_OK)
            Report(++sent, total);
    }

    result = port->EndUpload();
    if (vnFailed(result))
        return PortFailed(result, *port);
    Report(++sent, total);
    return S_OK;
}

vnResult vnGre1Transfer::UploadChannel(const vnChannel* channel)
{
    m_failureReason.clear();
    if (!channel) {
        m_failureReason = "There is no channel to upload.";
        return E_INVALIDARG;
    }
    std::int32_t total = 2; // start and end packets
    if (!Check(*channel, -1, &total, &m_failureReason))
        return E_INVALIDARG;
    return Send(vnGre1Port::SingleChannelCount, {channel}, total);
}

vnResult vnGre1Transfer::UploadRange(std::int32_t first, std::int32_t last, const vnChannelList* list)
{
    m_failureReason.clear();
    if (!list) {
        m_failureReason = "There is no channel list to upload.";
        return E_INVALIDARG;
    }
    // Indices outside the list are absent channels, which send nothing, so
    // only the part of the range inside the list is visited.
    const std::int32_t from = std::max<std::int32_t>(first, 0);
    const std::int32_t to = std::min<std::int32_t>(last, list->GetCount() - 1);

    // Every channel is checked before the port opens.
    std::vector<const vnChannel*> channels;
    std::int32_t total = 2; // start and end packets
    for (std::int32_t i = from; i <= to; ++i) {
        const vnChannel* channel = list->GetAt(i);
        if (!channel)
            continue;
        if (!Check(*channel, i, &total, &m_failureReason))
            return E_INVALIDARG;
        channels.push_back(channel);
    }
    // The count byte says "range" whatever the range holds.
    return Send(vnGre1Port::RangeCount, channels, total);
}

vnResult vnGre1Transfer::UploadAll(const vnChannelList* list)
{
    return UploadRange(UploadAllFirst, UploadAllLast, list);
}

std::string vnGre1Transfer::GetFailureReason() const
{
    return m_failureReason;
}

vnResult vnGre1Transfer::CheckChannel(const vnChannel* channel, std::string* reason) const
{
    std::string found;
    std::int32_t packets = 0;
    bool ok = true;
    // The car number is checked even while the channel has no frequency
    // (and so would not be sent): it is usually typed before the frequency.
    if (char refused = 0; channel && vnGre1Port::FindRefusedCarCharacter(*channel, &refused)) {
        found = ChannelName(*channel, -1) + ": the car number holds " + RefusedCharacterText(refused);
        ok = false;
    } else if (channel) {
        ok = Check(*channel, -1, &packets, &found);
    }
    if (reason)
        *reason = found;
    return ok ? S_OK : E_INVALIDARG;
}
