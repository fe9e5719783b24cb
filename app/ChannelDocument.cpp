#include "app/ChannelDocument.h"

#include "channels/vnDelimitedFile.h"
#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "core/ChannelCellText.h"
#include "core/ChannelChirpExport.h"
#include "core/ChannelClipboardText.h"
#include "core/ChannelColumnMemory.h"
#include "core/ChannelFile.h"
#include "core/ChannelImport.h"
#include "core/ChannelOpenReport.h"
#include "core/ScannerRecord.h"
#include "modules/vnChannelLayout.h"
#include "modules/vnSettingsStore.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace {

using Message = ChannelDocument::Message;

// After a save that the file or its folder refused: the way forward.
std::string ElsewhereHint(bool refusedHere)
{
    return refusedHere ? "\n\n" + vnWords::Say(IDS_SAVE_ELSEWHERE) : std::string();
}

Message Warning(const std::string& text)
{
    return {Message::Kind::Warning, QString::fromStdString(text)};
}

Message Information(const std::string& text)
{
    return {Message::Kind::Information, QString::fromStdString(text)};
}

std::vector<std::string> Texts(const QStringList& arguments)
{
    std::vector<std::string> texts;
    for (const QString& argument : arguments)
        texts.push_back(argument.toStdString());
    return texts;
}

// The catalogue's text with this id, the arguments put in its places.
QString Say(int id, const QStringList& arguments = {})
{
    return QString::fromStdString(vnWords::Say(id, Texts(arguments)));
}

// The name of a step over some channels: "Delete of Channel 12", "Paste of
// 20 Channels"; step is the pattern, before the channels named.
QString ChannelsStepText(int step, std::size_t count, std::int32_t firstNumber, const QStringList& before = {})
{
    const std::string what = count == 1 ? vnWords::Say(IDS_CHANNEL_NUMBERED, {vnText::Decimal(firstNumber)})
                                        : vnWords::Count(vnCounted::ChannelsUpper, static_cast<std::int64_t>(count));
    return Say(step, QStringList(before) << QString::fromStdString(what));
}

bool HasFrequency(const vnChannel& channel)
{
    return channel.GetFrequency().GetMHz() != 0.0;
}

std::int32_t CountWithFrequency(const vnChannelList& channels)
{
    std::int32_t count = 0;
    for (std::int32_t index = 0; index < channels.GetCount(); ++index)
        count += HasFrequency(*channels.GetAt(index)) ? 1 : 0;
    return count;
}

QString FileNameOf(const std::string& path)
{
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).fileName();
}

// Where Follow Cars keeps its choice: by the file's name, and the last one.
const std::string kFollowedSection = "Followed Cars";
const std::string kRaceWeekendSection = "Race Weekend";
const std::string kLastFollowed = "Last Followed Cars";

// A counted phrase of the word catalogue.
QString CountText(vnCounted phrase, std::int32_t count, const QStringList& arguments = {})
{
    return QString::fromStdString(vnWords::Count(phrase, count, Texts(arguments)));
}

// The grid's single-line cells show a line end inside a pasted text as a
// blank, and a channel file writes it as one.
std::string WithoutLineEnds(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        result += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
    }
    return result;
}

} // namespace

ChannelDocument::ChannelDocument() = default;

ChannelDocument::~ChannelDocument()
{
    // The steps point into the list; they go first.
    m_undoStack.clear();
}

std::string ChannelDocument::GetCellText(std::int32_t index, ChannelField field) const
{
    const vnChannel* channel = m_channels.GetAt(index);
    return channel ? GetChannelCellText(*channel, field) : std::string();
}

std::int32_t ChannelDocument::FindChannel(std::int32_t number) const
{
    return m_channels.IndexOfNumber(number);
}

RowSearchResult ChannelDocument::Find(std::int32_t from, bool down,
                                      const std::function<bool(const std::string&)>& matches) const
{
    return FindRow(GetCount(), from, down, [&](int index) {
        for (const ChannelFieldInfo& info : ChannelFields())
            if (info.searchable && matches(GetCellText(index, info.field)))
                return true;
        return false;
    });
}

QString ChannelDocument::GetDisplayName() const
{
    if (m_path.empty())
        return Say(IDS_UNTITLED);
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(m_path))).fileName();
}

void ChannelDocument::SetPath(const std::string& path)
{
    m_path = path;
    emit PathChanged();
}

