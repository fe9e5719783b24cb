#pragma once

#include "channels/vnChannelList.h"
#include "modules/vnChannelUpload.h"
#include "modules/vnScannerBands.h"

#include <cstdint>
#include <string>
#include <vector>

// What an upload command sends and what it tells the user, decided once for
// the window and scanlore-upload: which channels go (all, or the selected
// list indexes), which lie outside the scanner's bands and whether they are
// left out, and the texts of the result. The front ends ask the user (or read
// the options), show the progress and present the texts; vnChannelUpload
// sends.
class ChannelUploadPlan
{
public:
    // indexes null: Upload All; otherwise Upload Selected of those list
    // indexes, in their order. The channels must outlive the plan.
    ChannelUploadPlan(const vnChannelList& channels, vnScannerBands bands, const std::vector<std::int32_t>* indexes);
    ChannelUploadPlan(const ChannelUploadPlan&) = delete;
    ChannelUploadPlan& operator=(const ChannelUploadPlan&) = delete;

    bool IsSelected() const { return m_isSelected; }
    // The channels of the command whose frequency the scanner does not
    // receive, in list order; none once they are left out.
    const std::vector<vnOutOfBandChannel>& GetOutside() const { return m_outside; }
    // "3 channels are outside the Pro-89's bands (…): 12 (220.5000), …."
    // Empty when none is.
    std::string OutsideText() const;
    // Sends the channels outside the bands without a frequency, that is
    // leaves them out. False when that leaves a selection with nothing to
    // send: the command then sends nothing.
    bool LeaveOutOutside();

    // The channels as they are sent, and for a selection the list indexes
    // sent, in their order (null for Upload All): what the scanner's record
    // writes down after the command.
    const vnChannelList& GetSending() const { return m_leftOut ? m_inside : m_channels; }
    const std::vector<std::int32_t>* GetSendingIndexes() const { return m_isSelected ? &m_selected : nullptr; }

    // When none of the channels the command sends has a frequency, what the
    // user reads instead of an upload ("None of the 200 channels has a
    // frequency: there is nothing to send."): the front ends then open no
    // port. Empty when there is something to send.
    std::string NothingToSendText() const;

    // Runs the command through the upload routine.
    vnUploadOutcome Send(vnChannelUpload& upload) const;

    // What the user reads after the command.
    // Success: "Sent 22 channels to the scanner on /dev/ttyUSB0 in 3.1 s. …",
    // then the channels left out for having no frequency. With a scanner's
    // name and a kind: "Sent 6 changed channels to the Pro-89 on ...".
    static std::string SentText(const vnUploadOutcome& outcome, const std::string& destination, double seconds,
                                const std::string& scanner = std::string(), const std::string& kind = std::string());
    // A failure, as paragraphs: the transfer's reason, a hint when another
    // program holds the port or (on Linux) the system refused it, and how far
    // the command got. A refusal before the first byte sent nothing and has
    // no count. Empty paragraphs are left out.
    static std::vector<std::string> FailureParagraphs(const vnUploadOutcome& outcome);
    // The hint for a failure reason, empty when none fits.
    static std::string FailureHint(const std::string& reason);
    // The reason and its hint as paragraphs, the reason left out when the
    // hint already says it (a port in use).
    static std::vector<std::string> ReasonParagraphs(const std::string& reason);

private:
    const vnChannelList& m_channels;
    vnScannerBands m_bands;
    bool m_isSelected;
    std::vector<std::int32_t> m_selected;
    std::vector<vnOutOfBandChannel> m_outside;
    // The channels as sent once the outside ones are left out.
    vnChannelList m_inside;
    bool m_leftOut = false;
};
