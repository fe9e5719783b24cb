#include "tools/VirtualScanner.h"

namespace {
constexpr std::uint8_t StartCommand = 1;
constexpr std::uint8_t StartSubcommand = 1;
constexpr std::uint8_t EndCommand = 2;
constexpr std::uint8_t EndSubcommand = 1;
constexpr std::uint8_t ChannelCommand = 16;
constexpr std::uint8_t ChannelSubcommand = 0;
} // namespace

void VirtualScanner::Receive(const std::uint8_t* bytes, std::size_t count, std::vector<ScannerEvent>& events)
{
    std::vector<Gre1StreamItem> items;
    m_decoder.Feed(bytes, count, items);
    for (const auto& item : items)
        Handle(item, events);
}

void VirtualScanner::Flush(std::vector<ScannerEvent>& events)
{
    std::vector<Gre1StreamItem> items;
    m_decoder.Flush(items);
    for (const auto& item : items)
        Handle(item, events);
}

const std::optional<ScannerChannel>& VirtualScanner::Memory(int number) const
{
    static const std::optional<ScannerChannel> none;
    if (number < 1 || number > Memories)
        return none;
    return m_memories[static_cast<std::size_t>(number - 1)];
}

int VirtualScanner::MemoriesInUse() const
{
    int used = 0;
    for (const auto& memory : m_memories)
        used += memory ? 1 : 0;
    return used;
}

void VirtualScanner::Reject(const std::string& reason, std::size_t offset, std::vector<ScannerEvent>& events)
{
    ScannerEvent event;
    event.kind = ScannerEvent::Kind::Rejected;
    event.upload = m_inUpload ? m_uploads : 0;
    event.reason = reason;
    event.offset = offset;
    events.push_back(event);
    if (m_inUpload)
        m_current.rejections.push_back(reason);
}

void VirtualScanner::EndUpload(bool complete, std::vector<ScannerEvent>& events)
{
    m_current.kind = ScannerEvent::Kind::Summary;
    m_current.complete = complete;
    events.push_back(m_current);
    m_inUpload = false;
    if (complete)
        ++m_finished;
}

void VirtualScanner::Handle(const Gre1StreamItem& item, std::vector<ScannerEvent>& events)
{
    if (!item.isPacket) {
        Reject(item.fault, item.offset, events);
        return;
    }

    if (item.command == StartCommand && item.subcommand == StartSubcommand) {
        if (item.data.size() != 1) {
            Reject("start packet with " + std::to_string(item.data.size()) + " data bytes instead of 1", item.offset,
                   events);
            return;
        }
        if (m_inUpload) {
            Reject("start packet inside upload " + std::to_string(m_uploads) + ", which had no end packet", item.offset,
                   events);
            EndUpload(false, events);
        }
        m_inUpload = true;
        ++m_uploads;
        m_current = ScannerEvent{};
        m_current.upload = m_uploads;
        m_current.count = static_cast<std::uint8_t>(item.data[0]);
        m_current.packets = 1;
        ScannerEvent start;
        start.kind = ScannerEvent::Kind::Start;
        start.upload = m_uploads;
        start.count = m_current.count;
        events.push_back(start);
        return;
    }

    if (item.command == EndCommand && item.subcommand == EndSubcommand) {
        if (!m_inUpload)
            Reject("end packet outside an upload", item.offset, events);
        else if (!item.data.empty())
            Reject("end packet with data", item.offset, events);
        else {
            ++m_current.packets;
            EndUpload(true, events);
        }
        return;
    }

    if (item.command == ChannelCommand && item.subcommand == ChannelSubcommand) {
        if (!m_inUpload) {
            Reject("channel packet outside an upload", item.offset, events);
            return;
        }
        ScannerChannel channel;
        std::string error;
        if (!Gre1ChannelText::Parse(item.data, &channel, &error)) {
            Reject("channel text \"" + item.data + "\": " + error, item.offset, events);
            return;
        }
        if (!channel.hasNumber) {
            Reject("channel without a number: \"" + item.data + "\"", item.offset, events);
            return;
        }
        if (channel.number < 1 || channel.number > Memories) {
            Reject("channel number " + std::to_string(channel.number) + " is not from 1 to 200", item.offset, events);
            return;
        }
        m_memories[static_cast<std::size_t>(channel.number - 1)] = channel;
        ++m_current.packets;
        ++m_current.stored;
        ScannerEvent event;
        event.kind = ScannerEvent::Kind::Channel;
        event.upload = m_uploads;
        event.channel = channel;
        event.text = item.data;
        events.push_back(event);
        return;
    }

    Reject("unknown packet: command " + std::to_string(item.command) + ", subcommand " +
               std::to_string(item.subcommand),
           item.offset, events);
}
