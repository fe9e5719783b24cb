#include "channels/vnChannelList.h"

vnChannelList::~vnChannelList()
{
    RemoveAll();
}

void vnChannelList::AddNew(vnChannel** channel)
{
    m_channels.push_back(std::make_unique<vnChannel>());
    if (channel)
        *channel = m_channels.back().get();
}

vnChannel* vnChannelList::GetAt(std::int32_t index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_channels.size())
        return nullptr;
    return m_channels[static_cast<std::size_t>(index)].get();
}

std::int32_t vnChannelList::GetCount() const
{
    return static_cast<std::int32_t>(m_channels.size());
}

std::int32_t vnChannelList::IndexOfNumber(std::int32_t number) const
{
    for (std::size_t index = 0; index < m_channels.size(); ++index)
        if (m_channels[index]->GetNumber() == number)
            return static_cast<std::int32_t>(index);
    return -1;
}

void vnChannelList::RemoveAll()
{
    // Delete in index order, then release the storage.
    for (auto& channel : m_channels)
        channel.reset();
    std::vector<std::unique_ptr<vnChannel>>().swap(m_channels);
}
