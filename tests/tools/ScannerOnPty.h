#pragma once

#include "tests/tools/TestPty.h"
#include "tools/LineSettings.h"
#include "tools/VirtualScanner.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include <poll.h>

// The virtual scanner inside the test process, on a real pseudo-terminal:
// a thread reads the master side and decodes what the program sends to the
// slave. The line settings are taken at every start packet, as the
// scanlore-vscanner program does.
class ScannerOnPty
{
public:
    ScannerOnPty()
    {
        m_thread = std::thread([this] { Run(); });
    }
    ScannerOnPty(const ScannerOnPty&) = delete;
    ScannerOnPty& operator=(const ScannerOnPty&) = delete;
    ~ScannerOnPty()
    {
        m_quit = true;
        m_thread.join();
    }

    bool Ok() const { return m_pty.Ok(); }
    const std::string& Path() const { return m_pty.Path(); }

    // From now on nothing is read, so the writer's bytes back up.
    void StopReading() { m_reading = false; }
    // Closes both ends, as an unplugged device would vanish. The reader
    // thread closes them itself: while it waits in poll() the master is
    // only released when the poll returns, which would be too late.
    void Vanish()
    {
        std::unique_lock lock(m_mutex);
        m_vanish = true;
        m_changed.wait(lock, [&] { return m_vanished; });
    }

    // Waits until count uploads have been summed up (ended or abandoned).
    bool WaitForSummaries(int count, std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] { return Summaries() >= count; });
    }

    std::vector<ScannerEvent> Events() const
    {
        std::lock_guard lock(m_mutex);
        return m_events;
    }
    std::vector<ScannerEvent> EventsOf(ScannerEvent::Kind kind) const
    {
        std::vector<ScannerEvent> selected;
        for (const auto& event : Events()) {
            if (event.kind == kind)
                selected.push_back(event);
        }
        return selected;
    }
    LineSettings Line() const
    {
        std::lock_guard lock(m_mutex);
        return m_line;
    }
    std::size_t BytesReceived() const
    {
        std::lock_guard lock(m_mutex);
        return m_scanner.BytesReceived();
    }

private:
    int Summaries() const
    {
        int summaries = 0;
        for (const auto& event : m_events)
            summaries += event.kind == ScannerEvent::Kind::Summary ? 1 : 0;
        return summaries;
    }

    void Run()
    {
        std::uint8_t buffer[4096];
        while (!m_quit) {
            int fd = -1;
            {
                std::lock_guard lock(m_mutex);
                if (m_vanish && !m_vanished) {
                    m_pty.CloseMaster();
                    m_pty.CloseSlave();
                    m_vanished = true;
                    m_changed.notify_all();
                }
                fd = m_reading && !m_vanished ? m_pty.Master() : -1;
            }
            if (fd < 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                continue;
            }
            pollfd input{fd, POLLIN, 0};
            if (poll(&input, 1, 20) <= 0)
                continue;
            std::lock_guard lock(m_mutex);
            if (!m_reading || m_vanish)
                continue;
            ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            std::vector<ScannerEvent> events;
            m_scanner.Receive(buffer, static_cast<std::size_t>(n), events);
            for (const auto& event : events) {
                if (event.kind == ScannerEvent::Kind::Start)
                    LineSettings::Read(fd, &m_line);
                m_events.push_back(event);
            }
            if (!events.empty())
                m_changed.notify_all();
        }
    }

    TestPty m_pty;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    VirtualScanner m_scanner;
    std::vector<ScannerEvent> m_events;
    LineSettings m_line;
    bool m_vanish = false;
    bool m_vanished = false;
    std::atomic<bool> m_quit{false};
    std::atomic<bool> m_reading{true};
    std::thread m_thread;
};
