#include "channels/vnTextDecoder.h"

#include "channels/vnWords.h"
#include "res/ResourceIds.h"

#include <cstdint>
#include <utility>

namespace {

// Converted text goes out in pieces made from this many bytes or so.
constexpr std::size_t kPieceBytes = std::size_t{1} << 16;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

// Windows-1252 from 0x80 to 0x9F; the bytes it leaves undefined stand for
// themselves. From 0xA0 on it is Latin-1.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The length of the longest beginning of text that is valid UTF-8: no
// overlong forms, no surrogates, nothing beyond U+10FFFF.
std::size_t ValidUtf8Length(std::string_view text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    const auto continuation = [&](std::size_t at, unsigned char low = 0x80, unsigned char high = 0xBF) {
        return at < n && bytes[at] >= low && bytes[at] <= high;
    };
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = bytes[i];
        std::size_t length = 0;
        if (b < 0x80)
            length = 1;
        else if (b >= 0xC2 && b <= 0xDF)
            length = continuation(i + 1) ? 2 : 0;
        else if (b >= 0xE0 && b <= 0xEF)
            length =
                continuation(i + 1, b == 0xE0 ? 0xA0 : 0x80, b == 0xED ? 0x9F : 0xBF) && continuation(i + 2) ? 3 : 0;
        else if (b >= 0xF0 && b <= 0xF4)
            length = continuation(i + 1, b == 0xF0 ? 0x90 : 0x80, b == 0xF4 ? 0x8F : 0xBF) && continuation(i + 2) &&
                    continuation(i + 3)
                ? 4
                : 0;
        if (length == 0)
            return i;
        i += length;
    }
    return n;
}

} // namespace

std::string_view vnTextEncodingName(vnTextEncoding encoding)
{
    switch (encoding) {
    case vnTextEncoding::Utf8:
        return "UTF-8";
    case vnTextEncoding::Utf16LittleEndian:
        return "UTF-16 LE";
    case vnTextEncoding::Utf16BigEndian:
        return "UTF-16 BE";
    case vnTextEncoding::Windows1252:
        return "Windows-1252";
    }
    return {};
}

vnTextDecoder::vnTextDecoder(std::string_view bytes) : m_rest(bytes)
{
    if (bytes.starts_with(kUtf8Mark)) {
        m_rest.remove_prefix(kUtf8Mark.size());
        // The mark promises UTF-8: what follows is handed on as far as it
        // keeps the promise.
        const std::size_t valid = ValidUtf8Length(m_rest);
        if (valid < m_rest.size()) {
            m_rest = m_rest.substr(0, valid);
            m_error = vnWords::Say(IDS_DECODE_NOT_UTF8);
        }
    } else if (bytes.starts_with(kUtf16LittleEndianMark)) {
        m_encoding = vnTextEncoding::Utf16LittleEndian;
        m_rest.remove_prefix(kUtf16LittleEndianMark.size());
    } else if (bytes.starts_with(kUtf16BigEndianMark)) {
        m_encoding = vnTextEncoding::Utf16BigEndian;
        m_rest.remove_prefix(kUtf16BigEndianMark.size());
    } else if (ValidUtf8Length(bytes) < bytes.size()) {
        m_encoding = vnTextEncoding::Windows1252;
    }
}

std::string_view vnTextDecoder::Next()
{
    switch (m_encoding) {
    case vnTextEncoding::Utf16LittleEndian:
    case vnTextEncoding::Utf16BigEndian:
        return NextUtf16();
    case vnTextEncoding::Windows1252:
        return NextWindows1252();
    case vnTextEncoding::Utf8:
        break;
    }
    return std::exchange(m_rest, {});
}

std::string_view vnTextDecoder::NextWindows1252()
{
    const std::string_view bytes = m_rest.substr(0, kPieceBytes);
    m_rest.remove_prefix(bytes.size());
    m_piece.clear();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            m_piece += c;
        else
            AppendUtf8(m_piece, b < 0xA0 ? kWindows1252High[b - 0x80] : b);
    }
    return m_piece;
}

std::string_view vnTextDecoder::NextUtf16()
{
    const bool littleEndian = m_encoding == vnTextEncoding::Utf16LittleEndian;
    const auto unitAt = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(m_rest[at]);
        const auto second = static_cast<unsigned char>(m_rest[at + 1]);
        return static_cast<char32_t>(littleEndian ? first | (second << 8) : (first << 8) | second);
    };
    m_piece.clear();
    std::size_t at = 0;
    while (at + 1 < m_rest.size() && at < kPieceBytes) {
        const char32_t unit = unitAt(at);
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            m_error = vnWords::Say(IDS_DECODE_LONE_SURROGATE);
            break;
        }
        if (unit < 0xD800 || unit > 0xDBFF) {
            AppendUtf8(m_piece, unit);
            at += 2;
            continue;
        }
        const char32_t low = at + 3 < m_rest.size() ? unitAt(at + 2) : 0;
        if (low < 0xDC00 || low > 0xDFFF) {
            m_error = vnWords::Say(IDS_DECODE_LONE_SURROGATE);
            break;
        }
        AppendUtf8(m_piece, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        at += 4;
    }
    if (m_error.empty() && at + 1 == m_rest.size())
        m_error = vnWords::Say(IDS_DECODE_HALF_UTF16);
    m_rest = m_error.empty() ? m_rest.substr(at) : std::string_view();
    return m_piece;
}
