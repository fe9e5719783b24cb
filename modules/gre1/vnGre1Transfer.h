#pragma once

#include "modules/vnTransfer.h"

#include <cstdint>
#include <string>
#include <vector>

class vnGre1Module;
class vnGre1Port;

// The GRE Type 1 module's transfer: sends one channel, or a range of the
// channel list, as one upload through the module's port.
//
// Before the port opens, every channel of the upload is checked to fit in a
// packet and to hold no byte that would break the packet's fields; when one
// does not, the upload sends nothing and answers E_INVALIDARG. Indices beyond the list count as absent channels.
class vnGre1Transfer : public vnTransfer
{
public:
    // The list indices that UploadAll sends: the module's 200 channels.
    static constexpr std::int32_t UploadAllFirst = 0;
    static constexpr std::int32_t UploadAllLast = 199;

    explicit vnGre1Transfer(vnGre1Module* owner);
    ~vnGre1Transfer() override;

    vnResult UploadChannel(const vnChannel* channel) override;
    vnResult UploadRange(std::int32_t first, std::int32_t last, const vnChannelList* list) override;
    vnResult UploadAll(const vnChannelList* list) override;

    std::string GetFailureReason() const override;
    // The port's name as configured ("/dev/ttyUSB0", "COM3").
    std::string GetDestination() const override;
    vnResult CheckChannel(const vnChannel* channel, std::string* reason) const override;
    // The module's port writes to the sink while it is set.
    vnResult SetByteSink(vnByteSink* sink) override;

private:
    vnGre1Port* GetPort() const;
    // Checks one channel before anything is sent; counts the packets it
    // adds. False with the reason when the channel cannot be sent.
    static bool Check(const vnChannel& channel, std::int32_t index, std::int32_t* packets, std::string* reason);
    vnResult PortFailed(vnResult result, const vnGre1Port& port);
    void Report(std::int32_t sent, std::int32_t total) const;
    // One upload: the start packet with startCount, a packet for each
    // channel that has a frequency, the end packet; total packets expected.
    vnResult Send(std::uint8_t startCount, const std::vector<const vnChannel*>& channels, std::int32_t total);

    std::string m_failureReason;
};
