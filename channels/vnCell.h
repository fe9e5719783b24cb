#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

// The type of a cell's value; the numbers are the stable type codes.
enum class vnCellType : std::int32_t
{
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
// A plain value type: tables keep their cells contiguously, so it carries no
// virtual functions.
class vnCell
{
public:
    vnCell() = default;
    // With detectType the text is typed by FromText; without, the cell holds
    // the text unchanged as a String.
    vnCell(std::string_view text, bool detectType);

    vnCellType GetType() const { return static_cast<vnCellType>(m_value.index()); }

    // Each getter answers a fixed value for a cell of another type:
    // false, -1 and -1.0.
    bool GetBool() const;
    std::int32_t GetInt() const;
    double GetDouble() const;
    // The text of a String cell; empty for the other types.
    std::string_view GetString() const;

    void SetBool(bool value) { m_value = value; }
    void SetInt(std::int32_t value) { m_value = value; }
    void SetDouble(double value) { m_value = value; }
    void SetString(std::string_view text) { m_value.emplace<std::string>(text); }
    void Reset() { m_value = std::monostate{}; }

    // "True"/"False", "%d", "%f" (six decimals), the text itself, or nothing.
    std::string ToText() const;
    // Appends what ToText returns.
    void AppendText(std::string& out) const;

    // Types the text: blanks at both ends are dropped; nothing left is Empty;
    // true/yes/false/no in any letter case are Bool; an optional sign and
    // digits are Int (saturated to the 32-bit range); digits with one point
    // are Double; anything else is the trimmed text as a String.
    vnCellType FromText(std::string_view text);

    // Gives this cell the other cell's type and value; null changes nothing.
    void CopyFrom(const vnCell* other);

    bool operator==(const vnCell& other) const = default;

private:
    // The alternatives stand in the order of the type codes.
    std::variant<std::monostate, bool, std::int32_t, double, std::string> m_value;
};