void ChannelDocument::New(const vnChannelLayout& layout)
{
    m_undoStack.clear();
    m_layout = layout;
    m_layout.MakeChannels(m_channels);
    m_saveRefusal.clear();
    m_readEncoding.clear();
    m_stamp = vnFileStamp();
    SetPath(std::string());
    emit Reset();
}

ChannelDocument::FileOutcome ChannelDocument::Open(const std::string& path, const ChannelReadProgress& progress)
{
    // Taken before the read: a change while reading shows as a change later.
    const vnFileStamp stamp = vnFileStamp::Of(path);
    ChannelOpenReport report = OpenChannelFile(path, m_channels, progress, nullptr, m_layout.GetChannelsPerBank());
    ReadWithRememberedColumns(path, m_channels, report, progress);
    const ChannelFileResult& result = report.result;
    if (result.cancelled)
        return {false,
                Information(vnWords::Say(IDS_OPEN_CANCELLED, {std::filesystem::path(path).filename().string()}))};
    if (!result.changed)
        return RefusedRead(path, report);
    m_undoStack.clear();
    FileOutcome outcome = TakeRead(path, report, stamp);
    emit Reset();
    return outcome;
}

ChannelDocument::FileOutcome ChannelDocument::OpenWithColumns(const std::string& path, ChannelColumnChoice choice,
                                                              const std::vector<std::string>& header)
{
    if (choice.chosenOn.empty())
        choice.chosenOn = ScannerRecord::ShortTime(ScannerRecord::TimeText(std::chrono::system_clock::now()), true);
    const vnFileStamp stamp = vnFileStamp::Of(path);
    const ChannelOpenReport report =
        OpenChannelFile(path, m_channels, ChannelReadProgress(), &choice, m_layout.GetChannelsPerBank());
    if (!report.result.changed)
        return RefusedRead(path, report);
    if (!header.empty())
        ChannelColumnMemory::Remember(vnSettings(), header, choice);
    m_undoStack.clear();
    FileOutcome outcome = TakeRead(path, report, stamp);
    emit Reset();
    return outcome;
}

ChannelDocument::FileOutcome ChannelDocument::RefusedRead(const std::string& path, const ChannelOpenReport& report)
{
    FileOutcome outcome{false, Warning(OpenFailedMessage(path, report.result.reason))};
    outcome.columns = report.result.applied.columns;
    outcome.header = report.result.applied.header;
    return outcome;
}

void ChannelDocument::ReadWithRememberedColumns(const std::string& path, vnChannelList& channels,
                                                ChannelOpenReport& report, const ChannelReadProgress& progress) const
{
    const std::vector<std::string>& header = report.result.applied.header;
    if (report.result.changed || report.result.cancelled || header.empty())
        return;
    const std::optional<ChannelColumnChoice> remembered = ChannelColumnMemory::Recall(vnSettings(), header);
    if (!remembered)
        return;
    ChannelOpenReport chosen = OpenChannelFile(path, channels, progress, &*remembered, m_layout.GetChannelsPerBank());
    // A remembered choice that no longer reads the file leaves the refusal,
    // with its columns to choose again.
    if (chosen.result.changed)
        report = std::move(chosen);
}

ChannelDocument::FileOutcome ChannelDocument::Reload()
{
    if (m_path.empty())
        return {false, {}};
    const std::string path = m_path;
    const vnFileStamp stamp = vnFileStamp::Of(path);
    vnChannelList read;
    m_layout.MakeChannels(read);
    ChannelOpenReport report = OpenChannelFile(path, read, {}, nullptr, m_layout.GetChannelsPerBank());
    ReadWithRememberedColumns(path, read, report);
    if (!report.result.changed)
        return {false, Warning(OpenFailedMessage(path, report.result.reason))};
    std::vector<ChannelEditCommand::Change> changes;
    for (std::int32_t index = 0; index < std::min(read.GetCount(), m_channels.GetCount()); ++index)
        if (!(*m_channels.GetAt(index) == *read.GetAt(index)))
            changes.push_back({index, *m_channels.GetAt(index), *read.GetAt(index)});
    ChangeChannels(std::move(changes), Say(IDS_STEP_RELOAD, {GetDisplayName()}));
    FileOutcome outcome = TakeRead(path, report, stamp);
    if (outcome.ok)
        m_undoStack.setClean();
    return outcome;
}

