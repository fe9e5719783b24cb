#include "app/ChannelFile.h"

#include "app/ChannelCellText.h"
#include "channels/vnCell.h"
#include "channels/vnCellTable.h"
#include "channels/vnChannelList.h"
#include "channels/vnDelimitedFile.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr const char* HeaderTexts[ChannelFileColumns] = {
    "ID", "Frequency", "Description", "Car Number", "Delay", "Lockout", "Priority",
};

bool IsFreeTextColumn(std::int32_t column)
{
    return column == 2 || column == 3;
}

std::string Decimal(std::int32_t value)
{
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

std::string ReasonSuffix(const std::string& reason)
{
    return reason.empty() ? std::string(".") : ":\n" + reason;
}

} // namespace

vnCellTable MakeChannelTable(const vnChannelList& channels, std::int32_t rowCount)
{
    rowCount = std::clamp(rowCount, 0, channels.GetCount());
    vnCellTable table;
    table.AddColumns(ChannelFileColumns);
    table.AddRows(rowCount + 1);

    for (std::int32_t column = 0; column < ChannelFileColumns; ++column) {
        const vnCell header(HeaderTexts[column], false);
        table.SetCell(0, column, &header);
    }
    vnCell cell;
    for (std::int32_t row = 0; row < rowCount; ++row) {
        const vnChannel& channel = *channels.GetAt(row);
        for (std::int32_t column = 0; column < ChannelFileColumns; ++column) {
            const std::string text = GetChannelCellText(channel, column);
            // Typing a description would turn 007 into 7 and yes into True,
            // and trim its blanks; as text it survives a save and an open.
            if (IsFreeTextColumn(column) && !text.empty())
                cell.SetString(text);
            else
                cell.FromText(text);
            table.SetCell(row + 1, column, &cell);
        }
    }
    return table;
}

ChannelTableApplied ApplyChannelTable(const vnCellTable& table, vnChannelList& channels)
{
    ChannelTableApplied applied;
    const std::int32_t dataLines = std::max(table.GetRowCount() - 1, 0);
    applied.rows = std::min(dataLines, channels.GetCount());
    applied.linesNotLoaded = dataLines - applied.rows;

    const std::int32_t columns = std::min(table.GetColumnCount(), ChannelFileColumns);
    for (std::int32_t row = 0; row < applied.rows; ++row) {
        vnChannel& channel = *channels.GetAt(row);
        for (std::int32_t column = 0; column < columns; ++column)
            SetChannelCellText(channel, column, table.GetCell(row + 1, column)->ToText());
    }
    return applied;
}

ChannelFileResult WriteChannelFile(const std::string& fileName, const vnChannelList& channels, std::int32_t rowCount)
{
    vnCellTable table = MakeChannelTable(channels, rowCount);
    vnDelimitedFile file(&table);
    ChannelFileResult result;
    result.ok = file.Write(fileName.c_str());
    if (!result.ok)
        result.reason = file.GetLastError();
    return result;
}

ChannelFileResult ReadChannelFile(const std::string& fileName, vnChannelList& channels)
{
    vnCellTable table;
    vnDelimitedFile file(&table);
    ChannelFileResult result;
    result.ok = file.Read(fileName.c_str());
    if (!result.ok)
        result.reason = file.GetLastError();
    result.applied = ApplyChannelTable(table, channels);
    return result;
}

std::string OpenFailedMessage(const std::string& fileName, const std::string& reason)
{
    return "The channel file \"" + fileName + "\" could not be read" + ReasonSuffix(reason);
}

std::string SaveFailedMessage(const std::string& fileName, const std::string& reason)
{
    return "The channel file \"" + fileName + "\" could not be saved" + ReasonSuffix(reason) +
        "\n\nThe channels were not saved. A file that existed under this name is unchanged.";
}

std::string LinesNotLoadedMessage(const std::string& fileName, std::int32_t linesNotLoaded, std::int32_t channelCount)
{
    const std::string lines = linesNotLoaded == 1 ? "1 line was" : Decimal(linesNotLoaded) + " lines were";
    return "The channel file \"" + fileName + "\" has more channel lines than the channel list has channels (" +
        Decimal(channelCount) + "). The last " + lines + " not loaded, and saving will leave them out of the file.";
}
