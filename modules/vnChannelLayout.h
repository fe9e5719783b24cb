#pragma once

#include <cstdint>

class vnChannelList;

// How a scanner numbers its channels. Arithmetic is signed 32-bit, done in
// 64 bits and narrowed so that no layout value can overflow.
class vnChannelLayout
{
public:
    std::int32_t GetFirstChannel() const { return m_firstChannel; }
    std::int32_t GetFirstBank() const { return m_firstBank; }
    std::int32_t GetBankCount() const { return m_bankCount; }
    std::int32_t GetChannelsPerBank() const { return m_channelsPerBank; }
    std::int32_t GetChannelCount() const
    {
        return static_cast<std::int32_t>(static_cast<std::int64_t>(m_bankCount) * m_channelsPerBank);
    }
    std::int32_t GetLastChannel() const
    {
        return static_cast<std::int32_t>(static_cast<std::int64_t>(m_firstChannel) + GetChannelCount() - 1);
    }

    // Fills the list with one empty channel per number of the layout, in
    // order, as New makes the table; what the list held before goes.
    void MakeChannels(vnChannelList& list) const;

    void SetFirstChannel(std::int32_t value) { m_firstChannel = value; }
    void SetFirstBank(std::int32_t value) { m_firstBank = value; }
    void SetBankCount(std::int32_t value) { m_bankCount = value; }
    void SetChannelsPerBank(std::int32_t value) { m_channelsPerBank = value; }

private:
    std::int32_t m_firstChannel = 0;
    std::int32_t m_firstBank = 0;
    std::int32_t m_bankCount = 0;
    std::int32_t m_channelsPerBank = 0;
};