ChannelDocument::FileOutcome ChannelDocument::TakeRead(const std::string& path, const ChannelOpenReport& report,
                                                       const vnFileStamp& stamp)
{
    const ChannelFileResult& result = report.result;
    m_saveRefusal = SaveWouldLoseMessage(path, result.applied);
    m_readEncoding = result.applied.encoding;
    m_stamp = result.ok ? stamp : vnFileStamp();
    m_noticed = vnFileStamp();
    SetPath(result.ok ? path : std::string());
    FileOutcome outcome{result.ok, {}};
    outcome.done = Say(IDS_OPENED, {FileNameOf(path), CountText(vnCounted::Channels, CountWithFrequency(m_channels))});
    if (!result.ok) {
        outcome.message = Warning(report.readInPart);
    } else if (const std::string notes = report.Notes(); !notes.empty()) {
        // Another tool's file, or one read with care: say how it was read
        // and what was left out.
        outcome.message = report.HasShortfall() ? Warning(notes) : Information(notes);
    }
    return outcome;
}

bool ChannelDocument::NoticeOutsideChange()
{
    if (m_path.empty() || !m_stamp.Exists())
        return false;
    const vnFileStamp now = vnFileStamp::Of(m_path, false);
    if (!now.Exists() || now.SameSizeAndTime(m_stamp) || now.SameSizeAndTime(m_noticed))
        return false;
    const vnFileStamp content = vnFileStamp::Of(m_path);
    if (content.SameContent(m_stamp)) {
        // Touched, not changed.
        m_stamp = content;
        return false;
    }
    m_noticed = content;
    return true;
}

ChannelDocument::FileOutcome ChannelDocument::Import(const std::string& path, std::int32_t firstIndex)
{
    // The file is read as Open reads it, into channels numbered as the
    // table's, so that its IDs and channel numbers mean the same.
    vnChannelList read;
    m_layout.MakeChannels(read);
    ChannelOpenReport report = OpenChannelFile(path, read, {}, nullptr, m_layout.GetChannelsPerBank());
    ReadWithRememberedColumns(path, read, report);
    const ChannelFileResult& result = report.result;
    // A file read only in part is not merged: its missing lines would leave
    // holes that look like a complete import.
    if (!result.ok)
        return {false, Warning(OpenFailedMessage(path, result.reason))};

    const std::int32_t first = std::clamp(firstIndex, 0, std::max(m_channels.GetCount() - 1, 0));
    const ChannelImport import =
        PlaceImportedChannels(m_channels, first, read, result.applied.roleRuns, m_layout.GetChannelsPerBank());
    std::vector<ChannelEditCommand::Change> changes;
    for (const ChannelImport::Placement& placement : import.placements)
        changes.push_back({placement.index, *m_channels.GetAt(placement.index), placement.channel});
    const std::size_t added = changes.size();
    ChangeChannels(std::move(changes),
                   Say(IDS_STEP_IMPORT, {CountText(vnCounted::ChannelsUpper, static_cast<std::int32_t>(added))}));

    const vnChannel* firstChannel = m_channels.GetAt(first);
    const std::string summary =
        ImportSummaryMessage(path, result.applied, import, firstChannel ? firstChannel->GetNumber() : 0);
    const bool shortfall = result.applied.skipped > 0 || result.applied.linesNotLoaded > 0 || import.notFitted > 0 ||
        import.placements.empty();
    FileOutcome outcome{true, shortfall ? Warning(summary) : Information(summary)};
    if (import.placements.empty()) {
        outcome.done = Say(IDS_IMPORTED_NONE, {FileNameOf(path)});
    } else {
        const auto [low, high] = std::minmax_element(
            import.placements.begin(), import.placements.end(),
            [](const ChannelImport::Placement& a, const ChannelImport::Placement& b) { return a.index < b.index; });
        outcome.done = Say(IDS_IMPORTED, {CountText(vnCounted::Channels, added), NumbersText(low->index, high->index)});
    }
    return outcome;
}

