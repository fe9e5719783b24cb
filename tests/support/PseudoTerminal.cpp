#include "tests/support/PseudoTerminal.h"

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>

namespace {
// No byte of it is one that output processing on a cooked line changes.
constexpr std::string_view Marker = "<end of what the device was given: 5c4a7e>";
} // namespace

PseudoTerminal::PseudoTerminal()
{
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0)
        m_path = name;
}

PseudoTerminal::~PseudoTerminal()
{
    Vanish();
}

termios PseudoTerminal::Line() const
{
    termios line{};
    tcgetattr(m_master, &line);
    return line;
}

std::vector<std::uint8_t> PseudoTerminal::ReadSome(std::chrono::milliseconds wait)
{
    pollfd input{m_master, POLLIN, 0};
    if (m_master < 0 || poll(&input, 1, static_cast<int>(wait.count())) <= 0)
        return {};
    std::uint8_t buffer[4096];
    const ssize_t got = read(m_master, buffer, sizeof buffer);
    if (got <= 0)
        return {};
    return {buffer, buffer + got};
}

std::vector<std::uint8_t> PseudoTerminal::Read(std::size_t count, std::chrono::milliseconds wait)
{
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < count) {
        const auto part = ReadSome(wait);
        if (part.empty())
            break;
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return bytes;
}

std::vector<std::uint8_t> PseudoTerminal::ReadWritten()
{
    std::vector<std::uint8_t> bytes;
    if (m_slave < 0 || write(m_slave, Marker.data(), Marker.size()) != static_cast<ssize_t>(Marker.size()))
        return bytes;
    const auto endsWithMarker = [&] {
        return bytes.size() >= Marker.size() && std::equal(Marker.rbegin(), Marker.rend(), bytes.rbegin());
    };
    while (!endsWithMarker()) {
        const auto part = ReadSome();
        if (part.empty())
            return bytes; // the marker never came: the caller sees it in the bytes
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    bytes.resize(bytes.size() - Marker.size());
    return bytes;
}

void PseudoTerminal::Vanish()
{
    if (m_master >= 0)
        close(m_master);
    if (m_slave >= 0)
        close(m_slave);
    m_master = m_slave = -1;
}
