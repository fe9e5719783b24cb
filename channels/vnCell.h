#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The type of a cell's value; the numbers are the stable type codes.
enum class vnCellType : std::int32_t {
    Empty = 0,
    Bool = 1,
    Int = 2,
    Double = 3,
    String = 4,
};

// One typed value of a cell table. The type decides how the value is spelled
// as text and how it is written to a delimited file (text in quotes, the rest
// bare). All conversions use '.' as decimal point whatever the process locale.
//
// A cell typed by FromText keeps the text it was typed from, so that a field
// read from a file can still be had as the file spells it (a car number "02"
// is the Int 2, and its source text "02"); its value is read from that text
// when asked for. A value given by SetBool, SetInt or SetDouble is kept as is.
//
// A compact value type of 16 bytes: a channel file of a million rows makes a
// table of seven million cells, and first touching its memory costs more than
// parsing the file. Text of up to 15 bytes is kept in place, longer text on
// the heap.
class vnCell
{
public:
    vnCell() noexcept = default;
    // With detectType the text is typed by FromText; without, the cell holds
    // the text unchanged as a String.
    vnCell(std::string_view text, bool detectType);
    vnCell(const vnCell& other);
    vnCell(vnCell&& other) noexcept;
    vnCell& operator=(const vnCell& other);
    vnCell& operator=(vnCell&& other) noexcept;
    ~vnCell() { Reset(); }

    vnCellType GetType() const { return static_cast<vnCellType>(m_tag & kTypeBits); }

    // Each getter answers a fixed value for a cell of another type:
    // false, -1 and -1.0.
    bool GetBool() const;
    std::int32_t GetInt() const;
    double GetDouble() const;
    // The text of a String cell; empty for the other types. Valid until the
    // cell changes.
    std::string_view GetString() const;

    void SetBool(bool value);
    void SetInt(std::int32_t value);
    void SetDouble(double value);
    void SetString(std::string_view text);
    void Reset() noexcept
    {
        if (OnHeap())
            ReleaseHeap();
        m_tag = 0;
    }

    // "True"/"False", "%d", "%f" (six decimals), the text itself, or nothing.
    std::string ToText() const;
    // The text the cell was made from: a String's text; for a cell typed by
    // FromText the text it was typed from, without the blanks at its ends
    // ("02", "0.0", "yes"); otherwise what ToText returns.
    std::string GetSourceText() const;
    // Appends what ToText returns.
    void AppendText(std::string& out) const;

    // Types the text: blanks at both ends are dropped; nothing left is Empty;
    // true/yes/false/no in any letter case are Bool; an optional sign and
    // digits are Int (saturated to the 32-bit range); digits with one point
    // are Double; anything else is the trimmed text as a String. The trimmed
    // text stays in the cell as its source text.
    vnCellType FromText(std::string_view text);

    // Gives this cell the other cell's type and value; null changes nothing.
    void CopyFrom(const vnCell* other);

    bool operator==(const vnCell& other) const;

private:
    static constexpr std::size_t kInlineCapacity = 15;
    // The tag: the type in the low bits; for a cell that holds a text (every
    // String, and a typed cell from FromText) either the heap flag or the
    // length of the text kept in place, in the high four bits. A Bool, Int or
    // Double with neither holds its value in the bytes; its text is never
    // empty, so the two cannot be confused.
    static constexpr std::uint8_t kTypeBits = 0x07;
    static constexpr std::uint8_t kHeapFlag = 0x08;
    static constexpr int kLengthShift = 4;

    bool OnHeap() const { return (m_tag & kHeapFlag) != 0; }
    bool HoldsText() const { return (m_tag & ~kTypeBits) != 0; }
    // The text held; valid only when HoldsText().
    std::string_view Text() const;
    void SetText(vnCellType type, std::string_view text);
    void ReleaseHeap() noexcept;
    void SetScalar(vnCellType type, const void* value, std::size_t size);
    // Takes over the other cell's value and leaves it Empty.
    void Take(vnCell& other) noexcept;

    // A value, a text of up to 15 bytes, or a heap text's address (8 bytes)
    // and length (7 bytes).
    alignas(8) unsigned char m_bytes[kInlineCapacity] = {};
    std::uint8_t m_tag = 0;
};