ChannelDocument::FileOutcome ChannelDocument::Save(bool evenIfChanged)
{
    FileOutcome needsName;
    needsName.needsName = true;
    if (m_path.empty())
        return needsName;
    // Another program's change would be lost without a word. A file that
    // is gone holds nothing to lose.
    if (!evenIfChanged && m_stamp.Exists()) {
        const vnFileStamp now = vnFileStamp::Of(m_path);
        if (now.Exists() && !now.SameContent(m_stamp)) {
            FileOutcome changed{
                false,
                Warning(vnWords::Say(IDS_CHANGED_SINCE_OPENED, {std::filesystem::path(m_path).filename().string()}))};
            changed.changedOutside = true;
            return changed;
        }
    }
    // Replacing another tool's file, or part of one, would destroy what
    // Scanlore did not read.
    if (!m_saveRefusal.empty()) {
        needsName.message = Warning(m_saveRefusal);
        needsName.proposedPath = ScanloreCopyName(m_path);
        return needsName;
    }
    const std::string encoding = m_readEncoding;
    FileOutcome outcome = SaveAs(m_path);
    if (outcome.ok && !encoding.empty())
        outcome.message = Information(
            vnWords::Say(IDS_NOW_SAVED_AS_UTF8, {std::filesystem::path(m_path).filename().string(), encoding}));
    return outcome;
}

ChannelDocument::FileOutcome ChannelDocument::ExportChirp(const std::string& path) const
{
    vnCellTable table = MakeChirpTable(m_channels);
    vnDelimitedFile file(&table);
    if (!file.Write(path))
        return {false, Warning(SaveFailedMessage(path, file.GetLastError()) + ElsewhereHint(file.RefusedHere()))};
    FileOutcome outcome{true, {}};
    outcome.done = Say(IDS_EXPORTED_CHIRP, {FileNameOf(path), CountText(vnCounted::Channels, table.GetRowCount() - 1)});
    if (const std::string dropped = ChirpExportWarning(m_channels, std::filesystem::path(path).filename().string());
        !dropped.empty())
        outcome.message = Warning(dropped);
    return outcome;
}

ChannelDocument::FileOutcome ChannelDocument::SaveAs(const std::string& path)
{
    const ChannelFileResult result = WriteChannelFile(path, m_channels);
    // Silence after a failed save would read as success.
    if (!result.ok)
        return {false,
                Warning(SaveFailedMessage(path, result.reason, result.changed) + ElsewhereHint(result.refusedHere))};
    m_undoStack.setClean();
    m_saveRefusal.clear();
    m_readEncoding.clear();
    m_stamp = vnFileStamp::Of(path);
    m_noticed = vnFileStamp();
    if (path != m_path)
        SetPath(path);
    FileOutcome outcome{true, {}};
    outcome.done = Say(IDS_SAVED, {FileNameOf(path), CountText(vnCounted::Channels, CountWithFrequency(m_channels))});
    return outcome;
}

ChannelDocument::Message ChannelDocument::EditCell(std::int32_t index, ChannelField field, const std::string& text)
{
    const vnChannel* channel = m_channels.GetAt(index);
    if (!channel || !GetFieldInfo(field).editable)
        return {};
    vnChannel edited = *channel;
    // The cell keeps its value; silence would read as taken.
    if (!SetTypedChannelCellText(edited, field, text))
        return Warning(RejectedCellTextMessage(*channel, field, text));
    ChangeChannels(
        {{index, *channel, edited}},
        ChannelsStepText(IDS_STEP_COLUMN, 1, channel->GetNumber(), {LoadStringText(GetFieldInfo(field).title)}));
    // The edit stays as typed; the upload would refuse it, so say so now.
    std::string reason;
    CountRefused({index}, reason);
    return reason.empty() ? Message{} : Warning(reason);
}

