#pragma once

#include "modules/vnScannerBands.h"

#include <cstdint>
#include <string>
#include <vector>

class vnChannel;
class vnChannelList;

// Channels whose frequency lies on no channel step (see
// vnFrequency::IsOnChannelStep), most likely a typo: the grid marks them, the
// Open summary counts them and the uploads name them. A warning, never a
// refusal: a rare real channel lies off the steps.

using ChannelOffStep = vnChannelFrequency;

// The channels at the indexes (every channel when indexes is null) with a
// frequency off the steps, in list order.
std::vector<ChannelOffStep> FindOffStep(const vnChannelList& channels,
                                        const std::vector<std::int32_t>* indexes = nullptr);
// "2 channels are not on a channel step: 12 (468.5152) and 40 (146.5201).
// Check them for a typo." Empty when none is.
std::string OffStepText(const std::vector<ChannelOffStep>& offStep);
// The grid's warning for one channel: "Channel 12: 468.5152 MHz is not on a
// channel step: check for a typo." Empty for a channel on a step.
std::string OffStepWarning(const vnChannel& channel);
// For a summary: "2 frequencies are not on a channel step (channels 12 and
// 40): check them for a typo." with the first few numbers. Empty for none.
std::string OffStepCountText(const std::vector<std::int32_t>& numbers);
