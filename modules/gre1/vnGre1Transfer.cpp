#include "modules/gre1/vnGre1Transfer.h"

#include "channels/vnChannelList.h"
#include "channels/vnWords.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/gre1/vnGre1Packet.h"
#include "modules/gre1/vnGre1Port.h"
#include "modules/gre1/vnSerialDeviceSink.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

// Names a channel for the user: by its number, else by its row.
std::string ChannelName(const vnChannel& channel, std::int32_t index)
{
    if (channel.GetNumber() != 0)
        return vnWords::Say(IDS_CHANNEL_NUMBERED, {std::to_string(channel.GetNumber())});
    if (index >= 0)
        return vnWords::Say(IDS_CHANNEL_IN_ROW, {std::to_string(static_cast<std::int64_t>(index) + 1)});
    return vnWords::Say(IDS_CHANNEL_UNNAMED);
}

// Why a car-number character (its bytes) cannot be sent, for the user.
std::string RefusedCharacterText(const std::string& character)
{
    if (character == "^")
        return vnWords::Say(IDS_REFUSED_FIELD_END);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string bytes;
    for (const char c : character) {
        const auto byte = static_cast<unsigned char>(c);
        bytes += std::string(bytes.empty() ? "" : " ") + kHex[byte >> 4] + kHex[byte & 0x0F];
    }
    constexpr unsigned char kAsciiEnd = 0x80;
    if (static_cast<unsigned char>(character.front()) < kAsciiEnd)
        return vnWords::Say(IDS_REFUSED_CONTROL, {bytes});
    return vnWords::Say(IDS_REFUSED_NOT_ASCII, {character, bytes});
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
    if (std::string refused; vnGre1Port::FindRefusedCarCharacter(channel, &refused)) {
        *reason = vnWords::Say(IDS_CAR_NUMBER_REFUSED, {ChannelName(channel, index), RefusedCharacterText(refused)});
        return false;
    }
    if (!vnGre1Port::FitsInPacket(text)) {
        *reason = vnWords::Say(
            IDS_PACKET_TOO_LONG,
            {ChannelName(channel, index), std::to_string(text.size()), std::to_string(vnGre1Packet::MaxDataLength)});
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
        m_failureReason =
            vnWords::Say(IDS_UPLOAD_PORT_FAILED, {name.empty() ? vnWords::Say(IDS_THE_SERIAL_PORT) : name});
    }
    return result;
}

void vnGre1Transfer::Report(std::int32_t sent, std::int32_t total) const
{
    if (vnTransferProgress* progress = GetProgress())
        progress->OnProgress(sent, total);
}

namespace {

// The wire size of a packet with this data.
std::uint64_t WireSize(std::uint8_t command, std::uint8_t subcommand, const char* data)
{
    return vnGre1Packet(command, subcommand, data).GetLength() + 2u;
}

// Follows one upload on the line for the progress observer: which bytes
// have left, which channels they complete, and whether to stop. It is also
// the port's wait observer, so the window is served while the port waits.
class LineTracker : public vnSerialWaitObserver
{
public:
    LineTracker(vnGre1Port& port, vnTransferProgress* progress) : m_port(port), m_progress(progress)
    {
        m_port.SetWaitObserver(this);
    }
    ~LineTracker() override { m_port.SetWaitObserver(nullptr); }
    LineTracker(const LineTracker&) = delete;
    LineTracker& operator=(const LineTracker&) = delete;

    // Packets in upload order; channel packets count as channels.
    void AddPacket(std::uint64_t size) { m_total += size; }
    void AddChannelPacket(std::uint64_t size, std::int32_t number)
    {
        AddPacket(size);
        m_channelEnds.push_back(m_total);
        m_numbers.push_back(number);
    }
    void ChannelWritten() { ++m_channelsWritten; }
    // After the port has closed on its own: every byte written has left.
    void Delivered()
    {
        m_sent = m_port.GetBytesWritten();
        m_delivered = true;
    }

    bool CancelRequested()
    {
        if (!m_cancelled && m_progress && m_progress->IsCancelRequested())
            m_cancelled = true;
        return m_cancelled;
    }

    void Report()
    {
        if (!m_progress)
            return;
        vnTransferState state;
        if (m_port.IsOpen()) {
            const std::uint64_t written = m_port.GetBytesWritten();
            const std::uint64_t unsent = m_port.GetUnsentBytes();
            m_sent = std::max(m_sent, written > unsent ? written - unsent : 0);
        }
        state.bytesSent = m_sent;
        state.bytes = m_total;
        state.channels = static_cast<std::int32_t>(m_channelEnds.size());
        state.channelsSent = m_delivered
            ? m_channelsWritten
            : static_cast<std::int32_t>(std::upper_bound(m_channelEnds.begin(), m_channelEnds.end(), m_sent) -
                                        m_channelEnds.begin());
        if (state.channelsSent > 0)
            state.lastNumber = m_numbers[static_cast<std::size_t>(state.channelsSent) - 1];
        m_progress->OnState(state);
    }