ChannelDocument::Message ChannelDocument::Paste(const std::string& text, std::int32_t firstIndex,
                                                const std::vector<ChannelField>& cellFields)
{
    std::vector<ChannelClipboardText::Row> rows = ChannelClipboardText::Decode(text);
    // A saved file opened in a spreadsheet and copied with its header: the
    // names are not channel values.
    if (!rows.empty() && ChannelClipboardText::IsChannelHeader(rows.front()))
        rows.erase(rows.begin());
    if (rows.empty())
        return {};

    std::vector<ChannelField> fields = cellFields;
    if (ChannelClipboardText::AreChannelRows(rows)) {
        fields.clear();
        for (const ChannelFieldInfo& info : ChannelFields())
            fields.push_back(info.field);
    }

    std::vector<ChannelEditCommand::Change> changes;
    std::int32_t rowsLeftOut = 0;
    std::int32_t cellsLeftOut = 0;
    std::int32_t cellsRefused = 0;
    const std::int32_t first = std::max(firstIndex, 0);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const vnChannel* channel = m_channels.GetAt(first + static_cast<std::int32_t>(i));
        if (!channel) {
            ++rowsLeftOut;
            continue;
        }
        vnChannel pasted = *channel;
        const ChannelClipboardText::Row& cells = rows[i];
        for (std::size_t cell = 0; cell < cells.size(); ++cell) {
            if (cell >= fields.size()) {
                ++cellsLeftOut;
                continue;
            }
            // Each cell is taken as if typed into it: what typing would
            // refuse leaves the cell as it was.
            const ChannelField field = fields[cell];
            if (GetFieldInfo(field).editable && !SetTypedChannelCellText(pasted, field, WithoutLineEnds(cells[cell])))
                ++cellsRefused;
        }
        changes.push_back({first + static_cast<std::int32_t>(i), *channel, pasted});
    }
    std::vector<std::int32_t> pasted;
    std::int32_t overwritten = 0;
    for (const ChannelEditCommand::Change& change : changes) {
        pasted.push_back(change.index);
        if (HasFrequency(change.before) && !(change.before == change.after))
            ++overwritten;
    }
    QStringList notes;
    if (!pasted.empty()) {
        const QStringList what{CountText(vnCounted::Channels, static_cast<std::int32_t>(pasted.size())),
                               NumbersText(pasted.front(), pasted.back())};
        // Filled channels are replaced without a question; Undo is the way back.
        notes << (overwritten > 0 ? CountText(vnCounted::PastedOverFrequencies, overwritten, what)
                                  : Say(IDS_PASTED, what));
    }
    if (!changes.empty()) {
        const std::int32_t number = changes.front().before.GetNumber();
        ChangeChannels(std::move(changes), ChannelsStepText(IDS_STEP_PASTE, pasted.size(), number));
    }

    // As after typing: what the upload would refuse is said now.
    std::string reason;
    // One channel to look at is named by its reason alone.
    if (const std::int32_t refused = CountRefused(pasted, reason); refused > 0)
        notes << QString::fromStdString(vnWords::Count(vnCounted::PasteNotSendable, refused, {reason}));
    if (cellsRefused > 0)
        notes << CountText(vnCounted::PasteCellsRefused, cellsRefused);
    if (rowsLeftOut > 0)
        notes << CountText(vnCounted::PasteRowsLeftOut, rowsLeftOut);
    if (cellsLeftOut > 0)
        notes << CountText(vnCounted::PasteCellsLeftOut, cellsLeftOut);
    if (notes.isEmpty())
        return {};
    const bool warned = notes.size() > (pasted.empty() ? 0 : 1);
    return {warned ? Message::Kind::Warning : Message::Kind::Information, notes.join(QLatin1Char(' '))};
}

std::unique_ptr<QMimeData> ChannelDocument::Copy(const std::vector<std::int32_t>& indexes) const
{
    std::vector<ChannelClipboardText::Row> texts;
    for (const std::int32_t index : indexes) {
        if (!m_channels.GetAt(index))
            continue;
        ChannelClipboardText::Row& cells = texts.emplace_back();
        for (const ChannelFieldInfo& info : ChannelFields())
            cells.push_back(GetCellText(index, info.field));
    }
    vnCellTable table = MakeChannelTable(m_channels, indexes);
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromStdString(ChannelClipboardText::Encode(texts)));
    data->setData(QStringLiteral("text/csv"), QByteArray::fromStdString(vnDelimitedFile(&table).WriteText()));
    return data;
}

ChannelDocument::Message ChannelDocument::Clear(const std::vector<std::int32_t>& indexes, ClearCommand command)
{
    std::vector<ChannelEditCommand::Change> changes;
    for (const std::int32_t index : indexes) {
        const vnChannel* channel = m_channels.GetAt(index);
        if (!channel)
            continue;
        vnChannel empty;
        empty.SetNumber(channel->GetNumber());
        changes.push_back({index, *channel, empty});
    }
    if (changes.empty())
        return {};
    const std::int32_t number = changes.front().before.GetNumber();
    const std::size_t count = changes.size();
    const bool cut = command == ClearCommand::Cut;
    const QString done = Say(
        cut ? IDS_CUT : IDS_DELETED,
        {count == 1 ? RangeText(changes.front().index, changes.front().index) : CountText(vnCounted::Channels, count)});
    ChangeChannels(std::move(changes), ChannelsStepText(cut ? IDS_STEP_CUT : IDS_STEP_DELETE, count, number));
    return Information(done.toStdString());
}

