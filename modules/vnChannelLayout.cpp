#include "modules/vnChannelLayout.h"

#include "channels/vnChannelList.h"

void vnChannelLayout::MakeChannels(vnChannelList& list) const
{
    list.RemoveAll();
    for (std::int64_t number = m_firstChannel; number <= GetLastChannel(); ++number) {
        vnChannel* channel = nullptr;
        list.AddNew(&channel);
        channel->SetNumber(static_cast<std::int32_t>(number));
    }
}
