#include "app/ChannelDocument.h"

#include "channels/vnDelimitedFile.h"
#include "channels/vnText.h"
#include "channels/vnWords.h"
#include "core/ChannelCellText.h"
#include "core/ChannelChirpExport.h"
#include "core/ChannelClipboardText.h"
#include "core/ChannelFile.h"
#include "core/ChannelImport.h"
#include "core/ChannelOpenReport.h"
#include "modules/vnChannelLayout.h"
#include "modules/vnSettingsStore.h"
#include "res/ResourceIds.h"
#include "res/StringResource.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

using Message = ChannelDocument::Message;

// After a save that the file or its folder refused: the way forward.
std::string ElsewhereHint(bool refusedHere)
{
    return refusedHere ? "\n\nUse Save As to save the channels under another name or in another folder."
                       : std::string();
}

Message Warning(const std::string& text)
{
    return {Message::Kind::Warning, QString::fromStdString(text)};
}

Message Information(const std::string& text)
{
    return {Message::Kind::Information, QString::fromStdString(text)};
}

// The name of a step over some channels: "Delete of Channel 12", "Paste of
// 20 Channels".
QString ChannelsStepText(const char* verb, std::size_t count, std::int32_t firstNumber)
{
    const std::string what = count == 1 ? "Channel " + vnText::Decimal(firstNumber)
                                        : vnWords::Count(vnCounted::ChannelsUpper, static_cast<std::int64_t>(count));
    return QString::fromUtf8(verb) + QStringLiteral(" of ") + QString::fromStdString(what);
}