void ChannelDocument::ChangeChannels(std::vector<ChannelEditCommand::Change> changes, const QString& text)
{
    auto command = std::make_unique<ChannelEditCommand>(
        m_channels, std::move(changes), text,
        [this](std::int32_t first, std::int32_t last) { emit ChannelsChanged(first, last); });
    if (command->IsEmpty())
        return;
    m_undoStack.push(command.release()); // runs the step
}

std::int32_t ChannelDocument::CountRefused(const std::vector<std::int32_t>& indexes, std::string& firstReason) const
{
    if (!m_check)
        return 0;
    std::vector<const vnChannel*> channels;
    for (const std::int32_t index : indexes)
        if (const vnChannel* channel = m_channels.GetAt(index))
            channels.push_back(channel);
    std::int32_t count = 0;
    for (const std::string& reason : m_check(channels))
        if (!reason.empty() && count++ == 0)
            firstReason = reason;
    return count;
}

bool ChannelDocument::GetFlag(std::int32_t index, ChannelField field) const
{
    const vnChannel* channel = m_channels.GetAt(index);
    if (!channel)
        return false;
    switch (field) {
    case ChannelField::Delay:
        return channel->GetDelay();
    case ChannelField::Lockout:
        return channel->GetLockout();
    case ChannelField::Priority:
        return channel->GetPriority();
    default:
        return false;
    }
}

ChannelDocument::Message ChannelDocument::SetFlag(const std::vector<std::int32_t>& indexes, ChannelField field,
                                                  bool value)
{
    if (!GetFieldInfo(field).flag)
        return {};
    std::vector<ChannelEditCommand::Change> changes;
    for (const std::int32_t index : indexes) {
        const vnChannel* channel = m_channels.GetAt(index);
        if (!channel)
            continue;
        vnChannel changed = *channel;
        if (field == ChannelField::Delay)
            changed.SetDelay(value);
        else if (field == ChannelField::Lockout)
            changed.SetLockout(value);
        else
            changed.SetPriority(value);
        changes.push_back({index, *channel, changed});
    }
    if (changes.empty())
        return {};
    const std::int32_t number = changes.front().before.GetNumber();
    const std::size_t count = changes.size();
    const QString title = LoadStringText(GetFieldInfo(field).title);
    const QString done = Say(
        value ? IDS_FLAG_ON : IDS_FLAG_OFF,
        {title,
         count == 1 ? RangeText(changes.front().index, changes.front().index) : CountText(vnCounted::Channels, count)});
    ChangeChannels(std::move(changes), ChannelsStepText(IDS_STEP_COLUMN, count, number, {title}));
    return Information(done.toStdString());
}

std::vector<vnChannel> ChannelDocument::GetContents() const
{
    std::vector<vnChannel> contents;
    contents.reserve(static_cast<std::size_t>(m_channels.GetCount()));
    for (std::int32_t index = 0; index < m_channels.GetCount(); ++index)
        contents.push_back(*m_channels.GetAt(index));
    return contents;
}

ChannelDocument::Arranged ChannelDocument::Apply(const ChannelArrange::Result& result, int step, std::size_t count,
                                                 const QString& done)
{
    if (!result.refusal.empty())
        return {Warning(result.refusal), {}};
    std::vector<ChannelEditCommand::Change> changes;
    for (std::size_t i = 0; i < result.channels.size(); ++i) {
        const auto index = static_cast<std::int32_t>(i);
        if (const vnChannel* channel = m_channels.GetAt(index); channel && !(*channel == result.channels[i]))
            changes.push_back({index, *channel, result.channels[i]});
    }
    if (!changes.empty()) {
        const std::int32_t number = changes.front().before.GetNumber();
        ChangeChannels(std::move(changes), ChannelsStepText(step, count, number));
    }
    return {Information(done.toStdString()), result.selected};
}

QString ChannelDocument::NumbersText(std::int32_t firstIndex, std::int32_t lastIndex) const
{
    const vnChannel* first = m_channels.GetAt(firstIndex);
    const vnChannel* last = m_channels.GetAt(lastIndex);
    if (!first || !last)
        return {};
    if (first == last)
        return QString::number(first->GetNumber());
    return QStringLiteral("%1\u2013%2").arg(first->GetNumber()).arg(last->GetNumber());
}

