// The open channel table without a window: New, Open, Import, Save, cell
// edits, paste, copy and clear, their undo steps and what they tell the user.
#include "app/ChannelDocument.h"

#include "core/ChannelFile.h"
#include "modules/gre1/vnGre1Module.h"
#include "modules/vnSettingsStore.h"
#include "modules/vnTransfer.h"
#include "tests/support/Gre1Layout.h"
#include "tests/support/ScratchFolder.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <tuple>
#include <vector>

namespace {

using Kind = ChannelDocument::Message::Kind;
using F = ChannelField;

const char* const kTenChannels = "ID,Frequency,Description\r\n"
                                 "1,151.1,One\r\n2,151.2,Two\r\n3,151.3,Three\r\n4,151.4,Four\r\n5,151.5,Five\r\n"
                                 "6,151.6,Six\r\n7,151.7,Seven\r\n8,151.8,Eight\r\n9,151.9,Nine\r\n10,152,Ten\r\n";

class ChannelDocumentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        document.New(Gre1Layout());
        // The GRE module's own check, as the window installs it.
        document.SetChannelCheck([this](const std::vector<const vnChannel*>& channels) {
            vnTransfer* transfer = nullptr;
            module.GetTransfer(&transfer);
            std::vector<std::string> reasons(channels.size());
            for (std::size_t i = 0; i < channels.size(); ++i)
                transfer->CheckChannel(channels[i], &reasons[i]);
            return reasons;
        });
    }

    std::string Cell(int index, F field) const { return document.GetCellText(index, field); }
    void Type(int index, F field, const std::string& text) { document.EditCell(index, field, text); }
    std::vector<vnChannel> All() const
    {
        std::vector<vnChannel> channels;
        for (int index = 0; index < document.GetCount(); ++index)
            channels.push_back(*document.GetAt(index));
        return channels;
    }
    std::string Path(const std::string& name) const { return folder.Path(name); }

    ScratchFolder folder;
    vnGre1Module module;
    ChannelDocument document;
};

} // namespace

TEST_F(ChannelDocumentTest, NewMakesAnEmptyChannelPerNumberWithoutFileOrSteps)
{
    Type(0, F::Frequency, "146.52");
    ASSERT_TRUE(document.SaveAs(Path("a.csv")).ok);
    Type(1, F::Frequency, "146.52");
    QSignalSpy reset(&document, &ChannelDocument::Reset);
    document.New(Gre1Layout());

    EXPECT_EQ(reset.count(), 1);
    ASSERT_EQ(document.GetCount(), 200);
    EXPECT_EQ(Cell(0, F::Number), "1");
    EXPECT_EQ(Cell(199, F::Number), "200");
    EXPECT_EQ(Cell(0, F::Frequency), "");
    EXPECT_EQ(Cell(0, F::Delay), "False");
    EXPECT_EQ(document.GetPath(), "");
    EXPECT_EQ(document.GetDisplayName(), "Untitled");
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.GetUndoStack().canUndo());
    EXPECT_EQ(document.FindChannel(200), 199);
    EXPECT_EQ(document.FindChannel(201), -1);
}

TEST_F(ChannelDocumentTest, OpenShowsTheFileAndSaveWritesEveryChannel)
{
    ScratchFolder::Put(Path("ten.csv"), kTenChannels);
    Type(150, F::Frequency, "462.5625");
    const ChannelDocument::FileOutcome opened = document.Open(Path("ten.csv"));

    EXPECT_TRUE(opened.ok);
    EXPECT_TRUE(opened.message.IsEmpty()) << "Scanlore's own file opens without a word";
    EXPECT_EQ(document.GetPath(), Path("ten.csv"));
    EXPECT_EQ(document.GetDisplayName(), "ten.csv");
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.GetUndoStack().canUndo());
    ASSERT_EQ(document.GetCount(), 200);
    EXPECT_EQ(Cell(9, F::Frequency), "152.0000");
    EXPECT_EQ(Cell(9, F::Description), "Ten");
    // What Upload All sends is what the file gave: nothing of the table before.
    EXPECT_EQ(Cell(150, F::Frequency), "");
    EXPECT_EQ(Cell(150, F::Number), "151");

    ASSERT_TRUE(document.Save().ok);
    const std::string saved = ScratchFolder::Slurp(Path("ten.csv"));
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 201);
}

struct OpenMessageCase
{
    const char* name;
    std::string content;
    Kind kind;
    std::string text; // the whole message, or a part of it after a '~'
};

class OpenMessageTest : public ChannelDocumentTest, public ::testing::WithParamInterface<OpenMessageCase>
{};

