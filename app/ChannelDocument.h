#pragma once

#include "app/ChannelEditCommand.h"
#include "channels/vnChannelList.h"
#include "channels/vnFileStamp.h"
#include "core/ChannelArrange.h"
#include "core/ChannelCars.h"
#include "core/ChannelField.h"
#include "core/ChannelFile.h"
#include "core/ChannelOpenReport.h"
#include "core/ChannelSearch.h"
#include "modules/vnChannelLayout.h"

#include <QMimeData>
#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The open channel table: the channels of the current module's layout, the
// undo stack every change goes through, the file it came from and whether
// it has changed since. Each command returns what happened, in words for the
// user, instead of showing it; the window shows the answers and the grid's
// rows are this table's channels, row i the channel at index i.
class ChannelDocument : public QObject
{
    Q_OBJECT

public:
    // A message for the user: a box for files, the status bar for edits.
    struct Message
    {
        enum class Kind { None, Information, Warning };
        Kind kind = Kind::None;
        QString text;

        bool IsEmpty() const { return kind == Kind::None; }
    };

    // What a file command did. ok: the command did what it was asked (Open:
    // the table now holds the whole file).
    struct FileOutcome
    {
        FileOutcome() = default;
        FileOutcome(bool done, Message said) : ok(done), message(std::move(said)) {}

        bool ok = false;
        Message message;
        // Save: there is no file Save may replace, so it must go through
        // Save As. The message says why; proposedPath is the name to offer
        // (empty when there is none).
        bool needsName = false;
        std::string proposedPath;
        // Save: another program changed the file since Open or the last
        // Save; nothing was written. The message asks; Save(true) writes
        // anyway.
        bool changedOutside = false;
        // What the command did, for the status bar ("Saved spring.csv: 87
        // channels"); empty when it did nothing.
        QString done;
        // Open: the file was refused for a reason that choosing its columns
        // can mend. Its columns with their first values, to choose from,
        // and its header's names as written (empty without a header), for
        // OpenWithColumns.
        std::vector<ChannelColumnPreview> columns;
        std::vector<std::string> header;
    };

    // Says why the current module's upload would refuse each of the channels
    // as it is; an empty text for one it would take. One call for all the
    // channels of a step, so that a paste of 200 asks one module.
    using ChannelCheck = std::function<std::vector<std::string>(const std::vector<const vnChannel*>& channels)>;

    ChannelDocument();
    ~ChannelDocument() override;

    // Channels that edits, pastes and imports check; none by default.
    void SetChannelCheck(ChannelCheck check) { m_check = std::move(check); }

    std::int32_t GetCount() const { return m_channels.GetCount(); }
    // Null for an index outside the table.
    const vnChannel* GetAt(std::int32_t index) const { return m_channels.GetAt(index); }
    const vnChannelList& GetChannels() const { return m_channels; }
    // The text a cell of the grid shows; empty outside the table.
    std::string GetCellText(std::int32_t index, ChannelField field) const;
    // The index of the channel with this number; -1 when none.
    std::int32_t FindChannel(std::int32_t number) const;
    // Find: the next channel after index from (before it, searching up),
    // round the end, with a searchable field whose text matches.
    RowSearchResult Find(std::int32_t from, bool down, const std::function<bool(const std::string&)>& matches) const;

    // The file that Save replaces (native encoding); empty when none.
    const std::string& GetPath() const { return m_path; }
    // "Untitled" or the file's name without its folder, for titles.
    QString GetDisplayName() const;
    bool IsModified() const { return !m_undoStack.isClean(); }
    QUndoStack& GetUndoStack() { return m_undoStack; }

