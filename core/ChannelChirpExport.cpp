#include "core/ChannelChirpExport.h"

#include "channels/vnCell.h"
#include "channels/vnCellTable.h"
#include "channels/vnChannelList.h"
#include "channels/vnFrequency.h"
#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "core/ChannelField.h"
#include "res/ResourceIds.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

// CHIRP's columns in its order, with the value it writes for a memory that
// uses none of them; Scanlore fills Location, Name, Frequency, Mode and Skip.
struct ChirpColumn
{
    const char* name;
    const char* plain;
};

constexpr std::array<ChirpColumn, 21> kColumns = {{
    {"Location", ""},       {"Name", ""},           {"Frequency", ""},     {"Duplex", ""},
    {"Offset", "0.000000"}, {"Tone", ""},           {"rToneFreq", "88.5"}, {"cToneFreq", "88.5"},
    {"DtcsCode", "023"},    {"DtcsPolarity", "NN"}, {"RxDtcsCode", "023"}, {"CrossMode", "Tone->Tone"},
    {"Mode", ""},           {"TStep", "5.00"},      {"Skip", ""},          {"Power", ""},
    {"Comment", ""},        {"URCALL", ""},         {"RPT1CALL", ""},      {"RPT2CALL", ""},
    {"DVCODE", ""},
}};

constexpr std::int32_t LocationColumn = 0;
constexpr std::int32_t NameColumn = 1;
constexpr std::int32_t FrequencyColumn = 2;
constexpr std::int32_t ModeColumn = 12;
constexpr std::int32_t StepColumn = 13;
constexpr std::int32_t SkipColumn = 14;

constexpr double AirbandLowMHz = 108.0;
constexpr double AirbandHighMHz = 137.0;

// CHIRP's tuning steps in kHz, as it writes them, in the order they are
// tried: the usual 5 kHz first, 12.5 kHz before the 6.25 kHz it lies on too.
// A frequency on none of them (a typo) gets CHIRP's usual step.
struct ChirpStep
{
    double kHz;
    const char* text;
};
constexpr std::array<ChirpStep, 4> kSteps = {{{5.0, "5.00"}, {12.5, "12.50"}, {6.25, "6.25"}, {2.5, "2.50"}}};

const char* StepText(double mhz)
{
    for (const ChirpStep& step : kSteps)
        if (vnFrequency::IsOnStep(mhz, step.kHz))
            return step.text;
    return kSteps.front().text;
}

void SetText(vnCellTable& table, std::int32_t row, std::int32_t column, const std::string& text)
{
    vnCell cell;
    if (!text.empty())
        cell.SetString(text);
    table.SetCell(row, column, &cell);
}

} // namespace

vnCellTable MakeChirpTable(const vnChannelList& channels)
{
    std::vector<const vnChannel*> rows;
    for (std::int32_t index = 0; index < channels.GetCount(); ++index)
        if (const vnChannel* channel = channels.GetAt(index); channel->GetFrequency().GetMHz() > 0.0)
            rows.push_back(channel);

    vnCellTable table;
    table.AddColumns(static_cast<std::int32_t>(kColumns.size()));
    table.AddRows(static_cast<std::int32_t>(rows.size()) + 1);
    for (std::size_t column = 0; column < kColumns.size(); ++column)
        SetText(table, 0, static_cast<std::int32_t>(column), kColumns[column].name);

    std::int32_t row = 1;
    for (const vnChannel* channel : rows) {
        for (std::size_t column = 0; column < kColumns.size(); ++column)
            SetText(table, row, static_cast<std::int32_t>(column), kColumns[column].plain);
        vnCell number;
        number.SetInt(channel->GetNumber());
        table.SetCell(row, LocationColumn, &number);
        SetText(table, row, NameColumn, channel->GetDescription());
        const double mhz = channel->GetFrequency().GetMHz();
        vnCell frequency;
        frequency.SetDouble(mhz);
        table.SetCell(row, FrequencyColumn, &frequency);
        SetText(table, row, ModeColumn, mhz >= AirbandLowMHz && mhz <= AirbandHighMHz ? "AM" : "FM");
        SetText(table, row, StepColumn, StepText(mhz));
        SetText(table, row, SkipColumn, channel->GetLockout() ? "S" : channel->GetPriority() ? "P" : "");
        ++row;
    }
    return table;
}

std::vector<std::string> FieldsChirpDrops(const vnChannelList& channels)
{
    bool carNumber = false;
    bool delay = false;
    for (std::int32_t index = 0; index < channels.GetCount(); ++index) {
        const vnChannel* channel = channels.GetAt(index);
        carNumber = carNumber || !channel->GetCarNumber().empty();
        delay = delay || channel->GetDelay();
    }
    std::vector<std::string> fields;
    if (carNumber)
        fields.push_back(GetFieldInfo(ChannelField::CarNumber).header);
    if (delay)
        fields.push_back(GetFieldInfo(ChannelField::Delay).header);
    return fields;
}

std::vector<std::int32_t> ChannelsChirpDrops(const vnChannelList& channels)
{
    std::vector<std::int32_t> numbers;
    for (std::int32_t index = 0; index < channels.GetCount(); ++index)
        if (const vnChannel* channel = channels.GetAt(index); channel->GetFrequency().GetMHz() < 0.0)
            numbers.push_back(channel->GetNumber());
    return numbers;
}

std::string ChirpExportWarning(const vnChannelList& channels, const std::string& fileName)
{
    std::vector<std::string> sentences;
    if (const std::vector<std::string> fields = FieldsChirpDrops(channels); !fields.empty())
        sentences.push_back(vnWords::Say(IDS_CHIRP_DROPS_FIELDS, {fileName, vnWords::List(fields)}));
    if (const std::vector<std::int32_t> negative = ChannelsChirpDrops(channels); !negative.empty()) {
        std::vector<std::string> numbers;
        for (const std::int32_t number : negative)
            numbers.push_back(vnText::Decimal(number));
        sentences.push_back(vnWords::Count(vnCounted::NegativeLeftOut, static_cast<std::int64_t>(numbers.size()),
                                           {vnWords::List(numbers)}));
    }
    std::string warning;
    for (const std::string& sentence : sentences)
        warning += (warning.empty() ? "" : " ") + sentence;
    return warning;
}
