#include "tests/support/ScannerOnPty.h"

#include <poll.h>
#include <unistd.h>

ScannerOnPty::ScannerOnPty(bool keepEvents) : m_keepEvents(keepEvents)
{
    m_thread = std::thread([this] { Run(); });
}

ScannerOnPty::~ScannerOnPty()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void ScannerOnPty::StopReading()
{
    std::lock_guard lock(m_mutex);
    m_reading = false;
}

void ScannerOnPty::Vanish()
{
    std::unique_lock lock(m_mutex);
    m_vanish = true;
    m_changed.notify_all();
    m_changed.wait(lock, [&] { return m_vanished; });
}

bool ScannerOnPty::WaitForSummaries(int count, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_summaries >= count; });
}

std::vector<ScannerEvent> ScannerOnPty::Events() const
{
    std::lock_guard lock(m_mutex);
    return m_events;
}

std::vector<ScannerEvent> ScannerOnPty::EventsOf(ScannerEvent::Kind kind) const
{
    std::vector<ScannerEvent> selected;
    for (const auto& event : Events()) {
        if (event.kind == kind)
            selected.push_back(event);
    }
    return selected;
}

int ScannerOnPty::Rejections() const
{
    std::lock_guard lock(m_mutex);
    return m_rejections;
}

std::optional<ScannerChannel> ScannerOnPty::Memory(int number) const
{
    std::lock_guard lock(m_mutex);
    return m_scanner.Memory(number);
}

LineSettings ScannerOnPty::Line() const
{
    std::lock_guard lock(m_mutex);
    return m_line;
}

std::size_t ScannerOnPty::BytesReceived() const
{
    std::lock_guard lock(m_mutex);
    return m_scanner.BytesReceived();
}

void ScannerOnPty::Run()
{
    std::uint8_t buffer[4096];
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] { return m_quit || m_vanish || m_reading; });
        if (m_quit)
            return;
        if (m_vanish) {
            if (!m_vanished) {
                m_pty.Vanish();
                m_vanished = true;
                m_changed.notify_all();
            }
            // Nothing is left to read; wait for the end.
            m_changed.wait(lock, [&] { return m_quit; });
            return;
        }
        const int fd = m_pty.Master();
        lock.unlock();
        // A short poll, so that the flags above are looked at again soon.
        pollfd input{fd, POLLIN, 0};
        const bool ready = poll(&input, 1, 20) > 0;
        lock.lock();
        if (!ready || !m_reading || m_vanish || m_quit)
            continue;
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        std::vector<ScannerEvent> events;
        m_scanner.Receive(buffer, static_cast<std::size_t>(n), events);
        for (auto& event : events) {
            if (event.kind == ScannerEvent::Kind::Start)
                LineSettings::Read(fd, &m_line);
            m_summaries += event.kind == ScannerEvent::Kind::Summary ? 1 : 0;
            m_rejections += event.kind == ScannerEvent::Kind::Rejected ? 1 : 0;
            if (m_keepEvents)
                m_events.push_back(std::move(event));
        }
        if (!events.empty())
            m_changed.notify_all();
    }
}
