#include "modules/gre1/vnSerialQueueDrain.h"

#include "modules/gre1/vnSerialPort.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// Answers what it was told to, then stops or says stalled as asked.
class RecordingObserver : public vnSerialWaitObserver
{
public:
    bool stopWhenStalled = false;
    int calls = 0;
    bool sawStall = false;

    bool OnPortWait(bool stalled) override
    {
        ++calls;
        sawStall = sawStall || stalled;
        return !(stopWhenStalled && stalled);
    }
};

// A driver queue reading the counts given, then the last one for ever.
vnSerialQueueDrain::QueueReader Queue(std::deque<std::optional<std::uint32_t>> counts)
{
    return [counts]() mutable {
        std::optional<std::uint32_t> count = counts.front();
        if (counts.size() > 1)
            counts.pop_front();
        return count;
    };
}

TEST(SerialQueueDrain, WaitsUntilTheQueueIsEmpty)
{
    RecordingObserver observer;
    std::uint32_t left = 99;
    EXPECT_EQ(vnSerialQueueDrain::Wait(300, 4800, 2, &observer, Queue({200, 100, 0}), &left),
              vnSerialQueueDrain::Outcome::Drained);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(observer.calls, 3);
    EXPECT_FALSE(observer.sawStall);
}

TEST(SerialQueueDrain, AQueueThatStopsMovingIsReportedStalledAndTheObserverCanStopTheWait)
{
    RecordingObserver observer;
    observer.stopWhenStalled = true;
    std::uint32_t left = 0;
    // 100 bytes at 4800 baud are 0.23 s of line: without the observer the
    // wait would go on for the 3 s margin.
    EXPECT_EQ(vnSerialQueueDrain::Wait(100, 4800, 2, &observer, Queue({60}), &left),
              vnSerialQueueDrain::Outcome::Stopped);
    EXPECT_EQ(left, 60u);
    EXPECT_TRUE(observer.sawStall);
}

TEST(SerialQueueDrain, ADeviceThatCannotTellEndsTheWaitWithWhatWasLastQueued)
{
    std::uint32_t left = 0;
    EXPECT_EQ(vnSerialQueueDrain::Wait(500, 9600, 1, nullptr, Queue({400, std::nullopt}), &left),
              vnSerialQueueDrain::Outcome::Late);
    EXPECT_EQ(left, 400u);
}

} // namespace
