#include "core/ChannelField.h"

#include "res/ResourceIds.h"

namespace {

constexpr std::array<ChannelFieldInfo, ChannelFieldCount> kFields = {{
    // field, title, header, width, left, editable, searchable, free text, flag
    {ChannelField::Number, IDS_COLUMN_NUMBER, "ID", 30, false, false, false, false, false},
    {ChannelField::Frequency, IDS_COLUMN_FREQUENCY, "Frequency", 100, false, true, true, false, false},
    {ChannelField::Description, IDS_COLUMN_DESCRIPTION, "Description", 300, true, true, true, true, false},
    {ChannelField::CarNumber, IDS_COLUMN_CAR_NUMBER, "Car Number", 75, false, true, true, true, false},
    {ChannelField::Delay, IDS_COLUMN_DELAY, "Delay", 75, false, true, false, false, true},
    {ChannelField::Lockout, IDS_COLUMN_LOCKOUT, "Lockout", 75, false, true, false, false, true},
    {ChannelField::Priority, IDS_COLUMN_PRIORITY, "Priority", 75, false, true, false, false, true},
}};

} // namespace

const std::array<ChannelFieldInfo, ChannelFieldCount>& ChannelFields()
{
    return kFields;
}

const ChannelFieldInfo& GetFieldInfo(ChannelField field)
{
    return kFields[static_cast<std::size_t>(field)];
}

std::optional<ChannelField> FieldOfColumn(std::int32_t column)
{
    if (column < 0 || column >= ChannelFieldCount)
        return std::nullopt;
    return static_cast<ChannelField>(column);
}
