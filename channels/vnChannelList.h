#pragma once

#include "channels/vnChannel.h"

#include <cstdint>
#include <memory>
#include <vector>

// The open channel table: grid row i shows the channel at index i. The list
// owns its channels; GetAt hands out pointers that stay owned by the list.
class vnChannelList
{
public:
    vnChannelList() = default;
    vnChannelList(const vnChannelList&) = delete;
    vnChannelList& operator=(const vnChannelList&) = delete;
    virtual ~vnChannelList();

    // Appends a default channel and hands it back for the caller to fill in.
    void AddNew(vnChannel** channel);
    // Null for an index outside the list.
    vnChannel* GetAt(std::int32_t index) const;
    std::int32_t GetCount() const;
    // The index of the first channel with this number, or -1.
    std::int32_t IndexOfNumber(std::int32_t number) const;
    void RemoveAll();

private:
    std::vector<std::unique_ptr<vnChannel>> m_channels;
};