    // An empty channel per number of the layout, no file, nothing to undo.
    void New(const vnChannelLayout& layout);
    // Reads the file into the table. A file that cannot be read changes
    // nothing; one read only in part is shown but is not the current file,
    // so Save cannot replace it with the part that was read. The message
    // says what the user must know (another tool's layout, lines left out).
    // progress hears how far the read is and may cancel it, which changes
    // nothing.
    FileOutcome Open(const std::string& path, const ChannelReadProgress& progress = ChannelReadProgress());
    // Open of a file whose header Scanlore could not use, with the roles the
    // user gave its columns; header is the file's as the refusal gave it. A
    // file read with them remembers them for that header, so that Open of a
    // file with the same header uses them directly; the summary says
    // "columns as chosen on 3 Dec". A choice without a day is made today.
    FileOutcome OpenWithColumns(const std::string& path, ChannelColumnChoice choice,
                                const std::vector<std::string>& header);
    // Adds the channels of a file that have a frequency to the empty
    // channels from firstIndex on, as one undo step. A file that cannot be
    // read whole adds nothing. Columns chosen for its header are used as
    // Open uses them.
    FileOutcome Import(const std::string& path, std::int32_t firstIndex);
    // Writes every channel to the current file and marks the table saved.
    // Save replaces only a file that Open read whole in Scanlore's layout or
    // that Save As wrote; otherwise nothing is written and the outcome needs
    // a name, with the reason and a name beside the file ("county-scanlore.csv").
    // A file read in another encoding is written as UTF-8, and the first Save
    // says so. A file that another program changed since it was opened or
    // saved is not replaced unless evenIfChanged is set: the outcome says so
    // and asks.
    FileOutcome Save(bool evenIfChanged = false);
    // Whether another program changed the current file since Open or the
    // last Save, said once for each change: for a window being activated.
    // Size and time are compared first, the bytes only when they differ.
    bool NoticeOutsideChange();
    // Reads the current file again, as one undo step ("Reload of
    // spring.csv") that leaves the table saved; Undo brings back what the
    // table held. A file that cannot be read changes nothing.
    FileOutcome Reload();
    // Writes the channels with a frequency to path in CHIRP's CSV layout, as
    // an export: the current file, its title and the saved state stay as
    // they were. The message names what CHIRP has no column for.
    FileOutcome ExportChirp(const std::string& path) const;
    // Writes every channel to path; once it is written, path is the current
    // file and Save may replace it. A failed write keeps the current file as
    // it was.
    FileOutcome SaveAs(const std::string& path);

    // A text typed into a cell: one undo step when it is a value of the
    // field and changes the channel. The message says why a text was
    // refused, or that the upload would refuse the channel as it now is.
    Message EditCell(std::int32_t index, ChannelField field, const std::string& text);

    // Clipboard text pasted from the cell at firstIndex on, as one undo step.
    // Whole channels as Copy writes them fill whole channels field by field;
    // cells from elsewhere go into cellFields, one field after another. The
    // message counts what was left out or refused.
    Message Paste(const std::string& text, std::int32_t firstIndex, const std::vector<ChannelField>& cellFields);

    // What Copy puts on the clipboard, for the caller to own: the channels
    // as tab-separated cell texts (as spreadsheets take them), and as a
    // channel file with its header line ("text/csv").
    std::unique_ptr<QMimeData> Copy(const std::vector<std::int32_t>& indexes) const;
    // Empties the channels, keeping their numbers, as one undo step named
    // for the command ("Delete of Channel 12", "Cut of 3 Channels"). The
    // message says what was emptied ("Cut 3 channels").
    enum class ClearCommand { Delete, Cut };
    Message Clear(const std::vector<std::int32_t>& indexes, ClearCommand command);

    // Whether a flag field of the channel at index is on.
    bool GetFlag(std::int32_t index, ChannelField field) const;
    // Sets a flag field of the channels to value, as one undo step. The
    // message says what was set ("Lockout on for channel 12").
    Message SetFlag(const std::vector<std::int32_t>& indexes, ChannelField field, bool value);

    // What a command that moves channels between numbers did: the channels
    // to select afterwards and what was done, or a warning when nothing
    // changed.
    struct Arranged
    {
        Message message;
        std::vector<std::int32_t> selected;
    };
    // Each is one undo step named for what it did ("Move of 3 Channels");
    // the numbers stay in place and the channels move (see ChannelArrange).
    Arranged InsertEmpty(const std::vector<std::int32_t>& indexes);
    Arranged Remove(const std::vector<std::int32_t>& indexes);
    Arranged Move(const std::vector<std::int32_t>& indexes, int step);
    Arranged MoveTo(const std::vector<std::int32_t>& indexes, std::int32_t before);
    Arranged Sort(const std::vector<std::int32_t>& indexes, const ChannelArrange::SortOrder& order);
    // The indexes where a bank of the layout begins after the first.
    std::vector<std::int32_t> GetBankStarts() const;

