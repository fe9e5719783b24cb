#include "tools/VirtualScannerReport.h"

namespace {
const char HexDigits[] = "0123456789abcdef";

std::string Bool(bool value)
{
    return value ? "true" : "false";
}

std::string Flag(bool value)
{
    return value ? "on " : "off";
}
} // namespace

std::string VirtualScannerReport::JsonString(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7f) {
            // Bytes of the system code page, kept apart as code points.
            out += "\\u00";
            out += HexDigits[byte >> 4];
            out += HexDigits[byte & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string VirtualScannerReport::Printable(const std::string& text)
{
    std::string out;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f || c == '\\') {
            out += "\\x";
            out += HexDigits[byte >> 4];
            out += HexDigits[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::string VirtualScannerReport::Line(const LineSettings& line) const
{
    if (m_json) {
        return "{\"event\":\"line\",\"baud\":" + std::to_string(line.baudRate) +
            ",\"dataBits\":" + std::to_string(line.dataBits) + ",\"parity\":" + Bool(line.parity) +
            ",\"stopBits\":" + std::to_string(line.stopBits) + ",\"rtsCts\":" + Bool(line.rtsCts) +
            ",\"xonXoff\":" + Bool(line.xonXoff) + ",\"raw\":" + Bool(line.Raw()) +
            ",\"outputProcessing\":" + Bool(line.outputProcessing) +
            ",\"inputProcessing\":" + Bool(line.inputProcessing) + ",\"clocal\":" + Bool(line.ignoresModemLines) +
            ",\"hupcl\":" + Bool(line.hangUpOnClose) + "}";
    }
    std::string flow;
    if (line.rtsCts)
        flow = "RTS/CTS flow control";
    if (line.xonXoff)
        flow += std::string(flow.empty() ? "" : " and ") + "XON/XOFF flow control";
    if (flow.empty())
        flow = "no flow control";
    std::string mode = line.Raw() ? "raw" : "NOT raw:";
    if (line.outputProcessing)
        mode += " output processing on (LF may become CR LF)";
    if (line.inputProcessing)
        mode += std::string(line.outputProcessing ? "," : "") + " input processing on";
    return "line: " + std::to_string(line.baudRate) + " baud, " + std::to_string(line.dataBits) + " data bits, " +
        (line.parity ? "parity" : "no parity") + ", " + std::to_string(line.stopBits) +
        (line.stopBits == 1 ? " stop bit, " : " stop bits, ") + flow + ", " + mode;
}

std::string VirtualScannerReport::Event(const ScannerEvent& event, int memoriesInUse) const
{
    const std::string upload = std::to_string(event.upload);
    switch (event.kind) {
    case ScannerEvent::Kind::Start:
        if (m_json)
            return "{\"event\":\"start\",\"upload\":" + upload + ",\"count\":" + std::to_string(event.count) + "}";
        return "upload " + upload + ": start packet, count " + std::to_string(event.count);

    case ScannerEvent::Kind::Channel: {
        const ScannerChannel& c = event.channel;
        if (m_json) {
            return "{\"event\":\"channel\",\"upload\":" + upload + ",\"number\":" + std::to_string(c.number) +
                ",\"frequency\":" + JsonString(c.frequency) + ",\"car\":" + JsonString(c.carNumber) +
                ",\"delay\":" + Bool(c.delay) + ",\"lockout\":" + Bool(c.lockout) +
                ",\"priority\":" + Bool(c.priority) + ",\"text\":" + JsonString(event.text) + "}";
        }
        std::string number = std::to_string(c.number);
        std::string frequency = Printable(c.frequency);
        std::string line = "  channel " + std::string(number.size() < 3 ? 3 - number.size() : 0, ' ') + number + "  " +
            std::string(frequency.size() < 9 ? 9 - frequency.size() : 0, ' ') + frequency + " MHz  delay " +
            Flag(c.delay) + "  lockout " + Flag(c.lockout) + "  priority " + Flag(c.priority);
        if (!c.carNumber.empty())
            line += "  car " + Printable(c.carNumber);
        return line;
    }

    case ScannerEvent::Kind::Rejected:
        if (m_json) {
            return "{\"event\":\"rejected\",\"upload\":" + upload + ",\"offset\":" + std::to_string(event.offset) +
                ",\"reason\":" + JsonString(event.reason) + "}";
        }
        return "  REJECTED at byte " + std::to_string(event.offset) + ": " + Printable(event.reason);

    case ScannerEvent::Kind::Summary: {
        const std::string rejected = std::to_string(event.rejections.size());
        if (m_json) {
            std::string reasons = "[";
            for (std::size_t i = 0; i < event.rejections.size(); ++i)
                reasons += (i ? "," : "") + JsonString(event.rejections[i]);
            reasons += "]";
            return "{\"event\":\"summary\",\"upload\":" + upload + ",\"count\":" + std::to_string(event.count) +
                ",\"complete\":" + Bool(event.complete) + ",\"packets\":" + std::to_string(event.packets) +
                ",\"stored\":" + std::to_string(event.stored) + ",\"rejected\":" + rejected +
                ",\"reasons\":" + reasons + ",\"memoriesInUse\":" + std::to_string(memoriesInUse) + "}";
        }
        std::string text = "upload " + upload + (event.complete ? " done" : " ABANDONED without end packet") + ": " +
            std::to_string(event.stored) + " channels stored, " + rejected + " rejected; " +
            std::to_string(memoriesInUse) + " of 200 memories in use";
        for (const auto& reason : event.rejections)
            text += "\n  rejected: " + Printable(reason);
        return text;
    }
    }
    return {};
}

std::string VirtualScannerReport::Holds(const VirtualScanner& scanner) const
{
    std::string text = m_json ? "{\"event\":\"holds\",\"memories\":[" : "holds:";
    bool first = true;
    for (int number = 1; number <= VirtualScanner::Memories; ++number) {
        const std::optional<ScannerChannel>& memory = scanner.Memory(number);
        if (!memory)
            continue;
        const ScannerChannel& c = *memory;
        if (m_json)
            text += std::string(first ? "" : ",") + "{\"number\":" + std::to_string(number) +
                ",\"frequency\":" + JsonString(c.frequency) + ",\"car\":" + JsonString(c.carNumber) +
                ",\"delay\":" + Bool(c.delay) + ",\"lockout\":" + Bool(c.lockout) +
                ",\"priority\":" + Bool(c.priority) + "}";
        else
            text += std::string(first ? " " : ", ") + std::to_string(number) + " " + Printable(c.frequency) +
                (c.carNumber.empty() ? "" : " car " + Printable(c.carNumber)) + (c.lockout ? " locked out" : "");
        first = false;
    }
    if (m_json)
        return text + "]}";
    return first ? text + " nothing" : text;
}

std::string VirtualScannerReport::Stalled(std::size_t bytes) const
{
    if (m_json)
        return "{\"event\":\"stalled\",\"bytes\":" + std::to_string(bytes) + "}";
    return "stopped reading after " + std::to_string(bytes) + " bytes; the sender's writes will back up";
}

std::string VirtualScannerReport::Vanished(std::size_t bytes) const
{
    if (m_json)
        return "{\"event\":\"vanished\",\"bytes\":" + std::to_string(bytes) + "}";
    return "vanishing after " + std::to_string(bytes) + " bytes, as an unplugged scanner would";
}