QString ChannelDocument::RangeText(std::int32_t firstIndex, std::int32_t lastIndex) const
{
    return CountText(vnCounted::ChannelsNumbered, lastIndex - firstIndex + 1, {NumbersText(firstIndex, lastIndex)});
}

QString ChannelDocument::MovedText(const std::vector<std::int32_t>& placed, std::size_t count) const
{
    const QString channels = CountText(vnCounted::Channels, static_cast<std::int32_t>(count));
    const auto [low, high] = std::minmax_element(placed.begin(), placed.end());
    // Where they now stand, when that is one run of channels.
    if (!placed.empty() && static_cast<std::size_t>(*high - *low + 1) == placed.size())
        return Say(IDS_MOVED_TO, {channels, NumbersText(*low, *high)});
    return Say(IDS_MOVED, {channels});
}

ChannelDocument::Arranged ChannelDocument::InsertEmpty(const std::vector<std::int32_t>& indexes)
{
    const ChannelArrange::Result result = ChannelArrange::InsertEmpty(GetContents(), m_layout, indexes);
    const QString channels = CountText(vnCounted::EmptyChannels, static_cast<std::int32_t>(indexes.size()));
    QString done = Say(IDS_INSERTED, {channels});
    if (!result.selected.empty()) {
        const auto [low, high] = std::minmax_element(result.selected.begin(), result.selected.end());
        done = Say(IDS_INSERTED_AT, {channels, NumbersText(*low, *high)});
    }
    return Apply(result, IDS_STEP_INSERT, indexes.size(), done);
}

ChannelDocument::Arranged ChannelDocument::Remove(const std::vector<std::int32_t>& indexes)
{
    const QString done = Say(IDS_REMOVED,
                             {indexes.size() == 1 ? RangeText(indexes.front(), indexes.front())
                                                  : CountText(vnCounted::Channels, indexes.size())});
    return Apply(ChannelArrange::Remove(GetContents(), m_layout, indexes), IDS_STEP_REMOVE, indexes.size(), done);
}

ChannelDocument::Arranged ChannelDocument::Move(const std::vector<std::int32_t>& indexes, int step)
{
    const ChannelArrange::Result result = ChannelArrange::Move(GetContents(), indexes, step);
    return Apply(result, IDS_STEP_MOVE, indexes.size(), MovedText(result.selected, indexes.size()));
}

ChannelDocument::Arranged ChannelDocument::MoveTo(const std::vector<std::int32_t>& indexes, std::int32_t before)
{
    const ChannelArrange::Result result = ChannelArrange::MoveTo(GetContents(), indexes, before);
    return Apply(result, IDS_STEP_MOVE, indexes.size(), MovedText(result.selected, indexes.size()));
}

ChannelDocument::Arranged ChannelDocument::Sort(const std::vector<std::int32_t>& indexes,
                                                const ChannelArrange::SortOrder& order)
{
    const std::size_t count = order.scope == ChannelArrange::SortScope::Selection
        ? indexes.size()
        : static_cast<std::size_t>(m_channels.GetCount());
    return Apply(ChannelArrange::Sort(GetContents(), m_layout, indexes, order), IDS_STEP_SORT, count,
                 SortedText(indexes, order));
}

QString ChannelDocument::SortedText(const std::vector<std::int32_t>& indexes,
                                    const ChannelArrange::SortOrder& order) const
{
    using ChannelArrange::SortKey;
    using ChannelArrange::SortScope;
    QString what;
    if (order.scope == SortScope::Selection && !indexes.empty()) {
        const auto [low, high] = std::minmax_element(indexes.begin(), indexes.end());
        what = static_cast<std::size_t>(*high - *low + 1) == indexes.size()
            ? RangeText(*low, *high)
            : CountText(vnCounted::SelectedChannels, static_cast<std::int32_t>(indexes.size()));
    } else {
        what = RangeText(0, m_channels.GetCount() - 1);
        if (order.scope == SortScope::EachBank)
            what = Say(IDS_SORTED_EACH_BANK, {what});
    }
    const int key = order.key == SortKey::Frequency ? IDS_SORT_KEY_FREQUENCY
        : order.key == SortKey::Description         ? IDS_SORT_KEY_DESCRIPTION
                                                    : IDS_SORT_KEY_CAR_NUMBER;
    return Say(order.descending ? IDS_SORTED_DESCENDING : IDS_SORTED, {what, Say(key)});
}

