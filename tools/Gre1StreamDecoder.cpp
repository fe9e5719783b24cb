#include "tools/Gre1StreamDecoder.h"

#include <algorithm>

namespace {
std::string Hex(std::uint8_t value)
{
    const char digits[] = "0123456789ABCDEF";
    return std::string("0x") + digits[value >> 4] + digits[value & 15];
}

std::string Bytes(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}
} // namespace

void Gre1StreamDecoder::Feed(const std::uint8_t* bytes, std::size_t count, std::vector<Gre1StreamItem>& items)
{
    if (count == 0)
        return;
    m_pending.insert(m_pending.end(), bytes, bytes + count);
    Decode(items);
}

void Gre1StreamDecoder::Flush(std::vector<Gre1StreamItem>& items)
{
    Decode(items);
    while (!m_pending.empty()) {
        // Decode leaves stray bytes only when no sync byte follows them.
        if (m_pending[0] != Sync) {
            EmitStray(m_pending.size(), items);
            return;
        }
        // A packet cut short ends where the next one begins, if one does.
        auto next = std::find(m_pending.begin() + 1, m_pending.end(), Sync);
        Gre1StreamItem item;
        item.offset = m_offset;
        item.size = static_cast<std::size_t>(next - m_pending.begin());
        if (item.size < 2)
            item.fault = "sync byte without a packet";
        else
            item.fault =
                "packet cut short: " + Bytes(item.size) + " of " + std::to_string(m_pending[1] + 2) + " arrived";
        items.push_back(item);
        Drop(item.size);
        Decode(items);
    }
}

void Gre1StreamDecoder::EmitStray(std::size_t count, std::vector<Gre1StreamItem>& items)
{
    Gre1StreamItem item;
    item.offset = m_offset;
    item.size = count;
    item.fault = Bytes(count) + " outside a packet";
    items.push_back(item);
    Drop(count);
}

void Gre1StreamDecoder::Drop(std::size_t count)
{
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(count));
    m_offset += count;
}

void Gre1StreamDecoder::Decode(std::vector<Gre1StreamItem>& items)
{
    while (!m_pending.empty()) {
        if (m_pending[0] != Sync) {
            auto sync = std::find(m_pending.begin(), m_pending.end(), Sync);
            // A run of stray bytes is reported once, when it has ended.
            if (sync == m_pending.end())
                return;
            EmitStray(static_cast<std::size_t>(sync - m_pending.begin()), items);
            continue;
        }
        if (m_pending.size() < 2)
            return;

        const std::uint8_t length = m_pending[1];
        if (length < MinLength || length > MaxLength) {
            Gre1StreamItem item;
            item.offset = m_offset;
            item.size = 1;
            item.fault = "length " + std::to_string(length) + " is not from 4 to 252";
            items.push_back(item);
            Drop(1);
            continue;
        }
        const std::size_t total = std::size_t{length} + 2;
        if (m_pending.size() < total)
            return;

        Gre1StreamItem item;
        item.offset = m_offset;
        item.size = total;
        std::uint8_t sum = 0;
        for (std::size_t i = 1; i < total; ++i)
            sum = static_cast<std::uint8_t>(sum + m_pending[i]);
        const std::size_t dataSize = length - 3u;
        const std::uint8_t* data = m_pending.data() + 4;
        if (sum != 0) {
            std::uint8_t received = m_pending[total - 1];
            std::uint8_t expected = static_cast<std::uint8_t>(received - sum);
            item.fault = "bad checksum: got " + Hex(received) + ", expected " + Hex(expected);
        } else if (dataSize > 1 && std::find(data, data + dataSize, 0) != data + dataSize) {
            item.fault = "zero byte inside the data";
        } else {
            item.isPacket = true;
            item.command = m_pending[2];
            item.subcommand = m_pending[3];
            if (!(dataSize == 1 && data[0] == 0))
                item.data.assign(reinterpret_cast<const char*>(data), dataSize);
            items.push_back(item);
            Drop(total);
            continue;
        }

        // A sync byte inside the bad packet means its length byte was wrong:
        // start again there rather than swallow what may be a good packet.
        auto inside = std::find(m_pending.begin() + 1, m_pending.begin() + static_cast<std::ptrdiff_t>(total), Sync);
        if (inside != m_pending.begin() + static_cast<std::ptrdiff_t>(total)) {
            item.size = 1;
            item.fault += " (a sync byte follows within its length; resynchronising there)";
        }
        items.push_back(item);
        Drop(item.size);
    }
}