// The status bar's past tense of a step's verb: "Paste" gives "Pasted".
QString PastTense(const char* verb)
{
    const QString text = QString::fromUtf8(verb);
    if (text == QLatin1String("Cut"))
        return text;
    return text + (text.endsWith(QLatin1Char('e')) ? QStringLiteral("d") : QStringLiteral("ed"));
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
QString CountText(vnCounted phrase, std::int32_t count)
{
    return QString::fromStdString(vnWords::Count(phrase, count));
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
        return QStringLiteral("Untitled");
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
    const ChannelOpenReport report = OpenChannelFile(path, m_channels, progress);
    const ChannelFileResult& result = report.result;
    if (result.cancelled)
        return {false,
                Information("Open of " + std::filesystem::path(path).filename().string() +
                            " was cancelled. The channels are unchanged.")};
    if (!result.changed)
        return {false, Warning(OpenFailedMessage(path, result.reason))};
    m_undoStack.clear();
    FileOutcome outcome = TakeRead(path, report, stamp);
    emit Reset();
    return outcome;
}

ChannelDocument::FileOutcome ChannelDocument::Reload()
{
    if (m_path.empty())
        return {false, {}};
    const std::string path = m_path;
    const vnFileStamp stamp = vnFileStamp::Of(path);
    vnChannelList read;
    m_layout.MakeChannels(read);
    const ChannelOpenReport report = OpenChannelFile(path, read);
    if (!report.result.changed)
        return {false, Warning(OpenFailedMessage(path, report.result.reason))};
    std::vector<ChannelEditCommand::Change> changes;
    for (std::int32_t index = 0; index < std::min(read.GetCount(), m_channels.GetCount()); ++index)
        if (!(*m_channels.GetAt(index) == *read.GetAt(index)))
            changes.push_back({index, *m_channels.GetAt(index), *read.GetAt(index)});
    ChangeChannels(std::move(changes), QStringLiteral("Reload of ") + GetDisplayName());
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
    outcome.done = QStringLiteral("Opened %1: %2")
                       .arg(FileNameOf(path), CountText(vnCounted::Channels, CountWithFrequency(m_channels)));
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
    const ChannelFileResult result = ReadChannelFile(path, read);
    // A file read only in part is not merged: its missing lines would leave
    // holes that look like a complete import.
    if (!result.ok)
        return {false, Warning(OpenFailedMessage(path, result.reason))};

    const std::int32_t first = std::clamp(firstIndex, 0, std::max(m_channels.GetCount() - 1, 0));
    const ChannelImport import = PlaceImportedChannels(m_channels, first, read);
    std::vector<ChannelEditCommand::Change> changes;
    for (const ChannelImport::Placement& placement : import.placements)
        changes.push_back({placement.index, *m_channels.GetAt(placement.index), placement.channel});
    const std::size_t added = changes.size();
    ChangeChannels(
        std::move(changes),
        QStringLiteral("Import of ") +
            QString::fromStdString(vnWords::Count(vnCounted::ChannelsUpper, static_cast<std::int64_t>(added))));

    const vnChannel* firstChannel = m_channels.GetAt(first);
    const std::string summary =
        ImportSummaryMessage(path, result.applied, import, firstChannel ? firstChannel->GetNumber() : 0);
    const bool shortfall = result.applied.skipped > 0 || result.applied.linesNotLoaded > 0 || import.notFitted > 0 ||
        import.placements.empty();
    FileOutcome outcome{true, shortfall ? Warning(summary) : Information(summary)};
    if (import.placements.empty()) {
        outcome.done = QStringLiteral("Imported no channels from %1").arg(FileNameOf(path));
    } else {
        const auto [low, high] = std::minmax_element(
            import.placements.begin(), import.placements.end(),
            [](const ChannelImport::Placement& a, const ChannelImport::Placement& b) { return a.index < b.index; });
        outcome.done = QStringLiteral("Imported %1 into %2")
                           .arg(CountText(vnCounted::Channels, added), NumbersText(low->index, high->index));
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
            FileOutcome changed{false,
                                Warning(std::filesystem::path(m_path).filename().string() +
                                        " was changed by another program since you opened it.")};
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
        outcome.message = Information(std::filesystem::path(m_path).filename().string() + " was read as " + encoding +
                                      " and is now saved as UTF-8.");
    return outcome;
}

ChannelDocument::FileOutcome ChannelDocument::ExportChirp(const std::string& path) const
{
    vnCellTable table = MakeChirpTable(m_channels);
    vnDelimitedFile file(&table);
    if (!file.Write(path))
        return {false, Warning(SaveFailedMessage(path, file.GetLastError()) + ElsewhereHint(file.RefusedHere()))};
    FileOutcome outcome{true, {}};
    outcome.done = QStringLiteral("Exported %1 in CHIRP's layout: %2")
                       .arg(FileNameOf(path), CountText(vnCounted::Channels, table.GetRowCount() - 1));
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
    outcome.done = QStringLiteral("Saved %1: %2")
                       .arg(FileNameOf(path), CountText(vnCounted::Channels, CountWithFrequency(m_channels)));
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
    const QString step = LoadStringText(GetFieldInfo(field).title) + QStringLiteral(" of Channel ") +
        QString::number(channel->GetNumber());
    ChangeChannels({{index, *channel, edited}}, step);
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
        QString done =
            QStringLiteral("Pasted %1 into %2")
                .arg(CountText(vnCounted::Channels, pasted.size()), NumbersText(pasted.front(), pasted.back()));
        // Filled channels are replaced without a question; Undo is the way back.
        if (overwritten > 0)
            done += QStringLiteral(" (%1 had a frequency before: Undo restores %2)")
                        .arg(overwritten)
                        .arg(overwritten == 1 ? QStringLiteral("it") : QStringLiteral("them"));
        notes << done + QLatin1Char('.');
    }
    if (!changes.empty()) {
        const std::int32_t number = changes.front().before.GetNumber();
        ChangeChannels(std::move(changes), ChannelsStepText("Paste", pasted.size(), number));
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

ChannelDocument::Message ChannelDocument::Clear(const std::vector<std::int32_t>& indexes, const char* verb)
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
    const QString done = PastTense(verb) + QLatin1Char(' ') +
        (count == 1 ? RangeText(changes.front().index, changes.front().index) : CountText(vnCounted::Channels, count));
    ChangeChannels(std::move(changes), ChannelsStepText(verb, count, number));
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
    const QString done = QStringLiteral("%1 %2 for %3")
                             .arg(title, value ? QStringLiteral("on") : QStringLiteral("off"),
                                  count == 1 ? RangeText(changes.front().index, changes.front().index)
                                             : CountText(vnCounted::Channels, count));
    const QByteArray verb = title.toUtf8();
    ChangeChannels(std::move(changes), ChannelsStepText(verb.constData(), count, number));
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

ChannelDocument::Arranged ChannelDocument::Apply(const ChannelArrange::Result& result, const char* verb,
                                                 std::size_t count, const QString& done)
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
        ChangeChannels(std::move(changes), ChannelsStepText(verb, count, number));
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
    return (firstIndex == lastIndex ? QStringLiteral("channel ") : QStringLiteral("channels ")) +
        NumbersText(firstIndex, lastIndex);
}

QString ChannelDocument::ArrangedText(const char* verb, const std::vector<std::int32_t>& placed,
                                      std::size_t count) const
{
    QString text = PastTense(verb) + QLatin1Char(' ') + CountText(vnCounted::Channels, count);
    if (placed.empty())
        return text;
    const auto [low, high] = std::minmax_element(placed.begin(), placed.end());
    // Where they now stand, when that is one run of channels.
    if (static_cast<std::size_t>(*high - *low + 1) == placed.size())
        text += QStringLiteral(" to ") + NumbersText(*low, *high);
    return text;
}

ChannelDocument::Arranged ChannelDocument::InsertEmpty(const std::vector<std::int32_t>& indexes)
{
    const ChannelArrange::Result result = ChannelArrange::InsertEmpty(GetContents(), m_layout, indexes);
    QString done = QStringLiteral("Inserted ") + CountText(vnCounted::EmptyChannels, indexes.size());
    if (!result.selected.empty()) {
        const auto [low, high] = std::minmax_element(result.selected.begin(), result.selected.end());
        done += QStringLiteral(" at ") + NumbersText(*low, *high);
    }
    return Apply(result, "Insert", indexes.size(), done);
}

ChannelDocument::Arranged ChannelDocument::Remove(const std::vector<std::int32_t>& indexes)
{
    QString done = QStringLiteral("Removed ") + CountText(vnCounted::Channels, indexes.size());
    if (indexes.size() == 1)
        done = QStringLiteral("Removed ") + RangeText(indexes.front(), indexes.front());
    done += QStringLiteral("; the channels below in the bank moved up");
    return Apply(ChannelArrange::Remove(GetContents(), m_layout, indexes), "Remove", indexes.size(), done);
}

ChannelDocument::Arranged ChannelDocument::Move(const std::vector<std::int32_t>& indexes, int step)
{
    const ChannelArrange::Result result = ChannelArrange::Move(GetContents(), indexes, step);
    return Apply(result, "Move", indexes.size(), ArrangedText("Move", result.selected, indexes.size()));
}

ChannelDocument::Arranged ChannelDocument::MoveTo(const std::vector<std::int32_t>& indexes, std::int32_t before)
{
    const ChannelArrange::Result result = ChannelArrange::MoveTo(GetContents(), indexes, before);
    return Apply(result, "Move", indexes.size(), ArrangedText("Move", result.selected, indexes.size()));
}

ChannelDocument::Arranged ChannelDocument::Sort(const std::vector<std::int32_t>& indexes,
                                                const ChannelArrange::SortOrder& order)
{
    const std::size_t count = order.scope == ChannelArrange::SortScope::Selection
        ? indexes.size()
        : static_cast<std::size_t>(m_channels.GetCount());
    return Apply(ChannelArrange::Sort(GetContents(), m_layout, indexes, order), "Sort", count,
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
            : QStringLiteral("the %1 selected channels").arg(indexes.size());
    } else {
        what = RangeText(0, m_channels.GetCount() - 1);
        if (order.scope == SortScope::EachBank)
            what = QStringLiteral("each bank of ") + what;
    }
    const QString key = order.key == SortKey::Frequency ? QStringLiteral("frequency")
        : order.key == SortKey::Description             ? QStringLiteral("description")
                                                        : QStringLiteral("car number");
    return QStringLiteral("Sorted %1 by %2%3")
        .arg(what, key, order.descending ? QStringLiteral(", highest first") : QString());
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
        ChangeChannels(std::move(changes), ChannelsStepText("Lockout", count, number));
    }

    // Remembered for this file's name, and as the last choice for a new file.
    const std::string numbers = ChannelCars::JoinNumbers(followed);
    if (!m_path.empty())
        vnSettings().SetSettingString(kFollowedSection, GetDisplayName().toStdString(), numbers);
    vnSettings().SetSettingString(kRaceWeekendSection, kLastFollowed, numbers);

    QStringList unknown;
    std::size_t known = 0;
    for (const std::string& number : followed) {
        const bool inTable =
            std::any_of(cars.begin(), cars.end(), [&](const ChannelCars::Car& car) { return car.number == number; });
        known += inTable ? 1 : 0;
        if (!inTable)
            unknown << QString::fromStdString(number);
    }
    QString text = QStringLiteral("Following %1 of %2: ").arg(known).arg(CountText(vnCounted::Cars, cars.size()));
    if (locked + unlocked == 0)
        text += QStringLiteral("every lockout was as it should be.");
    else
        text += QStringLiteral("%1 locked out, %2 unlocked.").arg(CountText(vnCounted::Channels, locked)).arg(unlocked);
    // A number typed wrong would otherwise lock out the car that was meant.
    if (!unknown.isEmpty()) {
        text += QStringLiteral(" No car %1 in the table.").arg(unknown.join(QStringLiteral(", ")));
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
    const QString verb = lockout ? QStringLiteral("Locked out") : QStringLiteral("Unlocked");
    if (changing.empty())
        return Information(
            (QStringLiteral("Nothing to change: the %1 already %2.")
                 .arg(indexes.size() == 1 ? QStringLiteral("channel was") : QStringLiteral("channels were"),
                      lockout ? QStringLiteral("locked out") : QStringLiteral("unlocked")))
                .toStdString());
    SetFlag(changing, ChannelField::Lockout, lockout);
    return Information((verb + QLatin1Char(' ') +
                        (changing.size() == 1 ? RangeText(changing.front(), changing.front())
                                              : CountText(vnCounted::Channels, changing.size())))
                           .toStdString());
}
