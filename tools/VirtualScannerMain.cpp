// scanlore-vscanner: a GRE Type 1 scanner on a pseudo-terminal, for trying
// Scanlore without a scanner and for the end-to-end tests.

#include "ScanloreVersion.h"
#include "tools/LineSettings.h"
#include "tools/VirtualScanner.h"
#include "tools/VirtualScannerReport.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <unistd.h>

namespace {
const char Usage[] = "Usage: scanlore-vscanner [options]\n"
                     "\n"
                     "Plays a RadioShack GRE Type 1 scanner on a pseudo-terminal. The first line\n"
                     "printed is the device to use as the port name in Scanlore's Module\n"
                     "Properties (for example /dev/pts/3). Every packet is checked (sync byte,\n"
                     "length, checksum) and decoded; each channel received is printed, and a\n"
                     "summary after each upload. The line settings the program chose (speed,\n"
                     "stop bits, flow control, raw mode) are printed at each start packet.\n"
                     "Malformed bytes are reported and skipped up to the next sync byte.\n"
                     "\n"
                     "Options:\n"
                     "  --uploads N              exit after N finished uploads, once the sender\n"
                     "                           has closed the device\n"
                     "  --json                   after the device line, one JSON object per line\n"
                     "  --stop-reading-after N   stop reading after N bytes, so that the sender's\n"
                     "                           writes back up (a scanner that hangs)\n"
                     "  --vanish-after N         close the device after N bytes and exit (a scanner\n"
                     "                           unplugged in the middle of an upload)\n"
                     "  --holds                  after each upload's summary, what the memories\n"
                     "                           hold (\"holds\": every memory in use)\n"
                     "  --pace                   read no faster than the line speed the sender set\n"
                     "                           (bytes per second = baud / (1 start + 8 data +\n"
                     "                           stop bits)), as a scanner on a serial line would\n"
                     "  --help                   show this text\n"
                     "  --version                show the version\n"
                     "\n"
                     "JSON events, one per line, each with \"event\" first: \"line\" (baud, dataBits,\n"
                     "parity, stopBits, rtsCts, xonXoff, raw, ...), \"start\" (upload, count),\n"
                     "\"channel\" (upload, number, frequency, car, delay, lockout, priority, text),\n"
                     "\"rejected\" (upload, offset, reason), \"summary\" (upload, count, complete,\n"
                     "packets, stored, rejected, reasons, memoriesInUse), \"stalled\" and \"vanished\"\n"
                     "(bytes).\n"
                     "\n"
                     "Stop it with Ctrl+C.\n";

struct Options
{
    int uploads = 0; // 0: run until stopped
    bool json = false;
    bool pace = false;
    bool holds = false;
    std::optional<std::size_t> stopReadingAfter;
    std::optional<std::size_t> vanishAfter;
};

template <typename Number> bool ParseCount(const char* text, Number* value)
{
    const char* end = text + std::strlen(text);
    auto [last, error] = std::from_chars(text, end, *value);
    return error == std::errc() && last == end && *value > 0;
}

// 0 to go on, otherwise the exit status (1 bad usage, 0 after --help or
// --version).
int ParseOptions(int argc, char** argv, Options* options, bool* exitNow)
{
    *exitNow = false;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* text = nullptr;
        if (option == "--help" || option == "-h") {
            std::fputs(Usage, stdout);
            *exitNow = true;
            return 0;
        }
        if (option == "--version") {
            std::fputs("scanlore-vscanner " SCANLORE_VERSION "\n", stdout);
            *exitNow = true;
            return 0;
        }
        if (option == "--json") {
            options->json = true;
            continue;
        }
        if (option == "--pace") {
            options->pace = true;
            continue;
        }
        if (option == "--holds") {
            options->holds = true;
            continue;
        }
        std::size_t count = 0;
        if (option == "--uploads" && (text = value()) && ParseCount(text, &options->uploads))
            continue;
        if (option == "--stop-reading-after" && (text = value()) && ParseCount(text, &count)) {
            options->stopReadingAfter = count;
            continue;
        }
        if (option == "--vanish-after" && (text = value()) && ParseCount(text, &count)) {
            options->vanishAfter = count;
            continue;
        }
        std::fprintf(stderr, "scanlore-vscanner: bad option or value: %s%s%s\n\n%s", option.c_str(), text ? " " : "",
                     text ? text : "", Usage);
        *exitNow = true;
        return 1;
    }
    return 0;
}

// Exits only once the sender has closed the device (or after a bound), so
// that its last close does not find the line gone and report a failure.
int ExitWhenClosed(int master, int slave)
{
    close(slave);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::vector<std::uint8_t> buffer(4096);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd input{master, POLLIN, 0};
        if (poll(&input, 1, 100) < 0 && errno != EINTR)
            break;
        if ((input.revents & POLLHUP) != 0)
            break;
        // Anything more is not looked at, but must not fill the line.
        if ((input.revents & POLLIN) != 0 && read(master, buffer.data(), buffer.size()) < 0 && errno != EAGAIN &&
            errno != EINTR)
            break;
    }
    close(master);
    return 0;
}

