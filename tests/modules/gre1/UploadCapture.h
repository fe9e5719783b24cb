#pragma once

// A pseudo-terminal standing in for the scanner: the port opens the slave
// by its path, a thread drains the master into a byte buffer, and the test
// takes the bytes and splits them into packets.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

class UploadCapture
{
public:
    UploadCapture()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        char name[128] = {};
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0 ||
            ptsname_r(m_master, name, sizeof name) != 0)
            return;
        // A slave descriptor of our own keeps the master readable while the
        // port is closed between uploads.
        m_slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_slave < 0)
            return;
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
        m_path = name;
        m_thread = std::thread([this] { Run(); });
    }
    UploadCapture(const UploadCapture&) = delete;
    UploadCapture& operator=(const UploadCapture&) = delete;
    ~UploadCapture()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_slave >= 0)
            close(m_slave);
        if (m_master >= 0)
            close(m_master);
    }

    bool Ok() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }

    // Waits until at least count bytes have come (at most timeout), then a
    // little longer so that stray extra bytes show, and hands out everything
    // received so far.
    std::vector<std::uint8_t> Take(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        std::unique_lock lock(m_mutex);
        m_arrived.wait_for(lock, timeout, [&] { return m_bytes.size() >= count; });
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        lock.lock();
        std::vector<std::uint8_t> bytes;
        bytes.swap(m_bytes);
        return bytes;
    }

private:
    void Run()
    {
        std::uint8_t buffer[4096];
        while (!m_stop) {
            pollfd fd{m_master, POLLIN, 0};
            if (poll(&fd, 1, 20) <= 0)
                continue;
            const ssize_t n = read(m_master, buffer, sizeof buffer);
            if (n <= 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            std::lock_guard lock(m_mutex);
            m_bytes.insert(m_bytes.end(), buffer, buffer + n);
            m_arrived.notify_all();
        }
    }

    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<std::uint8_t> m_bytes;
    std::thread m_thread;
};

// One packet as the scanner would see it.
struct DecodedPacket
{
    std::uint8_t command = 0;
    std::uint8_t subcommand = 0;
    std::string data; // the data bytes; a lone 0x00 byte stands for empty data
    bool checksumOk = false;

    bool operator==(const DecodedPacket&) const = default;
};

inline void PrintTo(const DecodedPacket& packet, std::ostream* os)
{
    *os << "{cmd " << int(packet.command) << ", sub " << int(packet.subcommand) << ", data \"";
    for (char c : packet.data) {
        if (c >= 0x20 && c < 0x7F)
            *os << c;
        else
            *os << "\\x" << std::hex << (static_cast<unsigned>(c) & 0xFF) << std::dec;
    }
    *os << "\"" << (packet.checksumOk ? "" : ", BAD CHECKSUM") << "}";
}

// Splits bytes into packets by sync byte and length; anything that does not
// frame as a packet ends the split and is reported through *rest.
inline std::vector<DecodedPacket> DecodePackets(const std::vector<std::uint8_t>& bytes, std::size_t* rest = nullptr)
{
    std::vector<DecodedPacket> packets;
    std::size_t at = 0;
    while (at + 6 <= bytes.size() && bytes[at] == 0x81) {
        const std::size_t length = bytes[at + 1];
        if (length < 4 || at + 2 + length > bytes.size())
            break;
        DecodedPacket packet;
        packet.command = bytes[at + 2];
        packet.subcommand = bytes[at + 3];
        const std::size_t dataSize = length - 3;
        packet.data.assign(reinterpret_cast<const char*>(&bytes[at + 4]), dataSize);
        if (packet.data == std::string(1, '\0'))
            packet.data.clear();
        unsigned sum = 0;
        for (std::size_t i = at + 1; i < at + 2 + length; ++i)
            sum += bytes[i];
        packet.checksumOk = (sum & 0xFF) == 0;
        packets.push_back(packet);
        at += 2 + length;
    }
    if (rest)
        *rest = bytes.size() - at;
    return packets;
}

inline DecodedPacket StartPacket(std::uint8_t count)
{
    return {1, 1, std::string(1, static_cast<char>(count)), true};
}
inline DecodedPacket ChannelPacket(const std::string& text)
{
    return {0x10, 0, text, true};
}
inline DecodedPacket EndPacket()
{
    return {2, 1, "", true};
}
