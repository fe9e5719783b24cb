#include "channels/vnTextDecoder.h"
#include "channels/vnDelimitedFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

struct Decoded
{
    vnTextEncoding encoding;
    std::string text;
    std::string error;
};

Decoded Decode(std::string_view bytes)
{
    vnTextDecoder decoder(bytes);
    Decoded decoded{decoder.GetEncoding(), {}, {}};
    for (std::string_view piece = decoder.Next(); !piece.empty(); piece = decoder.Next())
        decoded.text += piece;
    decoded.error = decoder.GetError();
    return decoded;
}

struct DecodeCase
{
    std::string bytes;
    vnTextEncoding encoding;
    std::string text;
    std::string error = {};
};

void PrintTo(const DecodeCase& c, std::ostream* os)
{
    *os << testing::PrintToString(c.bytes);
}

class Decoding : public testing::TestWithParam<DecodeCase>
{};

TEST_P(Decoding, GivesUtf8OrAReason)
{
    const Decoded decoded = Decode(GetParam().bytes);
    EXPECT_EQ(decoded.encoding, GetParam().encoding);
    EXPECT_EQ(decoded.text, GetParam().text);
    EXPECT_EQ(decoded.error, GetParam().error);
}

constexpr auto kUtf8 = vnTextEncoding::Utf8;
constexpr auto kLittle = vnTextEncoding::Utf16LittleEndian;
constexpr auto kBig = vnTextEncoding::Utf16BigEndian;
constexpr auto k1252 = vnTextEncoding::Windows1252;
const std::string kSurrogateReason = "a UTF-16 surrogate without its pair";

INSTANTIATE_TEST_SUITE_P(ByteOrderMarks, Decoding,
                         testing::Values(DecodeCase{"\xEF\xBB\xBF"
                                                    "a,\xC3\xA9\r\n",
                                                    kUtf8, "a,\xC3\xA9\r\n"},
                                         DecodeCase{"\xFF\xFE"
                                                    "a\0,\0\xE9\0\r\0\n\0"s,
                                                    kLittle, "a,\xC3\xA9\r\n"},
                                         DecodeCase{"\xFE\xFF"
                                                    "\0a\0,\0\xE9"s,
                                                    kBig, "a,\xC3\xA9"},
                                         // U+1F4FB, a radio, is a surrogate pair.
                                         DecodeCase{"\xFF\xFE"
                                                    "=\xD8\xFB\xDC"s,
                                                    kLittle, "\xF0\x9F\x93\xBB"},
                                         DecodeCase{"\xFE\xFF"
                                                    "\xD8=\xDC\xFB"s,
                                                    kBig, "\xF0\x9F\x93\xBB"},
                                         DecodeCase{"\xFF\xFE", kLittle, ""}));

INSTANTIATE_TEST_SUITE_P(
    WithoutMark, Decoding,
    testing::Values(DecodeCase{"Caf\xC3\xA9,\xF0\x9F\x93\xBB", kUtf8, "Caf\xC3\xA9,\xF0\x9F\x93\xBB"},
                    DecodeCase{"a\0b"s, kUtf8, "a\0b"s},
                    // One byte that UTF-8 does not allow makes all of it Windows-1252.
                    DecodeCase{"Caf\xC3\xA9 Caf\xE9", k1252, "Caf\xC3\x83\xC2\xA9 Caf\xC3\xA9"},
                    DecodeCase{"\x80\x9F\xA0\xFF", k1252, "\xE2\x82\xAC\xC5\xB8\xC2\xA0\xC3\xBF"},
                    // The five bytes Windows-1252 leaves undefined.
                    DecodeCase{"\x81\x8D\x8F\x90\x9D", k1252, "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
                    // Overlong, surrogate and cut-short forms are not UTF-8.
                    DecodeCase{"\xC0\xAF", k1252, "\xC3\x80\xC2\xAF"},
                    DecodeCase{"\xED\xA0\x80", k1252, "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
                    DecodeCase{"a\xC3", k1252, "a\xC3\x83"}));

INSTANTIATE_TEST_SUITE_P(Refused, Decoding,
                         testing::Values(DecodeCase{"\xFF\xFE"
                                                    "a\0\x00\xDC"
                                                    "b\0"s,
                                                    kLittle, "a", kSurrogateReason},
                                         DecodeCase{"\xFF\xFE"
                                                    "a\0=\xD8"
                                                    "b\0"s,
                                                    kLittle, "a", kSurrogateReason},
                                         DecodeCase{"\xFE\xFF"
                                                    "\0a\xD8="s,
                                                    kBig, "a", kSurrogateReason},
                                         DecodeCase{"\xFF\xFE"
                                                    "a\0b"s,
                                                    kLittle, "a", "the text ends in half a UTF-16 character"},
                                         DecodeCase{"\xEF\xBB\xBF"
                                                    "ok\xE9",
                                                    kUtf8, "ok",
                                                    "not UTF-8 although the file begins with the UTF-8 mark"}));

// Converted text comes in pieces; a character must not be split between
// them, whatever its size.
TEST(vnTextDecoder, LongTextsDecodeWhole)
{
    std::string utf16 = "\xFF\xFE", cp1252, fromUtf16, from1252;
    for (int i = 0; i < 30000; ++i) {
        utf16 += "\xE9\0=\xD8\xFB\xDC"s, fromUtf16 += "\xC3\xA9\xF0\x9F\x93\xBB";
        cp1252 += "\xE9\x80", from1252 += "\xC3\xA9\xE2\x82\xAC";
    }
    EXPECT_EQ(Decode(utf16).text, fromUtf16);
    EXPECT_EQ(Decode(cp1252).text, from1252);
}

// What the file layer makes of it: the rows, the encoding to tell the user,
// and a decoding failure named by its line with the rows before it kept.
TEST(vnTextDecoder, TheFileSaysWhatItReadAndWhere)
{
    vnCellTable table;
    vnDelimitedFile file(&table);
    ASSERT_TRUE(file.ReadText("\"Caf\xE9\",\x80\r\n"));
    EXPECT_EQ(file.GetEncoding(), vnTextEncoding::Windows1252);
    EXPECT_EQ(vnTextEncodingName(file.GetEncoding()), "Windows-1252");
    EXPECT_EQ(table.GetCell(0, 0)->GetString(), "Caf\xC3\xA9");
    EXPECT_EQ(table.GetCell(0, 1)->GetString(), "\xE2\x82\xAC");

    // The mark is no part of the first field.
    ASSERT_TRUE(file.ReadText("\xEF\xBB\xBFID,1\r\n"));
    EXPECT_EQ(file.GetEncoding(), vnTextEncoding::Utf8);
    EXPECT_EQ(table.GetCell(0, 0)->GetString(), "ID");

    EXPECT_FALSE(file.ReadText("\xFE\xFF\0a\0\n\0b\0\n\0c\xDC\0"s));
    EXPECT_EQ(file.GetEncoding(), vnTextEncoding::Utf16BigEndian);
    EXPECT_EQ(file.GetLastError(), "line 3: a UTF-16 surrogate without its pair");
    EXPECT_EQ(table.GetRowCount(), 2);
}

} // namespace
