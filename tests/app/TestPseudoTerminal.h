#pragma once

// A pseudo-terminal for upload tests: the program writes to the device path
// as to a serial port, the test reads the bytes from the master side.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

class TestPseudoTerminal
{
public:
    TestPseudoTerminal()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            return;
        const char* name = ptsname(m_master);
        if (!name)
            return;
        m_path = name;
        // Held open so that the port closing its side leaves the bytes
        // readable here.
        m_slave = open(name, O_RDWR | O_NOCTTY);
    }
    ~TestPseudoTerminal()
    {
        if (m_slave >= 0)
            close(m_slave);
        if (m_master >= 0)
            close(m_master);
    }
    TestPseudoTerminal(const TestPseudoTerminal&) = delete;
    TestPseudoTerminal& operator=(const TestPseudoTerminal&) = delete;

    bool IsOpen() const { return m_master >= 0 && m_slave >= 0 && !m_path.empty(); }
    const std::string& Path() const { return m_path; }

    // Everything written so far; waits briefly for stragglers.
    std::vector<std::uint8_t> ReadAll()
    {
        std::vector<std::uint8_t> bytes;
        pollfd ready{m_master, POLLIN, 0};
        while (poll(&ready, 1, 200) > 0 && (ready.revents & POLLIN)) {
            std::uint8_t buffer[4096];
            const ssize_t got = read(m_master, buffer, sizeof buffer);
            if (got <= 0)
                break;
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
        return bytes;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};

// One GRE Type 1 packet as it came over the line.
struct TestPacket
{
    int command;
    int subcommand;
    std::string data;
};

// Splits the bytes into packets: sync 0x81, length, command, subcommand,
// data, checksum. Returns false on anything malformed.
inline bool SplitPackets(const std::vector<std::uint8_t>& bytes, std::vector<TestPacket>* packets)
{
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (bytes[at] != 0x81 || at + 2 >= bytes.size())
            return false;
        const std::size_t length = bytes[at + 1];
        if (length < 4 || at + 2 + length > bytes.size())
            return false;
        unsigned sum = 0;
        for (std::size_t i = at + 1; i < at + 2 + length; ++i)
            sum += bytes[i];
        if (sum % 256 != 0)
            return false;
        TestPacket packet{bytes[at + 2], bytes[at + 3], {}};
        for (std::size_t i = at + 4; i < at + 1 + length; ++i)
            if (bytes[i] != 0)
                packet.data.push_back(static_cast<char>(bytes[i]));
        packets->push_back(packet);
        at += 2 + length;
    }
    return true;
}
