#pragma once

#include "core/ChannelColumnChoice.h"

#include <optional>
#include <string>
#include <vector>

class vnSettingsStore;

// The columns a user chose for a file whose header Scanlore could not use,
// remembered in the settings store for that header, so that next week's
// file of the same shape opens with them directly. Headers are compared as
// the column map compares names: "Freq (kHz)" and "FREQ_KHZ" are one.
class ChannelColumnMemory
{
public:
    // The choice last remembered for this header; nothing when none.
    static std::optional<ChannelColumnChoice> Recall(const vnSettingsStore& store,
                                                     const std::vector<std::string>& header);
    // Remembers the choice for the header, replacing an earlier one for it.
    static void Remember(vnSettingsStore& store, const std::vector<std::string>& header,
                         const ChannelColumnChoice& choice);
};
