#pragma once

#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <thread>
#include <vector>

// A pseudo-terminal for tests: the program opens the slave by its path, the
// test reads what arrives on the master. A second slave descriptor stays
// open so that the master keeps working while the program's port is closed.
class TestPty
{
public:
    TestPty()
    {
        char name[256] = {};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0)
            m_path = name;
    }
    TestPty(const TestPty&) = delete;
    TestPty& operator=(const TestPty&) = delete;
    ~TestPty()
    {
        CloseMaster();
        CloseSlave();
    }

    bool Ok() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }
    int Master() const { return m_master; }

    termios Line() const
    {
        termios line{};
        tcgetattr(m_master, &line);
        return line;
    }

    // Reads what is there now, waiting up to timeoutMs for the first byte.
    std::vector<unsigned char> ReadAvailable(int timeoutMs = 1000)
    {
        std::vector<unsigned char> bytes;
        fd_set set;
        FD_ZERO(&set);
        FD_SET(m_master, &set);
        timeval wait{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
        if (select(m_master + 1, &set, nullptr, nullptr, &wait) <= 0)
            return bytes;
        unsigned char buffer[4096];
        ssize_t n = read(m_master, buffer, sizeof buffer);
        if (n > 0)
            bytes.assign(buffer, buffer + n);
        return bytes;
    }

    // Reads until count bytes have arrived or nothing comes for timeoutMs.
    std::vector<unsigned char> ReadExactly(std::size_t count, int timeoutMs = 2000)
    {
        std::vector<unsigned char> all;
        while (all.size() < count) {
            auto part = ReadAvailable(timeoutMs);
            if (part.empty())
                break;
            all.insert(all.end(), part.begin(), part.end());
        }
        return all;
    }

    void CloseMaster()
    {
        if (m_master >= 0)
            close(m_master);
        m_master = -1;
    }
    void CloseSlave()
    {
        if (m_slave >= 0)
            close(m_slave);
        m_slave = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_path;
};