TEST_P(OpenMessageTest, SaysWhatTheUserMustKnow)
{
    const OpenMessageCase& c = GetParam();
    ScratchFolder::Put(Path("county.csv"), c.content);
    const ChannelDocument::FileOutcome opened = document.Open(Path("county.csv"));
    EXPECT_TRUE(opened.ok);
    EXPECT_EQ(opened.message.kind, c.kind);
    const std::string text = opened.message.text.toStdString();
    if (c.text.front() == '~') {
        EXPECT_NE(text.find(c.text.substr(1)), std::string::npos) << text;
    } else {
        EXPECT_EQ(text, c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenMessageTest,
    ::testing::Values(
        OpenMessageCase{"AnotherToolsFileWithSkippedLines",
                        "\"Frequency Output\",\"Description\",\"Alpha Tag\"\r\n"
                        "\"154.13000\",\"Fire Dispatch\",\"CoFire Disp\"\r\n\"\",\"Spare\",\"\"\r\n",
                        Kind::Warning,
                        "Read 1 channel from county.csv (RadioReference layout). 1 line was skipped: line 3: no "
                        "frequency."},
        OpenMessageCase{"AnotherToolsFileReadWhole", "Name,Frequency\r\nNOAA,162.55\r\n", Kind::Information,
                        "Read 1 channel from county.csv (columns by name)."},
        OpenMessageCase{"MoreLinesThanChannels",
                        [] {
                            std::string text = "ID,Frequency\r\n";
                            for (int i = 1; i <= 250; ++i)
                                text += "x,15" + std::to_string(i % 10) + ".5\r\n";
                            return text;
                        }(),
                        Kind::Warning, "~The last 50 lines were not loaded"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelDocumentTest, AFileThatCannotBeOpenedChangesNothing)
{
    ScratchFolder::Put(Path("kept.csv"), kTenChannels);
    ASSERT_TRUE(document.Open(Path("kept.csv")).ok);
    Type(11, F::Frequency, "146.52");
    const std::vector<vnChannel> before = All();

    const ChannelDocument::FileOutcome opened = document.Open(Path("gone.csv"));
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.message.kind, Kind::Warning);
    EXPECT_EQ(opened.message.text.toStdString(),
              OpenFailedMessage(Path("gone.csv"), std::generic_category().message(ENOENT)));
    EXPECT_TRUE(All() == before);
    EXPECT_EQ(document.GetPath(), Path("kept.csv")) << "Save still goes to the file that was open";
    EXPECT_TRUE(document.IsModified());
}

// A file from which nothing can be read is refused: Open and Import leave
// the table, its file and its steps as they were.
TEST_F(ChannelDocumentTest, AFileWithNothingToReadChangesNothing)
{
    ScratchFolder::Put(Path("kept.csv"), kTenChannels);
    ASSERT_TRUE(document.Open(Path("kept.csv")).ok);
    Type(11, F::Frequency, "146.52");
    const std::vector<vnChannel> before = All();
    const int steps = document.GetUndoStack().index();
    ScratchFolder::Put(Path("nothing.csv"), "Frequency,Name\r\n,Fire\r\n,EMS\r\n");

    for (const ChannelDocument::FileOutcome& outcome :
         {document.Open(Path("nothing.csv")), document.Import(Path("nothing.csv"), 0)}) {
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.message.kind, Kind::Warning);
        EXPECT_TRUE(outcome.message.text.contains("has no line with a frequency to read"))
            << outcome.message.text.toStdString();
        EXPECT_TRUE(outcome.message.text.contains("The channels are unchanged."));
    }
    EXPECT_TRUE(All() == before);
    EXPECT_EQ(document.GetPath(), Path("kept.csv"));
    EXPECT_EQ(document.GetUndoStack().index(), steps);
}

TEST_F(ChannelDocumentTest, AFileReadOnlyInPartIsShownButNotTheCurrentFile)
{
    // Three channels, then a quoted field that never closes.
    std::string text = "ID,Frequency,Description\r\n1,151.1,One\r\n2,151.2,Two\r\n3,151.3,Three\r\n";
    text += std::string(95, '\n') + "4,151.4,\"Four\r\n";
    ScratchFolder::Put(Path("cut.csv"), text);
    ASSERT_TRUE(document.SaveAs(Path("before.csv")).ok);

    const ChannelDocument::FileOutcome opened = document.Open(Path("cut.csv"));
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.message.kind, Kind::Warning);
    EXPECT_TRUE(opened.message.text.contains("could be read only in part"));
    EXPECT_EQ(Cell(2, F::Description), "Three");
    EXPECT_EQ(document.GetPath(), "") << "Save must not replace the file with the part read";
}

// Save replaces a file only when Open read all of it in Scanlore's layout;
// otherwise it asks for a name beside it and says what would be lost.
struct SaveCase
{
    const char* name;
    const char* text;
    // Empty when Save replaces the file.
    const char* reason;
};

class SaveAfterOpenTest : public ChannelDocumentTest, public ::testing::WithParamInterface<SaveCase>
{};

TEST_P(SaveAfterOpenTest, ReplacesOnlyWhatOpenReadWhole)
{
    const SaveCase& c = GetParam();
    ScratchFolder::Put(Path("county.csv"), c.text);
    ASSERT_TRUE(document.Open(Path("county.csv")).ok);
    Type(0, F::Description, "Edited");

    const ChannelDocument::FileOutcome saved = document.Save();
    if (std::string(c.reason).empty()) {
        EXPECT_TRUE(saved.ok);
        EXPECT_FALSE(saved.needsName);
        EXPECT_NE(ScratchFolder::Slurp(Path("county.csv")), c.text);
        return;
    }
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.needsName);
    EXPECT_EQ(saved.message.text.toStdString(), c.reason);
    EXPECT_EQ(saved.proposedPath, Path("county-scanlore.csv"));
    EXPECT_EQ(ScratchFolder::Slurp(Path("county.csv")), c.text) << "the file is untouched";
    EXPECT_TRUE(document.IsModified());

    // Saved under the new name, that file is the current one and Save
    // replaces it from then on.
    ASSERT_TRUE(document.SaveAs(saved.proposedPath).ok);
    EXPECT_EQ(document.GetPath(), Path("county-scanlore.csv"));
    Type(1, F::Description, "Again");
    EXPECT_TRUE(document.Save().ok);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SaveAfterOpenTest,
    ::testing::Values(
        SaveCase{"ScanloresOwn", "ID,Frequency,Description\r\n1,151.1,One\r\n2,151.2,Two\r\n", ""},
        SaveCase{"Chirp",
                 "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,Mode\r\n"
                 "0,NOAA,162.550000,,0.000000,,88.5,FM\r\n1,RPT,146.940000,-,0.600000,Tone,100.0,FM\r\n",
                 "county.csv is a CHIRP file; saving it in Scanlore's layout would drop its Duplex, Offset, Tone, "
                 "rToneFreq and 1 other columns."},
        SaveCase{"LinesSkipped", "Name,Frequency,Notes\r\nA,151.1,\r\nB,,\r\n",
                 "county.csv is a file of other columns; saving it in Scanlore's layout would leave out the line it "
                 "skipped."},
        SaveCase{"TitleAndKilohertz", "Channel list\r\nFrequency (kHz),Name\r\n151100,A\r\n",
                 "county.csv is a file of other columns; saving it in Scanlore's layout would drop its title line "
                 "and write a frequency given in kHz or Hz in MHz."},
        SaveCase{"OwnWithExtraColumn",
                 "ID,Frequency,Description,Car Number,Delay,Lockout,Priority,Notes\r\n1,151.1,A,,,,,keep\r\n",
                 "Saving county.csv in Scanlore's layout would drop its Notes column."},
        SaveCase{"OwnBeyondTheList",
                 [] {
                     static std::string text = "ID,Frequency\r\n";
                     for (int i = 1; i <= 201; ++i)
                         text += "x,151.1\r\n";
                     return text.c_str();
                 }(),
                 "Saving county.csv in Scanlore's layout would leave out the line beyond the last channel and number "
                 "its channels anew."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelDocumentTest, AWindows1252FileIsSavedAsUtf8AndTheFirstSaveSaysSo)
{
    ScratchFolder::Put(Path("old.csv"), "ID,Frequency,Description\r\n1,151.1,K\xF6ln\r\n");
    ASSERT_TRUE(document.Open(Path("old.csv")).ok);

    const ChannelDocument::FileOutcome first = document.Save();
    ASSERT_TRUE(first.ok);
    EXPECT_EQ(first.message.text.toStdString(), "old.csv was read as Windows-1252 and is now saved as UTF-8.");
    EXPECT_NE(ScratchFolder::Slurp(Path("old.csv")).find("K\xC3\xB6ln"), std::string::npos);
    const ChannelDocument::FileOutcome second = document.Save();
    ASSERT_TRUE(second.ok);
    EXPECT_TRUE(second.message.IsEmpty());
}

TEST_F(ChannelDocumentTest, ChirpExportLeavesTheCurrentFileAndNamesWhatItDrops)
{
    ASSERT_TRUE(document.SaveAs(Path("own.csv")).ok);
    Type(0, F::Frequency, "146.52");
    Type(0, F::CarNumber, "02");
    Type(1, F::Frequency, "119.1");
    Type(1, F::Delay, "True");
    Type(2, F::Frequency, "-151.1");

    const ChannelDocument::FileOutcome exported = document.ExportChirp(Path("radio.csv"));
    ASSERT_TRUE(exported.ok);
    EXPECT_EQ(exported.message.text.toStdString(),
              "radio.csv is written in CHIRP's layout, which has no column for Car Number and Delay: the file leaves "
              "them out. Channel 3 has a negative frequency, which CHIRP cannot hold: the file leaves it out.");
    EXPECT_EQ(exported.done.toStdString(), "Exported radio.csv in CHIRP's layout: 2 channels");
    EXPECT_EQ(document.GetPath(), Path("own.csv"));
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(ScratchFolder::Slurp(Path("radio.csv")).rfind("\"Location\",\"Name\",\"Frequency\",", 0), 0u);

    EXPECT_FALSE(document.ExportChirp(Path("no such folder/radio.csv")).ok);
}

TEST_F(ChannelDocumentTest, SaveOfANewTableNeedsANameWithoutProposingOne)
{
    const ChannelDocument::FileOutcome saved = document.Save();
    EXPECT_FALSE(saved.ok);
    EXPECT_TRUE(saved.needsName);
    EXPECT_TRUE(saved.message.IsEmpty());
    EXPECT_EQ(saved.proposedPath, "");
}

TEST_F(ChannelDocumentTest, SaveAsksBeforeReplacingAFileAnotherProgramChanged)
{
    ScratchFolder::Put(Path("spring.csv"), kTenChannels);
    ASSERT_TRUE(document.Open(Path("spring.csv")).ok);
    EXPECT_FALSE(document.NoticeOutsideChange());
    const std::string theirs = std::string(kTenChannels) + "11,153,Theirs\r\n";
    ScratchFolder::Put(Path("spring.csv"), theirs);
    Type(0, F::Description, "Mine");

    const ChannelDocument::FileOutcome asked = document.Save();
    EXPECT_FALSE(asked.ok);
    EXPECT_TRUE(asked.changedOutside);
    EXPECT_EQ(asked.message.text.toStdString(), "spring.csv was changed by another program since you opened it.");
    EXPECT_EQ(ScratchFolder::Slurp(Path("spring.csv")), theirs) << "nothing written until answered";
    EXPECT_TRUE(document.NoticeOutsideChange());
    EXPECT_FALSE(document.NoticeOutsideChange()) << "one change is told once";

    ASSERT_TRUE(document.Save(true).ok);
    EXPECT_NE(ScratchFolder::Slurp(Path("spring.csv")).find("Mine"), std::string::npos);
    Type(1, F::Description, "Again");
    EXPECT_TRUE(document.Save().ok) << "the file is now the one Save wrote";
}

TEST_F(ChannelDocumentTest, AnOpenCancelledThroughItsProgressChangesNothing)
{
    Type(0, F::Frequency, "146.52");
    ASSERT_TRUE(document.SaveAs(Path("mine.csv")).ok);
    ScratchFolder::Put(Path("spring.csv"), kTenChannels);
    const ChannelDocument::FileOutcome opened =
        document.Open(Path("spring.csv"), [](std::uint64_t, std::uint64_t) { return false; });
    EXPECT_FALSE(opened.ok);
    EXPECT_EQ(opened.message.text.toStdString(), "Open of spring.csv was cancelled. The channels are unchanged.");
    EXPECT_EQ(Cell(0, F::Frequency), "146.5200");
    EXPECT_EQ(Cell(1, F::Frequency), "");
    EXPECT_EQ(document.GetPath(), Path("mine.csv"));
}

TEST_F(ChannelDocumentTest, ReloadTakesTheChangedFileAsOneStepThatUndoes)
{
    ScratchFolder::Put(Path("spring.csv"), kTenChannels);
    ASSERT_TRUE(document.Open(Path("spring.csv")).ok);
    ScratchFolder::Put(Path("spring.csv"), "ID,Frequency,Description\r\n1,162.55,Weather\r\n");
    ASSERT_TRUE(document.NoticeOutsideChange());

    ASSERT_TRUE(document.Reload().ok);
    EXPECT_EQ(Cell(0, F::Description), "Weather");
    EXPECT_EQ(Cell(1, F::Frequency), "");
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.GetUndoStack().undoText().toStdString(), "Reload of spring.csv");
    EXPECT_TRUE(document.Save().ok) << "the reloaded file is the one Save may replace";
    document.GetUndoStack().undo();
    EXPECT_EQ(Cell(1, F::Description), "Two");
    EXPECT_TRUE(document.IsModified());
}

// The scanner's banks are the race list's: each role from a bank border, on
// Open and on Import.
TEST_F(ChannelDocumentTest, RaceListRolesStartAtTheScannersBankBorders)
{
    ScratchFolder::Put(Path("race.csv"), "Car,Driver,Primary,Backup\r\n3,Dale,467.925,468.225\r\n");
    ASSERT_TRUE(document.Open(Path("race.csv")).ok);
    EXPECT_EQ(Cell(20, F::Description), "Dale (Backup)");

    // From channel 5: the first border after it is in use, so the primary
    // takes the next empty channel; the backup starts at the next border.
    const ChannelDocument::FileOutcome imported = document.Import(Path("race.csv"), 4);
    EXPECT_EQ(Cell(21, F::Frequency), "467.9250");
    EXPECT_EQ(Cell(40, F::Description), "Dale (Backup)");
    EXPECT_EQ(imported.done.toStdString(), "Imported 2 channels into 22\u201341");
}

TEST_F(ChannelDocumentTest, ImportFillsEmptyChannelsFromTheGivenOneAsOneStep)
{
    Type(0, F::Frequency, "146.52");
    Type(196, F::Description, "No frequency");
    Type(197, F::Frequency, "155.1");
    Type(197, F::Description, "In use");
    ASSERT_TRUE(document.SaveAs(Path("table.csv")).ok);
    const std::vector<vnChannel> before = All();
    const int steps = document.GetUndoStack().count();
    // CHIRP's export: its own locations do not matter, the empty channels do.
    ScratchFolder::Put(Path("chirp.csv"),
                       "Location,Name,Frequency,Duplex,Offset,Tone,Skip\r\n"
                       "0,NOAA 1,162.550000,,0.000000,,\r\n"
                       "1,RPT,146.940000,-,0.600000,Tone,S\r\n"
                       "2,Simplex,146.520000,,0.000000,,P\r\n"
                       "3,Marine,156.800000,,0.000000,,\r\n");
    const ChannelDocument::FileOutcome imported = document.Import(Path("chirp.csv"), 196);

    EXPECT_TRUE(imported.ok);
    EXPECT_EQ(imported.message.kind, Kind::Warning);
    EXPECT_EQ(imported.message.text.toStdString(),
              "Read 4 channels from chirp.csv (CHIRP layout). Added 3 channels to the empty channels from channel "
              "197 on. 1 channel did not fit: no empty channel was left.");
    // A description without a frequency counts as empty.
    EXPECT_EQ(Cell(196, F::Description), "NOAA 1");
    EXPECT_EQ(Cell(196, F::Number), "197");
    EXPECT_EQ(Cell(197, F::Description), "In use");
    EXPECT_EQ(Cell(198, F::Lockout), "True");
    EXPECT_EQ(Cell(199, F::Priority), "True");
    EXPECT_EQ(Cell(195, F::Frequency), "");
    EXPECT_EQ(document.GetPath(), Path("table.csv")) << "Import never changes the current file";
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.GetUndoStack().undoText(), "Import of 3 Channels");

    document.GetUndoStack().undo();
    EXPECT_TRUE(All() == before);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.GetUndoStack().index(), steps) << "one step";

    const ChannelDocument::FileOutcome gone = document.Import(Path("gone.csv"), 0);
    EXPECT_FALSE(gone.ok);
    EXPECT_TRUE(gone.message.text.contains("could not be read"));
    EXPECT_TRUE(All() == before);
    EXPECT_EQ(document.GetUndoStack().index(), steps);
}

