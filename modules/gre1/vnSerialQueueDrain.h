#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

class vnSerialWaitObserver;

// Waits while a serial device's driver queue empties before the device is
// closed: at most the line time of the queued bytes (start bit, 8 data bits,
// the stop bits) plus Margin, telling the wait observer about every 10 ms
// whether the queue has stopped moving. The devices of each platform supply
// only how to read their queue.
class vnSerialQueueDrain
{
public:
    // Extra time allowed beyond the line time of the queued bytes.
    static constexpr std::chrono::milliseconds Margin{3000};

    enum class Outcome {
        Drained, // the queue is empty
        Late,    // bytes were still queued when the time ran out
        Stopped, // the observer stopped the wait
    };

    // The bytes the driver still holds, or nothing when the device cannot
    // say (the wait then ends with the last count read).
    using QueueReader = std::function<std::optional<std::uint32_t>()>;

    // pending is the queue read just before; *left receives the last count.
    static Outcome Wait(std::uint32_t pending, std::uint32_t baudRate, std::uint8_t stopBits,
                        vnSerialWaitObserver* observer, const QueueReader& queued, std::uint32_t* left);
};
