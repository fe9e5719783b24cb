#include "core/ChannelColumnChoice.h"

#include "channels/vnCell.h"
#include "channels/vnCellTable.h"
#include "channels/vnText.h"

namespace {

struct RoleWord
{
    ChannelColumnRole role;
    std::string_view word;
};

constexpr RoleWord kRoleWords[] = {
    {ChannelColumnRole::NotUsed, "unused"},
    {ChannelColumnRole::Frequency, "frequency"},
    {ChannelColumnRole::Description, "description"},
    {ChannelColumnRole::CarNumber, "car"},
    {ChannelColumnRole::Channel, "channel"},
    {ChannelColumnRole::Lockout, "lockout"},
    {ChannelColumnRole::Delay, "delay"},
    {ChannelColumnRole::Priority, "priority"},
    {ChannelColumnRole::Primary, "primary"},
    {ChannelColumnRole::Secondary, "secondary"},
    {ChannelColumnRole::Other, "other"},
};

} // namespace

std::string_view ChannelColumnRoleWord(ChannelColumnRole role)
{
    for (const RoleWord& entry : kRoleWords)
        if (entry.role == role)
            return entry.word;
    return {};
}

std::optional<ChannelColumnRole> ReadChannelColumnRole(std::string_view word)
{
    const std::string lower = vnText::ToLower(std::string(vnText::TrimBlanks(word)));
    for (const RoleWord& entry : kRoleWords)
        if (lower == entry.word)
            return entry.role;
    return std::nullopt;
}

std::vector<ChannelColumnRole> ChannelColumnRoles()
{
    std::vector<ChannelColumnRole> roles;
    for (const RoleWord& entry : kRoleWords)
        roles.push_back(entry.role);
    return roles;
}

bool IsFrequencyRole(ChannelColumnRole role)
{
    return role == ChannelColumnRole::Frequency || role == ChannelColumnRole::Primary ||
        role == ChannelColumnRole::Secondary || role == ChannelColumnRole::Other;
}

std::string ChannelColumnNumberName(std::int32_t index)
{
    return "Column " + std::to_string(index + 1);
}

std::vector<ChannelColumnPreview> ChannelColumnPreviews(const vnCellTable& table, std::int32_t headerRow,
                                                        std::size_t values)
{
    const auto text = [&](std::int32_t row, std::int32_t column) {
        return table.GetCell(row, column)->GetSourceText();
    };
    std::vector<std::int32_t> rows;
    for (std::int32_t row = headerRow + 1; row < table.GetRowCount() && rows.size() < values; ++row)
        if (!table.IsRowEmpty(row))
            rows.push_back(row);
    // Up to the last column that names or holds something.
    std::int32_t width = 0;
    for (std::int32_t column = 0; column < table.GetColumnCount(); ++column) {
        bool any = headerRow >= 0 && !text(headerRow, column).empty();
        for (const std::int32_t row : rows)
            any = any || !text(row, column).empty();
        width = any ? column + 1 : width;
    }
    std::vector<ChannelColumnPreview> previews;
    for (std::int32_t column = 0; column < width; ++column) {
        ChannelColumnPreview preview{headerRow >= 0 ? text(headerRow, column) : ChannelColumnNumberName(column), {}};
        for (const std::int32_t row : rows)
            preview.values.push_back(text(row, column));
        previews.push_back(std::move(preview));
    }
    return previews;
}