TEST_F(ChannelDocumentTest, AFailedSaveKeepsTheCurrentFileTheOldContentAndTheEdits)
{
    ScratchFolder::Put(Path("kept.csv"), kTenChannels);
    ASSERT_TRUE(document.Open(Path("kept.csv")).ok);
    Type(0, F::Description, "Tower");

    const std::string missing = Path("no/such/folder/x.csv");
    const ChannelDocument::FileOutcome saved = document.SaveAs(missing);
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.message.kind, Kind::Warning);
    EXPECT_TRUE(saved.message.text.contains(QString::fromStdString(missing)));
    EXPECT_TRUE(saved.message.text.contains("could not be saved"));
    EXPECT_EQ(document.GetPath(), Path("kept.csv"));
    EXPECT_EQ(document.GetDisplayName(), "kept.csv");
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(ScratchFolder::Slurp(Path("kept.csv")), kTenChannels);

    ASSERT_TRUE(document.SaveAs(Path("new.csv")).ok);
    EXPECT_EQ(document.GetPath(), Path("new.csv"));
    EXPECT_FALSE(document.IsModified());
    EXPECT_NE(ScratchFolder::Slurp(Path("new.csv")).find("\"Tower\""), std::string::npos);
}

TEST_F(ChannelDocumentTest, TypedTextIsTakenAsAValueOrRefusedWithTheReason)
{
    EXPECT_TRUE(document.EditCell(11, F::Frequency, "146,52").IsEmpty());
    EXPECT_EQ(Cell(11, F::Frequency), "146.5200");
    const ChannelDocument::Message refused = document.EditCell(11, F::Frequency, "l46.52");
    EXPECT_EQ(refused.text, "\"l46.52\" is not a frequency in MHz; channel 12 keeps 146.5200");
    EXPECT_EQ(Cell(11, F::Frequency), "146.5200");
    Type(11, F::Lockout, "True");
    EXPECT_TRUE(document.EditCell(11, F::Lockout, "Ture").text.startsWith("\"Ture\" is not True or False; Lockout"));
    EXPECT_EQ(Cell(11, F::Lockout), "True");
    // The upload would refuse it: said at once, and the text is kept.
    EXPECT_EQ(document.EditCell(11, F::CarNumber, "A^B").text.toStdString(),
              "Channel 12: the car number holds '^', which the scanner reads as the end of a field.");
    EXPECT_EQ(Cell(11, F::CarNumber), "A^B");
    Type(11, F::Frequency, "");
    EXPECT_EQ(Cell(11, F::Frequency), "");
    Type(11, F::Number, "99");
    EXPECT_EQ(Cell(11, F::Number), "12");
}

