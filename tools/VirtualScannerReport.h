#pragma once

#include "tools/LineSettings.h"
#include "tools/VirtualScanner.h"

#include <cstddef>
#include <string>

// Turns what the virtual scanner sees into lines for a person or, with
// json, into one JSON object per line for programs. Texts from the wire are
// escaped: bytes outside printable ASCII never reach the terminal raw.
class VirtualScannerReport
{
public:
    explicit VirtualScannerReport(bool json) : m_json(json) {}

    std::string Line(const LineSettings& line) const;
    std::string Event(const ScannerEvent& event, int memoriesInUse) const;
    // What the scanner holds now, every memory in use: one line, a JSON
    // object {"event":"holds","memories":[{"number":1,...},...]} or, for a
    // person, "holds: 1 146.5200 ..., 3 ...".
    std::string Holds(const VirtualScanner& scanner) const;
    // The scanner stopped reading after bytes, so the writer backs up.
    std::string Stalled(std::size_t bytes) const;
    // The scanner closes its end after bytes, as an unplugged device would.
    std::string Vanished(std::size_t bytes) const;

    static std::string JsonString(const std::string& text);
    static std::string Printable(const std::string& text);

private:
    bool m_json;
};
