#include "res/ToolbarBitmap.h"

#include "res/ResourceIds.h"

#include <array>
#include <string_view>

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

using Picture = std::array<std::string_view, kHeight>;

// The pictures, one letter per pixel:
// k black, r maroon, g green, o olive, n navy, p purple, t teal, . silver (face),
// d grey, R red, G lime, Y yellow, B blue, M fuchsia, C aqua, w white.
constexpr std::string_view kLetters = "krgontp.dRGYBMCw";

constexpr Picture kScissors = {
    "................", "....k.......k...", "....k.......k...", "....kk.....kk...", ".....k.....k....",
    ".....kk...kk....", "......k...k.....", "......kk.kk.....", ".......kdk......", "......nn.nn.....",
    "....nnn...nnn...", "...n..n...n..n..", "...n..n...n..n..", "...n..n...n..n..", "....nn.....nn...",
};

constexpr Picture kTwoPages = {
    "kkkkkkkk........", "kwwwwwwk........", "kwnnnnwk........", "kwwwwwwk........", "kwnnnkkkkkkkk...",
    "kwwwwkwwwwwwk...", "kwnnnkwnnnnwk...", "kwwwwkwwwwwwk...", "kkkkkkwnnnnwk...", ".....kwwwwwwk...",
    ".....kwnnnnwk...", ".....kwwwwwwk...", ".....kwnnnnwk...", ".....kwwwwwwk...", ".....kkkkkkkk...",
};

constexpr Picture kClipboardWithPage = {
    "....kkkkk.......", "kkkkdddddkkkk...", "koookkkkkoook...", "koooooooooook...", "koooooooooook...",
    "kooooookkkkkkkkk", "koooookwwwwwwwwk", "koooookwnnnnnnwk", "koooookwwwwwwwwk", "koooookwnnnnnnwk",
    "koooookwwwwwwwwk", "koooookwnnnnnnwk", "koooookwwwwwwwwk", "koooookwwwwwwwwk", "kkkkkkkkkkkkkkkk",
};

constexpr Picture kPrinter = {
    "................", "....kkkkkkkk....", "....kwwwwwwk....", "....kwnnnnwk....", "....kwwwwwwk....",
    "..kkkkkkkkkkkk..", ".kddddddddddddk.", "kddddddddddddddk", "kddddddddddGGddk", "kddddddddddddddk",
    "kkkkkkkkkkkkkkkk", "..kwwwwwwwwwwk..", "..kwnnnnnnnnwk..", "..kwwwwwwwwwwk..", "..kkkkkkkkkkkk..",
};

constexpr Picture kQuestionMark = {
    "................", ".....nnnnnn.....", "....nnnnnnnn....", "...nnn....nnn...", "...nnn....nnn...",
    "..........nnn...", ".........nnn....", "........nnn.....", ".......nnn......", ".......nnn......",
    ".......nnn......", "................", ".......nnn......", ".......nnn......", "................",
};

constexpr bool IsWellFormed(const Picture& picture)
{
    for (std::string_view row : picture) {
        if (row.size() != kWidth)
            return false;
        for (char c : row)
            if (kLetters.find(c) == std::string_view::npos)
                return false;
    }
    return true;
}

constexpr Picture kMainFrameImages[] = {kScissors, kTwoPages, kClipboardWithPage, kPrinter, kQuestionMark};

static_assert(
    [] {
        for (const Picture& picture : kMainFrameImages)
            if (!IsWellFormed(picture))
                return false;
        return true;
    }(),
    "every picture row has 16 known letters");
static_assert(kLetters[kToolbarFaceColor] == '.');

// The standard 16-colour palette in the order of kLetters.
constexpr QRgb kPalette[16] = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};

} // namespace

QImage LoadToolbarBitmap(int id)
{
    if (id != IDR_MAINFRAME)
        return {};

    constexpr int count = static_cast<int>(std::size(kMainFrameImages));
    QImage image(kWidth * count, kHeight, QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(std::begin(kPalette), std::end(kPalette)));
    for (int i = 0; i < count; ++i)
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const char letter = kMainFrameImages[i][static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                image.setPixel(i * kWidth + x, y, static_cast<uint>(kLetters.find(letter)));
            }
    return image;
}
