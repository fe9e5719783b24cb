#pragma once

#include "core/ScannerComparison.h"
#include "core/ScannerRecord.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

class vnChannelList;

// One upload as the record sees it, for the window and scanlore-upload
// alike: before it, what differs from what the scanner holds (what Upload
// Changed sends, which channels are empty here but not on the scanner);
// after it, what it sent, written into the scanner's record.
class ScannerRecordUpload
{
public:
    // Reads the scanner's record from the record folder. A record that
    // cannot be read counts as nothing known (ReadProblem says why).
    ScannerRecordUpload(const std::string& scanner, const vnChannelList& channels);

    const ScannerRecord& GetRecord() const { return m_record; }
    const std::string& GetReadProblem() const { return m_readProblem; }
    // The file the record lives in; empty when the system names no folder.
    const std::string& GetFileName() const { return m_fileName; }
    // Indexes of the channels that differ and have a frequency.
    const std::vector<std::int32_t>& GetChanged() const { return m_changed; }
    // Indexes of the channels empty here whose memory still holds a channel.
    const std::vector<std::int32_t>& GetEmptied() const { return m_emptied; }
    std::string EmptiedText() const;
    std::string EmptiedQuestion() const;
    // Upload Changed with nothing to send: "Nothing changed since the
    // upload of 3 Dec 14:02 to the Pro-89."
    std::string NothingChangedText() const;

    // The channels to send: a copy of the table, in which, with lockOut, the
    // emptied channels are what the scanner holds with Lockout set. indexes,
    // when given, are the channels Upload Changed sends: the changed ones
    // and, with lockOut, the emptied ones, in list order.
    void MakeSending(bool lockOut, vnChannelList& sending, std::vector<std::int32_t>* indexes) const;

    // After an upload that ended (not a dry run): of the channels with a
    // frequency in sending (at indexes, in their order; all when null), the
    // first finished reached the scanner. Writes the record; empty on
    // success, else why it could not be written. Without reached (a port
    // that never took a byte) the scanner holds what it held: the record
    // stays as it is.
    std::string Finish(const vnChannelList& sending, const std::vector<std::int32_t>* indexes, std::int32_t finished,
                       const std::string& port,
                       std::chrono::system_clock::time_point when = std::chrono::system_clock::now(),
                       bool reached = true);
    // What the upload meant to send, in order (valid after Finish).
    const std::vector<vnChannel>& GetMeant() const { return m_meant; }

private:
    std::string m_fileName;
    ScannerRecord m_record;
    std::string m_readProblem;
    const vnChannelList& m_channels;
    std::vector<std::int32_t> m_changed;
    std::vector<std::int32_t> m_emptied;
    std::vector<vnChannel> m_meant;
};
