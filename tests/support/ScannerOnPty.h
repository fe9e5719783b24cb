#pragma once

#include "tests/support/PseudoTerminal.h"
#include "tools/LineSettings.h"
#include "tools/VirtualScanner.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// The virtual scanner inside the test process, on a pseudo-terminal: a
// thread reads the master side and decodes what the program sends to the
// slave. The line settings are taken at every start packet, as the
// scanlore-vscanner program does.
class ScannerOnPty
{
public:
    // Without keepEvents only the counts are kept, for runs of many uploads.
    explicit ScannerOnPty(bool keepEvents = true);
    ~ScannerOnPty();
    ScannerOnPty(const ScannerOnPty&) = delete;
    ScannerOnPty& operator=(const ScannerOnPty&) = delete;

    bool Ok() const { return m_pty.Ok(); }
    const std::string& Path() const { return m_pty.Path(); }

    // From now on nothing is read, so the writer's bytes back up.
    void StopReading();
    // Closes both ends, as an unplugged device would vanish. The reader
    // thread closes them itself: while it waits in poll() the master is
    // only released when the poll returns, which would be too late.
    void Vanish();

    // Waits until count uploads have been summed up (ended or abandoned).
    bool WaitForSummaries(int count, std::chrono::milliseconds timeout = std::chrono::seconds(10));

    std::vector<ScannerEvent> Events() const;
    std::vector<ScannerEvent> EventsOf(ScannerEvent::Kind kind) const;
    int Rejections() const;
    // What memory number (1 to 200) holds now.
    std::optional<ScannerChannel> Memory(int number) const;
    LineSettings Line() const;
    std::size_t BytesReceived() const;

private:
    void Run();

    PseudoTerminal m_pty;
    const bool m_keepEvents;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    VirtualScanner m_scanner;
    std::vector<ScannerEvent> m_events;
    int m_summaries = 0;
    int m_rejections = 0;
    LineSettings m_line;
    bool m_reading = true;
    bool m_vanish = false;
    bool m_vanished = false;
    bool m_quit = false;
    std::thread m_thread;
};
