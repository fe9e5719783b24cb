#pragma once

#include "channels/vnChannel.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What one memory of a scanner holds, as far as this computer knows.
struct ScannerMemory
{
    enum class State {
        NothingSent, // no upload from here reached it
        Sent,        // holds channel, sent at when
        Unknown,     // an upload meant to send it stopped first (at when): old or new
    };
    State state = State::NothingSent;
    vnChannel channel; // Sent: the channel as it was sent
    std::string when;  // "2026-12-03 14:02:11", local time
};

// The record of what one scanner holds: the scanner never answers and cannot
// be read back, so each upload that ends writes down what it sent. Kept as a
// channel file of Scanlore's own layout, with a first line naming the
// scanner, the last upload's time and port, and a last column saying when
// each channel was sent, so that a person can open it in Scanlore or in a
// spreadsheet.
class ScannerRecord
{
public:
    explicit ScannerRecord(std::string scanner = std::string()) : m_scanner(std::move(scanner)) {}

    const std::string& GetScanner() const { return m_scanner; }
    // Nothing was ever recorded: no upload from here reached this scanner.
    bool IsEmpty() const { return m_memories.empty(); }
    // The memory of this channel number (NothingSent when never reached).
    ScannerMemory Find(std::int32_t number) const;
    // The memories known, by channel number.
    const std::map<std::int32_t, ScannerMemory>& Memories() const { return m_memories; }
    const std::string& GetLastUpload() const { return m_lastUpload; }
    const std::string& GetLastPort() const { return m_lastPort; }

    // What an upload that ended did: of the channels it meant to send, in
    // the order it sent them, the first `finished` reached the scanner and
    // the rest may or may not have. Channels it did not mean to send keep
    // what the record held.
    void ApplyUpload(const std::vector<vnChannel>& meant, std::int32_t finished, const std::string& when,
                     const std::string& port);

    // The file of a scanner in folder: its name made safe for a file name.
    static std::string FileName(const std::string& folder, const std::string& scanner);

    struct ReadResult;
    // A missing file is an empty record without a reason; a file that is not
    // a record (damaged, cut short, edited into something else) is an empty
    // record with the reason: nothing known, never a guess.
    static ReadResult Read(const std::string& fileName, const std::string& scanner);
    // Writes the whole record, replacing the file only once the new one is
    // complete, and makes the folder when it is missing. Empty on success,
    // else why not.
    std::string Write(const std::string& fileName) const;
    // The text Write puts in the file.
    std::string WriteText() const;

    // The moment as the record writes it: "2026-12-03 14:02:11", local time.
    static std::string TimeText(std::chrono::system_clock::time_point moment);
    // "3 Dec 14:02" for "2026-12-03 14:02:11"; "3 Dec" with dateOnly.
    static std::string ShortTime(const std::string& when, bool dateOnly = false);

private:
    std::string m_scanner;
    std::map<std::int32_t, ScannerMemory> m_memories;
    std::string m_lastUpload;
    std::string m_lastPort;
};

struct ScannerRecord::ReadResult
{
    ScannerRecord record;
    // Why the file was not taken; empty when it was, or when there is none.
    std::string problem;
};
