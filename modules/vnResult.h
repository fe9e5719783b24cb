#pragma once

#include <cstdint>

// Result codes of module, transfer and serial-port operations. Callers test
// for a negative result only (vnFailed); 1 marks a channel the upload skipped.
using vnResult = std::int32_t;

inline constexpr vnResult S_OK = 0;
inline constexpr vnResult S_SKIPPED = 1;
inline constexpr vnResult E_NOTIMPL = static_cast<vnResult>(0x80004001u);
inline constexpr vnResult E_INVALIDARG = static_cast<vnResult>(0x80070057u);
inline constexpr vnResult E_FAIL = static_cast<vnResult>(0x80004005u);
// The user stopped the operation; a failure, but no fault to report.
inline constexpr vnResult E_ABORT = static_cast<vnResult>(0x80004004u);

inline constexpr bool vnFailed(vnResult result)
{
    return result < 0;
}
