#pragma once

#include "modules/vnResult.h"

#include <cstdint>
#include <string>

class vnByteSink;
class vnChannel;
class vnChannelList;
class vnModule;

// How far an upload has got on the line: the bytes that have left (written
// and no longer waiting in the driver or on the line), and the channels
// whose packets those bytes complete.
struct vnTransferState
{
    std::int32_t channelsSent = 0;
    std::int32_t channels = 0; // channel packets in this upload
    std::uint64_t bytesSent = 0;
    std::uint64_t bytes = 0; // all bytes of this upload
    // The memory number of the last channel sent; 0 before the first. It
    // differs from channelsSent once the upload leaves a channel out.
    std::int32_t lastNumber = 0;
};

// Told after each packet of an upload: packets sent so far, packets in this
// upload. Lets a window show progress and keep painting.
class vnTransferProgress
{
public:
    virtual ~vnTransferProgress() = default;
    virtual void OnProgress(std::int32_t sent, std::int32_t total) = 0;
    // Told after each packet and, while the port waits, at least every
    // 100 ms.
    virtual void OnState(const vnTransferState& state) { (void)state; }
    // Asked at the same moments. Once true, the upload stops after the
    // packet being written, sends its end packet and closes the port; if
    // the line takes no bytes at all it releases the port at once. Either
    // way the upload answers E_ABORT.
    virtual bool IsCancelRequested() { return false; }
};

// Sends channels to a scanner. The base answers E_NOTIMPL for everything.
class vnTransfer
{
public:
    explicit vnTransfer(vnModule* owner) : m_owner(owner) {}
    vnTransfer(const vnTransfer&) = delete;
    vnTransfer& operator=(const vnTransfer&) = delete;
    virtual ~vnTransfer() = default;

    // Three operations that no module implements; they keep their places in
    // the interface and have no caller.
    virtual vnResult Reserved1(std::int32_t, std::int32_t) { return E_NOTIMPL; }
    virtual vnResult Reserved2(std::int32_t, std::int32_t, std::int32_t) { return E_NOTIMPL; }
    virtual vnResult Reserved3(std::int32_t) { return E_NOTIMPL; }

    virtual vnResult UploadChannel(const vnChannel* channel)
    {
        (void)channel;
        return E_NOTIMPL;
    }
    virtual vnResult UploadRange(std::int32_t first, std::int32_t last, const vnChannelList* list)
    {
        (void)first;
        (void)last;
        (void)list;
        return E_NOTIMPL;
    }
    virtual vnResult UploadAll(const vnChannelList* list)
    {
        (void)list;
        return E_NOTIMPL;
    }

    // Why the last upload failed, in words for the user (for example which
    // device could not be opened and the system's reason); empty when unknown.
    virtual std::string GetFailureReason() const { return {}; }

    // Where uploads go, in words for the user (the port's name); empty when unknown.
    virtual std::string GetDestination() const { return {}; }

    // Whether a channel could be sent as it is, without sending anything:
    // S_OK, or a negative result and the reason in words for the user. The
    // window asks this as soon as a channel is edited, so fields are checked
    // even while the channel would not be sent at all. The base has nothing
    // to check.
    virtual vnResult CheckChannel(const vnChannel* channel, std::string* reason) const
    {
        (void)channel;
        if (reason)
            reason->clear();
        return S_OK;
    }

    // While a sink is set (not owned), uploads write their bytes to it, in
    // the blocks they would write to the line, instead of opening the port:
    // a dry run of the same upload. Null goes back to the port. The base
    // has no bytes to give: E_NOTIMPL.
    virtual vnResult SetByteSink(vnByteSink* sink)
    {
        (void)sink;
        return E_NOTIMPL;
    }

    // Optional; not owned. Null (the default) reports nothing.
    void SetProgress(vnTransferProgress* progress) { m_progress = progress; }

protected:
    vnModule* GetOwner() const { return m_owner; }
    vnTransferProgress* GetProgress() const { return m_progress; }

private:
    vnModule* m_owner; // not owned: the module owns this transfer
    vnTransferProgress* m_progress = nullptr;
};