// Lets bytes through no faster than the line speed that the sender set on
// the pseudo-terminal. Idle time banks no more than a few milliseconds of
// credit, as a serial line cannot catch up on the time it stood still.
class LinePacer
{
public:
    // Bytes that may be read now; 0 when the next one is not due yet.
    std::size_t Allowed(int master)
    {
        LineSettings line;
        double bytesPerSecond = 0.0;
        if (LineSettings::Read(master, &line) && line.baudRate > 0)
            bytesPerSecond = line.baudRate / (1.0 + 8.0 + line.stopBits);
        const auto now = std::chrono::steady_clock::now();
        const double elapsed = std::chrono::duration<double>(now - m_last).count();
        m_last = now;
        if (bytesPerSecond <= 0.0)
            return 0;
        m_rate = bytesPerSecond;
        m_credit = std::min(m_credit + elapsed * bytesPerSecond, std::max(1.0, bytesPerSecond * MaxBurstSeconds));
        return static_cast<std::size_t>(m_credit);
    }
    void Took(std::size_t bytes) { m_credit -= static_cast<double>(bytes); }
    // Milliseconds until the next byte is due.
    int WaitMs() const
    {
        if (m_rate <= 0.0)
            return 10;
        return std::max(1, static_cast<int>((1.0 - m_credit) / m_rate * 1000.0) + 1);
    }

private:
    static constexpr double MaxBurstSeconds = 0.005;
    std::chrono::steady_clock::time_point m_last = std::chrono::steady_clock::now();
    double m_credit = 0.0;
    double m_rate = 0.0;
};

void Print(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    bool exitNow = false;
    int status = ParseOptions(argc, argv, &options, &exitNow);
    if (exitNow)
        return status;

    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::fprintf(stderr, "scanlore-vscanner: no pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    // The slave stays open here too, so that the master keeps working while
    // the program has the port closed between uploads. It is not locked,
    // so the program can take its exclusive lock.
    signal(SIGPIPE, SIG_IGN);
    Print(name);
    if (!options.json)
        Print("Virtual GRE Type 1 scanner ready: use the device above as the port name. Ctrl+C stops it.");

    VirtualScannerReport report(options.json);
    VirtualScanner scanner;
    std::size_t received = 0;
    std::vector<std::uint8_t> buffer(4096);
    LinePacer pacer;
    for (;;) {
        std::size_t allowed = buffer.size();
        if (options.pace) {
            allowed = std::min(allowed, pacer.Allowed(master));
            if (allowed == 0) {
                poll(nullptr, 0, pacer.WaitMs());
                continue;
            }
        }
        pollfd input{master, POLLIN, 0};
        int ready = poll(&input, 1, 1000);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0) {
            std::fprintf(stderr, "scanlore-vscanner: %s\n", std::strerror(errno));
            return 1;
        }
        std::vector<ScannerEvent> events;
        std::size_t count = 0;
        bool stop = false;
        bool vanish = false;
        if (ready == 0) {
            // A quiet second ends whatever packet was cut short.
            scanner.Flush(events);
        } else {
            ssize_t n = read(master, buffer.data(), allowed);
            if (n < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (n <= 0) {
                std::fprintf(stderr, "scanlore-vscanner: the device closed: %s\n", std::strerror(errno));
                return 1;
            }
            count = static_cast<std::size_t>(n);
            pacer.Took(count);
            if (options.vanishAfter && received + count >= *options.vanishAfter) {
                count = *options.vanishAfter - received;
                vanish = true;
            }
            if (options.stopReadingAfter && received + count >= *options.stopReadingAfter) {
                count = *options.stopReadingAfter - received;
                stop = true;
            }
            received += count;
            scanner.Receive(buffer.data(), count, events);
        }

        for (const auto& event : events) {
            if (event.kind == ScannerEvent::Kind::Start) {
                LineSettings line;
                if (LineSettings::Read(master, &line))
                    Print(report.Line(line));
            }
            Print(report.Event(event, scanner.MemoriesInUse()));
            if (event.kind == ScannerEvent::Kind::Summary && options.holds)
                Print(report.Holds(scanner));
            if (event.kind == ScannerEvent::Kind::Summary && options.uploads > 0 &&
                scanner.UploadsFinished() >= options.uploads)
                return ExitWhenClosed(master, slave);
        }
        if (vanish) {
            Print(report.Vanished(received));
            close(master);
            close(slave);
            return 0;
        }
        if (stop) {
            Print(report.Stalled(received));
            for (;;)
                pause();
        }
    }
}
