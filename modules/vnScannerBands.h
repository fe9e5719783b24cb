#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class vnChannel;
class vnChannelList;

// A receive range of a scanner, in megahertz, both ends included.
struct vnFrequencyRange
{
    double lowMHz = 0.0;
    double highMHz = 0.0;
};

// The range taken where no scanner's own is known: what the RadioShack and
// GRE scanners receive taken together. A file's frequency without a unit is
// tried in kHz and Hz against it too.
inline constexpr vnFrequencyRange vnCommonScannerRange{25.0, 1300.0};

// A channel picked for its frequency: outside the scanner's bands, off the
// channel steps.
struct vnChannelFrequency
{
    std::int32_t index = 0;  // in the channel list
    std::int32_t number = 0; // the channel's number
    double mhz = 0.0;
};
using vnOutOfBandChannel = vnChannelFrequency;

// The channels at the indexes (every channel when indexes is null) whose
// frequency in MHz picked answers true for, in list order.
std::vector<vnChannelFrequency> vnFindChannels(const vnChannelList& channels, const std::vector<std::int32_t>* indexes,
                                               const std::function<bool(double mhz)>& picked);

// The frequencies a scanner model receives. Without ranges every frequency
// is taken, so a module that knows no bands warns about nothing.
class vnScannerBands
{
public:
    vnScannerBands() = default;
    vnScannerBands(std::string model, std::vector<vnFrequencyRange> ranges);

    // The model's name for the user ("Pro-89").
    const std::string& GetModel() const { return m_model; }
    const std::vector<vnFrequencyRange>& GetRanges() const { return m_ranges; }
    // Whether the scanner receives the frequency; 0 (no frequency) always is.
    bool Contains(double mhz) const;
    // "25–54, 108–174 MHz": the ranges in words, thousands grouped with ','.
    std::string GetRangesText() const;

    // The channels at the indexes (every channel when indexes is null) that
    // have a frequency the scanner does not receive, in list order.
    std::vector<vnOutOfBandChannel> FindOutside(const vnChannelList& channels,
                                                const std::vector<std::int32_t>* indexes = nullptr) const;
    // "3 channels are outside the Pro-89's bands: 12 (220.5000), 40 (1296.0000)."
    // Empty when none is.
    std::string OutsideText(const std::vector<vnOutOfBandChannel>& outside) const;
    // The same for every channel of the list.
    std::string OutsideText(const vnChannelList& channels) const { return OutsideText(FindOutside(channels)); }
    // The warning for one channel: "Channel 12: 2000.0000 MHz is outside the
    // Pro-89's bands (25–1,300 MHz)."
    std::string OutsideText(std::int32_t number, double mhz) const;
    // That warning for a channel outside the bands; empty for any other.
    std::string Warning(const vnChannel& channel) const;

    // Fills to with a copy of from in which the outside channels have no
    // frequency, so that an upload of it leaves them out, and takes them out
    // of the selected indexes.
    static void CopyInside(const vnChannelList& from, const std::vector<vnOutOfBandChannel>& outside, vnChannelList& to,
                           std::vector<std::int32_t>& selected);

private:
    std::string Owner() const;

    std::string m_model;
    std::vector<vnFrequencyRange> m_ranges;
};

// One scanner model a module uploads to, with its bands and the document
// the figures come from, for the help.
struct vnModelBands
{
    vnScannerBands bands;
    std::string source;
};