    // Changes channels as one undo step named text. Nothing is recorded when
    // no channel changes.
    void ChangeChannels(std::vector<ChannelEditCommand::Change> changes, const QString& text);

    // The race weekend's cars: each car number of the table with its driver
    // and channels, in car-number order.
    std::vector<ChannelCars::Car> GetCars() const;
    // Follow Cars: every channel of a car not followed is locked out and
    // every channel of a followed car unlocked, as one undo step ("Lockout
    // of 64 Channels"); channels without a car stay as they are. The choice
    // is remembered with the file's name. The message says what changed.
    Message FollowCars(const std::vector<std::string>& followed);
    // The cars last followed with this file's name, else the last followed
    // with any file; empty when none.
    std::vector<std::string> GetFollowedCars() const;
    // Lock Out and Unlock: the lockout of the channels, as one undo step. The
    // message says what changed.
    Message SetLockout(const std::vector<std::int32_t>& indexes, bool lockout);

signals:
    // Every channel may differ, and their count: New and Open.
    void Reset();
    // The channels from first to last changed (an edit, an undo).
    void ChannelsChanged(std::int32_t first, std::int32_t last);
    // The current file changed.
    void PathChanged();

private:
    // The status bar's words for the commands that move channels: "Moved 3
    // channels to 12–14", where they now stand.
    QString MovedText(const std::vector<std::int32_t>& selected, std::size_t count) const;
    // "12", "21–60": the numbers of the channels at the first and last index.
    QString NumbersText(std::int32_t firstIndex, std::int32_t lastIndex) const;
    // "channel 12", "channels 21–60".
    QString RangeText(std::int32_t firstIndex, std::int32_t lastIndex) const;
    // "Sorted channels 61–98 by car number", also when they were in order.
    QString SortedText(const std::vector<std::int32_t>& indexes, const ChannelArrange::SortOrder& order) const;
    void SetPath(const std::string& path);
    // Takes a read as Open and Reload do: what Save may do with the file,
    // and what to tell the user.
    FileOutcome TakeRead(const std::string& path, const ChannelOpenReport& report, const vnFileStamp& stamp);
    // The refusal of a file whose columns the user may choose: Open's
    // warning, with the columns to choose from.
    static FileOutcome RefusedRead(const std::string& path, const ChannelOpenReport& report);
    // Reads the file again with the columns last chosen for its header,
    // when the plain read refused it and such a choice is remembered;
    // otherwise leaves the report as it is.
    void ReadWithRememberedColumns(const std::string& path, vnChannelList& channels, ChannelOpenReport& report,
                                   const ChannelReadProgress& progress = ChannelReadProgress()) const;
    std::vector<vnChannel> GetContents() const;
    // Records the new contents as one step over count channels, named by
    // the catalogue's pattern step; done says what was done.
    Arranged Apply(const ChannelArrange::Result& result, int step, std::size_t count, const QString& done);
    // How many of the channels the check refuses, and its reason for the
    // first of them.
    std::int32_t CountRefused(const std::vector<std::int32_t>& indexes, std::string& firstReason) const;

    vnChannelLayout m_layout; // the numbering New gave the channels
    vnChannelList m_channels;
    std::string m_path;
    // Why Save must not replace m_path; empty when it may.
    std::string m_saveRefusal;
    // The encoding m_path was read in when Save is the first to write it as
    // UTF-8; empty otherwise.
    std::string m_readEncoding;
    // The current file as Open or Save left it, and the last change by
    // another program already noticed.
    vnFileStamp m_stamp;
    vnFileStamp m_noticed;
    ChannelCheck m_check;
    // After the channel list: its steps point into the list.
    QUndoStack m_undoStack;
};
