#pragma once

#include <string>
#include <string_view>

// The character encodings a delimited file can be read in.
enum class vnTextEncoding {
    Utf8,
    Utf16LittleEndian,
    Utf16BigEndian,
    Windows1252,
};

// The encoding's name for the user: "UTF-8", "UTF-16 LE", "UTF-16 BE",
// "Windows-1252".
std::string_view vnTextEncodingName(vnTextEncoding encoding);

// Turns the bytes of a whole file into UTF-8 text, a piece at a time.
//
// A byte order mark says UTF-8 or UTF-16, little or big endian, and is
// dropped. Without one, bytes that are valid UTF-8 throughout are UTF-8 and
// any others are Windows-1252, as spreadsheets on Windows save them; one
// invalid byte at the end decides it, which is why the decoder takes the
// bytes whole. Windows-1252 gives every byte a character: the five that it
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control
// characters of the same number, as Windows converts them.
//
// Bytes that break the encoding their mark claims (a UTF-16 surrogate without
// its pair, half a UTF-16 character at the end, invalid UTF-8 after a UTF-8
// mark) stop decoding with a reason rather than being replaced: a file that
// is not what it says is refused, never read as something else. UTF-8 is
// handed on where it lies; the others are converted piece by piece.
class vnTextDecoder
{
public:
    explicit vnTextDecoder(std::string_view bytes);

    vnTextEncoding GetEncoding() const { return m_encoding; }

    // The next piece of UTF-8 text, valid until the next call; empty when
    // everything is decoded or decoding has stopped.
    std::string_view Next();

    // Why decoding stopped before the end ("a UTF-16 surrogate without its
    // pair"); empty when it did not.
    const std::string& GetError() const { return m_error; }

private:
    std::string_view NextUtf16();
    std::string_view NextWindows1252();

    std::string_view m_rest;
    vnTextEncoding m_encoding = vnTextEncoding::Utf8;
    std::string m_piece;
    std::string m_error;
};
