#pragma once

#include <termios.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A pseudo-terminal standing in for a serial device: the program opens the
// slave by its path, the test reads what arrives on the master. The
// terminal keeps a slave descriptor of its own, so that the master stays
// readable while the program's port is closed between uploads.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool Ok() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }
    int Master() const { return m_master; }
    // The line as the program last set it up.
    termios Line() const;

    // What has arrived, waiting up to `wait` for the first byte; empty when
    // nothing came.
    std::vector<std::uint8_t> ReadSome(std::chrono::milliseconds wait = std::chrono::seconds(10));
    // Reads until count bytes have arrived or nothing comes for `wait`.
    std::vector<std::uint8_t> Read(std::size_t count, std::chrono::milliseconds wait = std::chrono::seconds(10));
    // Everything written to the device before the call, and nothing after
    // it. A marker written through the terminal's own slave descriptor
    // queues behind those bytes, so reading up to it needs no guess at how
    // long the bytes take to come through.
    std::vector<std::uint8_t> ReadWritten();

    // Closes both ends, as an unplugged device vanishes.
    void Vanish();

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};