std::vector<std::int32_t> ChannelDocument::GetBankStarts() const
{
    std::vector<std::int32_t> starts;
    for (const ChannelArrange::Bank& bank : ChannelArrange::Banks(GetContents(), m_layout))
        if (bank.first > 0)
            starts.push_back(bank.first);
    return starts;
}

std::vector<ChannelCars::Car> ChannelDocument::GetCars() const
{
    return ChannelCars::List(GetContents());
}

ChannelDocument::Message ChannelDocument::FollowCars(const std::vector<std::string>& followed)
{
    const std::vector<vnChannel> contents = GetContents();
    const std::vector<ChannelCars::Car> cars = ChannelCars::List(contents);
    std::vector<ChannelEditCommand::Change> changes;
    std::size_t locked = 0;
    for (const ChannelCars::Change& change : ChannelCars::Follow(contents, followed)) {
        vnChannel after = contents[static_cast<std::size_t>(change.index)];
        after.SetLockout(change.lockout);
        changes.push_back({change.index, contents[static_cast<std::size_t>(change.index)], after});
        locked += change.lockout ? 1 : 0;
    }
    const std::size_t unlocked = changes.size() - locked;
    if (!changes.empty()) {
        const std::int32_t number = changes.front().before.GetNumber();
        const std::size_t count = changes.size();
        ChangeChannels(std::move(changes),
                       ChannelsStepText(IDS_STEP_COLUMN, count, number, {LoadStringText(IDS_COLUMN_LOCKOUT)}));
    }

    // Remembered for this file's name, and as the last choice for a new file.
    const std::string numbers = ChannelCars::JoinNumbers(followed);
    if (!m_path.empty())
        vnSettings().SetSettingString(kFollowedSection, GetDisplayName().toStdString(), numbers);
    vnSettings().SetSettingString(kRaceWeekendSection, kLastFollowed, numbers);

    std::vector<std::string> unknown;
    std::size_t known = 0;
    for (const std::string& number : followed) {
        const bool inTable =
            std::any_of(cars.begin(), cars.end(), [&](const ChannelCars::Car& car) { return car.number == number; });
        known += inTable ? 1 : 0;
        if (!inTable)
            unknown.push_back(number);
    }
    const QString following = QString::number(known);
    const QString carsText = CountText(vnCounted::Cars, static_cast<std::int32_t>(cars.size()));
    QString text = locked + unlocked == 0
        ? Say(IDS_FOLLOWING_UNCHANGED, {following, carsText})
        : Say(IDS_FOLLOWING,
              {following, carsText, CountText(vnCounted::Channels, static_cast<std::int32_t>(locked)),
               QString::number(unlocked)});
    // A number typed wrong would otherwise lock out the car that was meant.
    if (!unknown.empty()) {
        text += QLatin1Char(' ') +
            QString::fromStdString(vnWords::Count(vnCounted::CarsNotInTable, static_cast<std::int64_t>(unknown.size()),
                                                  {vnWords::List(unknown)}));
        return Warning(text.toStdString());
    }
    return Information(text.toStdString());
}

std::vector<std::string> ChannelDocument::GetFollowedCars() const
{
    const std::string last = vnSettings().GetSettingString(kRaceWeekendSection, kLastFollowed, std::string());
    if (m_path.empty())
        return ChannelCars::ParseNumbers(last);
    return ChannelCars::ParseNumbers(
        vnSettings().GetSettingString(kFollowedSection, GetDisplayName().toStdString(), last));
}

ChannelDocument::Message ChannelDocument::SetLockout(const std::vector<std::int32_t>& indexes, bool lockout)
{
    std::vector<std::int32_t> changing;
    for (const std::int32_t index : indexes)
        if (const vnChannel* channel = m_channels.GetAt(index); channel && channel->GetLockout() != lockout)
            changing.push_back(index);
    if (changing.empty())
        return Information(vnWords::Count(lockout ? vnCounted::AlreadyLockedOut : vnCounted::AlreadyUnlocked,
                                          static_cast<std::int64_t>(indexes.size())));
    SetFlag(changing, ChannelField::Lockout, lockout);
    return Information(Say(lockout ? IDS_LOCKED_OUT : IDS_UNLOCKED,
                           {changing.size() == 1 ? RangeText(changing.front(), changing.front())
                                                 : CountText(vnCounted::Channels, changing.size())})
                           .toStdString());
}