TEST_F(ChannelDocumentTest, EveryChangeIsAStepThatUndoRestoresExactly)
{
    QSignalSpy changed(&document, &ChannelDocument::ChannelsChanged);
    ScratchFolder::Put(Path("exact.csv"), "ID,Frequency\r\n12,146.520031\r\n");
    ASSERT_TRUE(document.Open(Path("exact.csv")).ok);
    const vnFrequency exact = document.GetAt(11)->GetFrequency();
    Type(11, F::Frequency, "155.1");
    Type(11, F::Frequency, "155.1"); // the same again: no second step
    EXPECT_EQ(document.GetUndoStack().count(), 1);
    EXPECT_EQ(document.GetUndoStack().undoText(), "Frequency of Channel 12");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.front(), (QList<QVariant>{11, 11}));
    EXPECT_TRUE(document.IsModified());

    document.GetUndoStack().undo();
    EXPECT_TRUE(document.GetAt(11)->GetFrequency() == exact);
    EXPECT_FALSE(document.IsModified());
    document.GetUndoStack().redo();
    EXPECT_EQ(Cell(11, F::Frequency), "155.1000");

    // Several channels, one step; channels that stay as they were are left out.
    std::vector<ChannelEditCommand::Change> changes;
    for (int index : {0, 5, 199}) {
        vnChannel after = *document.GetAt(index);
        after.SetDescription("Row " + std::to_string(index));
        changes.push_back({index, *document.GetAt(index), after});
    }
    changes.push_back({7, *document.GetAt(7), *document.GetAt(7)});
    document.ChangeChannels(changes, "Paste of 3 Channels");
    EXPECT_EQ(document.GetUndoStack().count(), 2);
    EXPECT_EQ(changed.back(), (QList<QVariant>{0, 199}));
    document.GetUndoStack().undo();
    for (int index : {0, 5, 199})
        EXPECT_EQ(Cell(index, F::Description), "") << index;
    document.ChangeChannels({{3, *document.GetAt(3), *document.GetAt(3)}}, "Nothing");
    EXPECT_EQ(document.GetUndoStack().count(), 2);
}