    // A cancel waits for the packet being written, unless the line takes
    // nothing at all: then there is no point waiting for it.
    bool OnPortWait(bool stalled) override
    {
        Report();
        return !(CancelRequested() && stalled);
    }

private:
    vnGre1Port& m_port;
    vnTransferProgress* m_progress;
    std::vector<std::uint64_t> m_channelEnds; // cumulative byte offsets
    std::vector<std::int32_t> m_numbers;      // each channel packet's memory number
    std::uint64_t m_total = 0;
    std::uint64_t m_sent = 0;
    std::int32_t m_channelsWritten = 0;
    bool m_delivered = false;
    bool m_cancelled = false;
};

} // namespace

vnResult vnGre1Transfer::Send(std::uint8_t startCount, const std::vector<const vnChannel*>& channels,
                              std::int32_t total)
{
    vnGre1Port* port = GetPort();
    LineTracker line(*port, GetProgress());

    const char startData[2] = {static_cast<char>(startCount), '\0'};
    const std::uint64_t startSize = WireSize(vnGre1Packet::CommandUploadStart, 1, startData);
    const std::uint64_t endSize = WireSize(vnGre1Packet::CommandUploadEnd, 1, nullptr);
    std::vector<std::uint64_t> sizes;
    line.AddPacket(startSize);
    std::string text;
    for (const vnChannel* channel : channels) {
        const bool sent = vnGre1Port::FormatChannelText(*channel, &text);
        sizes.push_back(sent ? WireSize(vnGre1Packet::CommandChannel, 0, text.c_str()) : 0);
        if (sent)
            line.AddChannelPacket(sizes.back(), channel->GetNumber());
    }
    line.AddPacket(endSize);

    std::int32_t sent = 0;
    vnResult result = port->BeginUpload(startCount);
    if (result == E_ABORT)
        return result;
    if (vnFailed(result))
        return PortFailed(result, *port);
    Report(++sent, total);
    line.Report();

    // About a tenth of a second of line time waits in the driver at most:
    // enough to keep the line busy between two looks, little enough that
    // progress tells what the scanner has and Cancel takes effect at once.
    const auto ahead = std::chrono::milliseconds(100) / port->ByteTime();
    const auto maxUnsent = static_cast<std::uint32_t>(std::max<std::int64_t>(ahead, 1));
    bool stoppedEarly = false;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (sizes[i] == 0)
            continue; // no frequency: no packet
        if (line.CancelRequested()) {
            stoppedEarly = true;
            break;
        }
        result = port->WaitForLine(maxUnsent);
        if (result == S_OK)
            result = port->SendChannel(*channels[i]);
        if (result == E_ABORT)
            return result;
        if (vnFailed(result))
            return PortFailed(result, *port);
        line.ChannelWritten();
        Report(++sent, total);
        line.Report();
    }

    // A cancelled upload still ends, so that the scanner leaves its
    // receiving state.
    result = port->EndUpload();
    if (result == E_ABORT)
        return result;
    if (vnFailed(result))
        return PortFailed(result, *port);
    line.Delivered();
    Report(++sent, total);
    line.Report();
    // A cancel that came while the last bytes were leaving stopped nothing.
    return stoppedEarly ? E_ABORT : S_OK;
}

vnResult vnGre1Transfer::UploadChannel(const vnChannel* channel)
{
    m_failureReason.clear();
    if (!channel) {
        m_failureReason = vnWords::Say(IDS_NO_CHANNEL_TO_UPLOAD);
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
        m_failureReason = vnWords::Say(IDS_NO_LIST_TO_UPLOAD);
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

std::string vnGre1Transfer::GetDestination() const
{
    std::string name;
    GetPort()->GetName(&name);
    return name;
}

vnResult vnGre1Transfer::CheckChannel(const vnChannel* channel, std::string* reason) const
{
    std::string found;
    std::int32_t packets = 0;
    bool ok = true;
    // The car number is checked even while the channel has no frequency
    // (and so would not be sent): it is usually typed before the frequency.
    if (std::string refused; channel && vnGre1Port::FindRefusedCarCharacter(*channel, &refused)) {
        found = vnWords::Say(IDS_CAR_NUMBER_REFUSED, {ChannelName(*channel, -1), RefusedCharacterText(refused)});
        ok = false;
    } else if (channel) {
        ok = Check(*channel, -1, &packets, &found);
    }
    if (reason)
        *reason = found;
    return ok ? S_OK : E_INVALIDARG;
}

vnResult vnGre1Transfer::SetByteSink(vnByteSink* sink)
{
    vnSerialDeviceFactory makeDevice;
    if (sink)
        makeDevice = [sink] { return std::make_unique<vnSerialDeviceSink>(*sink); };
    GetPort()->SetDeviceFactory(std::move(makeDevice));
    return S_OK;
}
