#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Takes the bytes of an upload in place of a serial line, in the blocks the
// transfer writes them: a dry run shows what would be sent without opening
// a port. See vnTransfer::SetByteSink.
class vnByteSink
{
public:
    virtual ~vnByteSink() = default;
    // False, with the reason in words for the user, when the bytes could not
    // be taken; the upload then fails with that reason.
    virtual bool Take(const std::uint8_t* data, std::size_t size, std::string* reason) = 0;
};