TEST_F(ChannelDocumentTest, MovesAndFlagsAreOneNamedStepEach)
{
    ScratchFolder::Put(Path("ten.csv"), kTenChannels);
    ASSERT_TRUE(document.Open(Path("ten.csv")).ok);
    const ChannelDocument::Arranged moved = document.Move({2, 3, 4}, -1);
    EXPECT_EQ(moved.selected, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(document.GetUndoStack().undoText(), "Move of 3 Channels");
    EXPECT_EQ(Cell(1, F::Description), "Three");
    EXPECT_EQ(Cell(4, F::Description), "Two");
    EXPECT_EQ(Cell(1, F::Number), "2");

    // Bank 1 (channels 1-20) is full from 1 to 10: inserting above 10 fits.
    EXPECT_EQ(document.InsertEmpty({9}).message.text.toStdString(), "Inserted 1 empty channel at 10");
    EXPECT_EQ(Cell(10, F::Description), "Ten");
    const ChannelDocument::Arranged refused = document.InsertEmpty({19, 20});
    EXPECT_EQ(refused.message.kind, Kind::Warning);
    EXPECT_EQ(document.GetUndoStack().count(), 2);

    document.SetFlag({0, 1}, F::Lockout, true);
    EXPECT_EQ(document.GetUndoStack().undoText(), "Lockout of 2 Channels");
    EXPECT_TRUE(document.GetFlag(1, F::Lockout));
    EXPECT_EQ(Cell(0, F::Lockout), "True");
    EXPECT_EQ(document.GetBankStarts().front(), 20);

    while (document.GetUndoStack().canUndo())
        document.GetUndoStack().undo();
    EXPECT_EQ(Cell(1, F::Description), "Two");
    EXPECT_FALSE(document.GetFlag(1, F::Lockout));
}

TEST_F(ChannelDocumentTest, CopyGivesCellTextAndAChannelFileAndClearEmptiesAsOneStep)
{
    for (int index : {3, 4}) {
        Type(index, F::Frequency, "146.52");
        Type(index, F::Description, index == 3 ? "Fire\tNorth" : "Police");
        Type(index, F::Delay, "True");
    }
    const std::unique_ptr<QMimeData> copied = document.Copy({3, 4});
    EXPECT_EQ(copied->text().toStdString(),
              "4\t146.5200\t\"Fire\tNorth\"\t\tTrue\tFalse\tFalse\n"
              "5\t146.5200\tPolice\t\tTrue\tFalse\tFalse\n");
    EXPECT_EQ(copied->data("text/csv").toStdString(),
              "\"ID\",\"Frequency\",\"Description\",\"Car Number\",\"Delay\",\"Lockout\",\"Priority\"\r\n"
              "4,146.520000,\"Fire\tNorth\",,True,False,False\r\n"
              "5,146.520000,\"Police\",,True,False,False\r\n");

    const int steps = document.GetUndoStack().count();
    document.Clear({3, 4}, ChannelDocument::ClearCommand::Delete);
    EXPECT_EQ(document.GetUndoStack().count(), steps + 1);
    EXPECT_EQ(document.GetUndoStack().undoText(), "Delete of 2 Channels");
    EXPECT_EQ(Cell(3, F::Frequency), "");
    EXPECT_EQ(Cell(4, F::Delay), "False");
    EXPECT_EQ(Cell(4, F::Number), "5");
    document.GetUndoStack().undo();
    EXPECT_EQ(Cell(3, F::Description), "Fire\tNorth");
}

TEST_F(ChannelDocumentTest, EveryChangeSaysWhatItDid)
{
    for (int index : {20, 21, 22}) {
        Type(index, F::Frequency, "461.1");
        Type(index, F::CarNumber, std::to_string(index));
    }
    // A paste over filled channels says how many it replaced.
    EXPECT_EQ(document.Paste("151.1\n151.2\n151.3\n151.4\n", 19, {F::Frequency}).text.toStdString(),
              "Pasted 4 channels into 20\u201323 (3 had a frequency before: Undo restores them).");
    EXPECT_EQ(document.Clear({3, 4, 5}, ChannelDocument::ClearCommand::Cut).text.toStdString(), "Cut 3 channels");
    EXPECT_EQ(document.Clear({7}, ChannelDocument::ClearCommand::Delete).text.toStdString(), "Deleted channel 8");
    EXPECT_EQ(document.InsertEmpty({20, 21}).message.text.toStdString(), "Inserted 2 empty channels at 21\u201322");
    EXPECT_EQ(document.Move({22, 23}, 1).message.text.toStdString(), "Moved 2 channels to 24\u201325");

    ChannelArrange::SortOrder order;
    order.key = ChannelArrange::SortKey::CarNumber;
    order.scope = ChannelArrange::SortScope::Selection;
    EXPECT_EQ(document.Sort({20, 21, 22, 23, 24}, order).message.text.toStdString(),
              "Sorted channels 21\u201325 by car number");
    order.scope = ChannelArrange::SortScope::WholeList;
    order.descending = true;
    EXPECT_EQ(document.Sort({}, order).message.text.toStdString(),
              "Sorted channels 1\u2013200 by car number, highest first");

    const ChannelDocument::FileOutcome saved = document.SaveAs(Path("spring.csv"));
    EXPECT_EQ(saved.done.toStdString(), "Saved spring.csv: 4 channels");
    document.New(Gre1Layout());
    ScratchFolder::Put(Path("ten.csv"), kTenChannels);
    EXPECT_EQ(document.Import(Path("ten.csv"), 0).done.toStdString(), "Imported 10 channels into 1\u201310");
    EXPECT_EQ(document.Open(Path("spring.csv")).done.toStdString(), "Opened spring.csv: 4 channels");
}

// A race weekend's table: each car's primary and backup, and an official.
class RaceWeekendTest : public ChannelDocumentTest
{
protected:
    void SetUp() override
    {
        ChannelDocumentTest::SetUp();
        const char* cars[][2] = {
            {"24", "Jeff Gordon"}, {"9", "Bill Elliott"}, {"2", "Rusty Wallace"}, {"02", "Ryan Newman"}};
        int index = 20;
        for (const auto& [car, driver] : cars)
            for (const char* role : {"", " (Backup)"}) {
                Type(index, F::Frequency, std::to_string(461 + index / 10) + "." + std::to_string(index % 10));
                Type(index, F::Description, std::string(driver) + role);
                Type(index, F::CarNumber, car);
                ++index;
            }
        Type(0, F::Frequency, "454.0");
        Type(0, F::Description, "Race Control");
        Type(0, F::Lockout, "True");
        ASSERT_TRUE(document.SaveAs(Path("spring.csv")).ok);
    }

    std::vector<int> LockedOut() const
    {
        std::vector<int> indexes;
        for (int index = 0; index < document.GetCount(); ++index)
            if (document.GetFlag(index, F::Lockout))
                indexes.push_back(index);
        return indexes;
    }

    vnMemorySettingsStore store;
    vnSettingsScope storeInUse{store};
};

TEST_F(RaceWeekendTest, FollowCarsLocksOutTheOthersAsOneStepAndIsRememberedByName)
{
    const std::vector<ChannelCars::Car> cars = document.GetCars();
    ASSERT_EQ(cars.size(), 4u);
    EXPECT_EQ(cars[1].number, "02");
    EXPECT_EQ(cars[1].driver, "Ryan Newman");

    const int steps = document.GetUndoStack().count();
    const ChannelDocument::Message said = document.FollowCars({"24", "02"});
    EXPECT_EQ(said.kind, Kind::Information);
    EXPECT_EQ(said.text.toStdString(), "Following 2 of 4 cars: 4 channels locked out, 0 unlocked.");
    // Primaries and backups alike; the official without a car stays as it was.
    EXPECT_EQ(LockedOut(), (std::vector<int>{0, 22, 23, 24, 25}));
    EXPECT_EQ(document.GetUndoStack().count(), steps + 1);
    EXPECT_EQ(document.GetUndoStack().undoText(), "Lockout of 4 Channels");

    // Next week: another car, and a number that matches none.
    EXPECT_EQ(document.GetFollowedCars(), (std::vector<std::string>{"24", "02"}));
    const ChannelDocument::Message next = document.FollowCars({"9", "77"});
    EXPECT_EQ(next.kind, Kind::Warning);
    EXPECT_EQ(next.text.toStdString(),
              "Following 1 of 4 cars: 4 channels locked out, 2 unlocked. No car 77 in the table.");
    EXPECT_EQ(LockedOut(), (std::vector<int>{0, 20, 21, 24, 25, 26, 27}));
    document.GetUndoStack().undo();
    EXPECT_EQ(LockedOut(), (std::vector<int>{0, 22, 23, 24, 25}));

    // Remembered with the file's name; a new table offers the last choice.
    ChannelDocument other;
    other.New(Gre1Layout());
    EXPECT_EQ(other.GetFollowedCars(), (std::vector<std::string>{"9", "77"}));
    ASSERT_TRUE(other.SaveAs(Path("autumn.csv")).ok);
    other.FollowCars({"2"});
    EXPECT_EQ(document.GetFollowedCars(), (std::vector<std::string>{"9", "77"}));
    // Two unknown numbers are listed as a sentence lists them.
    EXPECT_TRUE(document.FollowCars({"9", "77", "78"}).text.endsWith(" No cars 77 and 78 in the table."));
}

TEST_F(RaceWeekendTest, LockOutAndUnlockAreOneStepEachAndSayWhatChanged)
{
    const int steps = document.GetUndoStack().count();
    EXPECT_EQ(document.SetLockout({0, 20, 21, 22}, true).text.toStdString(), "Locked out 3 channels");
    EXPECT_EQ(document.GetUndoStack().count(), steps + 1);
    EXPECT_EQ(LockedOut(), (std::vector<int>{0, 20, 21, 22}));
    EXPECT_EQ(document.SetLockout({0, 20}, true).text.toStdString(),
              "Nothing to change: the channels were already locked out.");
    EXPECT_EQ(document.GetUndoStack().count(), steps + 1);
    EXPECT_EQ(document.SetLockout({21}, false).text.toStdString(), "Unlocked channel 22");
    EXPECT_EQ(LockedOut(), (std::vector<int>{0, 20, 22}));
}

// Paste from a cell on: what lands where, and what the status bar says.
struct PasteCase
{
    const char* name;
    const char* clipboard;
    int index;
    F first;                                            // cells go into this field and those right of it
    std::vector<std::tuple<int, F, std::string>> cells; // index, field, text after the paste
    const char* message;
};

class PasteTest : public ChannelDocumentTest, public ::testing::WithParamInterface<PasteCase>
{};

TEST_P(PasteTest, WritesCellsFromTheGivenCellAsOneStep)
{
    const PasteCase& c = GetParam();
    std::vector<F> fields;
    for (int column = ColumnOf(c.first); column < ChannelFieldCount; ++column)
        fields.push_back(*FieldOfColumn(column));
    const ChannelDocument::Message message = document.Paste(c.clipboard, c.index, fields);

    for (const auto& [index, field, text] : c.cells)
        EXPECT_EQ(Cell(index, field), text) << index << "," << ColumnOf(field);
    EXPECT_EQ(message.text.toStdString(), c.message);
    ASSERT_EQ(document.GetUndoStack().count(), 1);
    document.GetUndoStack().undo();
    // Back to New's empty channel, as the last one is after the undo.
    for (const auto& [index, field, text] : c.cells)
        if (field != F::Number) {
            EXPECT_EQ(Cell(index, field), Cell(199, field)) << "undone " << index << "," << ColumnOf(field);
        }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasteTest,
    ::testing::Values(PasteCase{"SpreadsheetRange",
                                "146.52\tFire\r\n151.1 MHz\tPolice\r\n",
                                5,
                                F::Frequency,
                                {{5, F::Frequency, "146.5200"},
                                 {5, F::Description, "Fire"},
                                 {6, F::Frequency, "151.1000"},
                                 {6, F::Description, "Police"},
                                 {5, F::Number, "6"}},
                                "Pasted 2 channels into 6\u20137."},
                      PasteCase{"WholeScanloreRowsFromTheGivenRow",
                                "1\t146.5200\tA\t\tTrue\tFalse\tFalse\n2\t\tB\tC9\tFalse\tTrue\tFalse\n",
                                10,
                                F::Description,
                                {{10, F::Number, "11"},
                                 {10, F::Frequency, "146.5200"},
                                 {10, F::Description, "A"},
                                 {10, F::Delay, "True"},
                                 {11, F::CarNumber, "C9"},
                                 {11, F::Lockout, "True"}},
                                "Pasted 2 channels into 11\u201312."},
                      PasteCase{"SavedFileWithItsHeaderFillsWholeRows",
                                "ID\tFrequency\tDescription\tCar Number\tDelay\tLockout\tPriority\n"
                                "7\t146.520000\tFire\t\tTRUE\tFALSE\tFALSE\n",
                                20,
                                F::CarNumber,
                                {{20, F::Frequency, "146.5200"},
                                 {20, F::Description, "Fire"},
                                 {20, F::Delay, "True"},
                                 {21, F::Description, ""}},
                                "Pasted 1 channel into 21."},
                      PasteCase{"LineEndInsideAFieldBecomesABlank",
                                "\"North\nGate\"\n",
                                2,
                                F::Description,
                                {{2, F::Description, "North Gate"}},
                                "Pasted 1 channel into 3."},
                      PasteCase{"RefusedCellsKeepTheirValues",
                                "abc\tDesk\tmaybe\n",
                                7,
                                F::Frequency,
                                {{7, F::Frequency, ""}, {7, F::Description, "Desk"}, {7, F::CarNumber, "maybe"}},
                                "Pasted 1 channel into 8. 1 pasted cell was not a value of its column and kept what it "
                                "had."},
                      PasteCase{"RowsBeyondTheLastChannel",
                                "1\n2\n3\n4\n",
                                198,
                                F::CarNumber,
                                {{198, F::CarNumber, "1"}, {199, F::CarNumber, "2"}},
                                "Pasted 2 channels into 199\u2013200. 2 rows beyond the last channel were not pasted."},
                      PasteCase{"ChannelsTheScannerCannotTakeAreNamed",
                                "A^B\nC^D\n",
                                30,
                                F::CarNumber,
                                {{30, F::CarNumber, "A^B"}, {31, F::CarNumber, "C^D"}},
                                "Pasted 2 channels into 31\u201332. 2 pasted channels need a look before an upload; "
                                "the first: Channel 31: the car "
                                "number holds '^', which the scanner reads as the end of a field."},
                      PasteCase{"CellsBeyondTheLastColumn",
                                "yes\tx\ty\n",
                                9,
                                F::Priority,
                                {{9, F::Priority, "True"}},
                                "Pasted 1 channel into 10. 2 cells beyond the last column were not pasted."}),
    [](const auto& info) { return std::string(info.param.name); });

// A header Scanlore cannot use hands back its columns; the roles chosen read
// the file and are remembered for that header, so that next week's list of
// the same shape opens directly.
TEST_F(ChannelDocumentTest, ColumnsChosenForAHeaderReadItAndAreRememberedForIt)
{
    vnMemorySettingsStore store;
    vnSettingsScope storeInUse(store);
    ScratchFolder::Put(Path("week1.csv"), "Platz,\"Wert, roh\",Name\r\n1,146520,Call\r\n2,155437.5,Fire\r\n");
    const ChannelDocument::FileOutcome refused = document.Open(Path("week1.csv"));
    ASSERT_FALSE(refused.ok);
    ASSERT_EQ(refused.columns.size(), 3u);
    EXPECT_EQ(refused.columns[1].values, (std::vector<std::string>{"146520", "155437.5"}));
    EXPECT_EQ(refused.header, (std::vector<std::string>{"Platz", "Wert, roh", "Name"}));

    ChannelColumnChoice choice;
    choice.columns = {{"Wert, roh", ChannelColumnRole::Frequency}, {"Name", ChannelColumnRole::Description}};
    choice.unit = ChannelColumnMap::Unit::KHz;
    choice.chosenOn = "3 Dec";
    const ChannelDocument::FileOutcome chosen = document.OpenWithColumns(Path("week1.csv"), choice, refused.header);
    ASSERT_TRUE(chosen.ok) << chosen.message.text.toStdString();
    EXPECT_EQ(Cell(1, F::Frequency), "155.4375");
    EXPECT_EQ(Cell(1, F::Description), "Fire");

    // The same header, written in other letters, a week later.
    ScratchFolder::Put(Path("week2.csv"), "PLATZ,\"WERT ROH\",name\r\n1,162550,Weather\r\n");
    const ChannelDocument::FileOutcome next = document.Open(Path("week2.csv"));
    ASSERT_TRUE(next.ok) << next.message.text.toStdString();
    EXPECT_EQ(Cell(0, F::Frequency), "162.5500");
    EXPECT_EQ(Cell(1, F::Frequency), "");
    EXPECT_EQ(next.message.text.toStdString(),
              "Read 1 channel from week2.csv (columns as chosen on 3 Dec). 1 frequency in kHz was converted to MHz.");
    // Import reads such a file with them too.
    EXPECT_TRUE(document.Import(Path("week1.csv"), 10).ok);
    EXPECT_EQ(Cell(10, F::Frequency), "146.5200");
}
