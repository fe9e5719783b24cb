#include "tools/ColumnOption.h"

#include "channels/vnFrequency.h"
#include "channels/vnWords.h"
#include "modules/vnScannerBands.h"
#include "res/ResourceIds.h"

#include <string_view>

bool ParseColumnOption(const std::string& text, ChannelColumnChoice& choice, std::string& error)
{
    const std::size_t equals = text.find('=');
    const std::string_view whole(text);
    const std::string_view name = equals == std::string::npos ? std::string_view() : whole.substr(equals + 1);
    std::string_view role = whole.substr(0, equals);
    std::string_view unit;
    if (const std::size_t colon = role.find(':'); colon != std::string_view::npos) {
        unit = role.substr(colon + 1);
        role = role.substr(0, colon);
    }
    const std::optional<ChannelColumnRole> read = ReadChannelColumnRole(role);
    if (equals == std::string::npos || name.empty() || !read) {
        error = vnWords::Say(IDS_COLUMN_OPTION_REFUSED, {text});
        return false;
    }
    if (!unit.empty()) {
        const ChannelColumnMap::Unit found = ChannelColumnMap::ReadUnitWord(unit);
        if (found == ChannelColumnMap::Unit::None || !IsFrequencyRole(*read)) {
            error = vnWords::Say(IDS_COLUMN_UNIT_REFUSED, {text});
            return false;
        }
        if (choice.unit != ChannelColumnMap::Unit::None && choice.unit != found) {
            error = vnWords::Say(IDS_COLUMN_TWO_UNITS);
            return false;
        }
        choice.unit = found;
    }
    for (const auto& [named, given] : choice.columns)
        if (ChannelColumnMap::NormalName(named) == ChannelColumnMap::NormalName(std::string(name))) {
            error = vnWords::Say(IDS_COLUMN_NAMED_TWICE, {std::string(name)});
            return false;
        }
    choice.columns.emplace_back(std::string(name), *read);
    return true;
}

std::string ColumnOptionHint(const ChannelTableApplied& applied)
{
    if (applied.columns.empty())
        return {};
    std::vector<std::string> names;
    // The example names the first column whose first value reads as a
    // frequency a scanner receives.
    std::string example = "NAME";
    for (const ChannelColumnPreview& column : applied.columns) {
        names.push_back("\"" + column.name + "\"");
        const double mhz = column.values.empty() ? 0.0 : vnFrequency::ReadWholeMHz(column.values.front()).value_or(0.0);
        if (example == "NAME" && mhz >= vnCommonScannerRange.lowMHz && mhz <= vnCommonScannerRange.highMHz)
            example = names.back();
    }
    return vnWords::Say(IDS_COLUMN_OPTION_HINT, {vnWords::List(names), example});
}

ChannelOpenReport OpenChannelArgument(const std::string& file, int inputFd, vnChannelList& channels,
                                      const ChannelColumnChoice& columns, std::int32_t channelsPerBank)
{
    const ChannelColumnChoice* choice = columns.columns.empty() ? nullptr : &columns;
    ChannelOpenReport read = file == "-"
        ? OpenChannelDescriptor(inputFd, vnWords::Say(IDS_STANDARD_INPUT), channels, choice, channelsPerBank)
        : OpenChannelFile(file, channels, ChannelReadProgress(), choice, channelsPerBank);
    if (!read.failure.empty())
        read.failure += ColumnOptionHint(read.result.applied);
    return read;
}

const char* ColumnOptionUsage()
{
    return "  --column ROLE=NAME  read the column NAME of the file's header as ROLE, for a\n"
           "                    file whose header names no column Scanlore knows; give one\n"
           "                    for each column to read (columns not named are not used).\n"
           "                    ROLE: frequency, description, car, channel, lockout,\n"
           "                    delay, priority, primary, secondary, other or unused; a\n"
           "                    frequency role may give its unit: frequency:khz=NAME\n"
           "                    (mhz, khz or hz). Without a header, NAME is Column 1,\n"
           "                    Column 2, ...\n";
}
