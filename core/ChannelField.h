#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The seven fields of a channel as the grid, the files, the clipboard and the
// printout show them, left to right in their first order. Everything that
// differs between the fields is in the table below, so a field is named
// (ChannelField::Frequency), never counted.
enum class ChannelField : std::int32_t {
    Number,
    Frequency,
    Description,
    CarNumber,
    Delay,
    Lockout,
    Priority,
};

inline constexpr std::int32_t ChannelFieldCount = 7;

struct ChannelFieldInfo
{
    ChannelField field;
    int title;          // string-table id of the column title ("Frequency")
    const char* header; // the name in a channel file's header line
    int width;          // the grid column's width at the first start, in pixels
    bool alignLeft;     // free text reads from the left; the rest is centred
    bool editable;      // the channel number is the slot, never typed
    bool searchable;    // Find looks in it
    bool freeText;      // kept exactly as typed, saved as text
    bool flag;          // True or False
};

// Every field, in column order.
const std::array<ChannelFieldInfo, ChannelFieldCount>& ChannelFields();
const ChannelFieldInfo& GetFieldInfo(ChannelField field);

// The field shown in a grid or file column, or nothing for a column outside
// the seven.
std::optional<ChannelField> FieldOfColumn(std::int32_t column);
constexpr std::int32_t ColumnOf(ChannelField field)
{
    return static_cast<std::int32_t>(field);
}
