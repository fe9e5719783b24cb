#include "modules/gre1/vnSerialQueueDrain.h"

#include "modules/gre1/vnSerialPort.h"

#include <thread>

using Clock = std::chrono::steady_clock;

vnSerialQueueDrain::Outcome vnSerialQueueDrain::Wait(std::uint32_t pending, std::uint32_t baudRate,
                                                     std::uint8_t stopBits, vnSerialWaitObserver* observer,
                                                     const QueueReader& queued, std::uint32_t* left)
{
    const double bitsPerByte = 9.0 + (stopBits == 2 ? 2.0 : 1.0);
    const auto lineTime = std::chrono::duration<double>(pending * bitsPerByte / (baudRate ? baudRate : 1));
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(lineTime) + Margin;
    auto lastMoved = Clock::now();
    while (pending > 0 && Clock::now() < deadline) {
        if (observer && !observer->OnPortWait(Clock::now() - lastMoved >= vnSerialPort::StallTime)) {
            *left = pending;
            return Outcome::Stopped;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const std::optional<std::uint32_t> now = queued();
        if (!now)
            break;
        if (*now < pending)
            lastMoved = Clock::now();
        pending = *now;
    }
    *left = pending;
    return pending > 0 ? Outcome::Late : Outcome::Drained;
}
