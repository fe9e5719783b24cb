#include "core/ScannerRecord.h"

#include "channels/vnChannelList.h"
#include "core/ChannelFile.h"
#include "core/ScannerComparison.h"
#include "core/ScannerRecordFolder.h"
#include "core/ScannerRecordUpload.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

vnChannel Channel(std::int32_t number, double mhz, const std::string& car = std::string())
{
    vnChannel channel;
    channel.SetNumber(number);
    vnFrequency frequency(0.0, vnFrequency::UnitHertz);
    frequency.SetMHz(mhz);
    channel.SetFrequency(frequency);
    channel.SetCarNumber(car);
    return channel;
}

void MakeList(vnChannelList& list, const std::vector<vnChannel>& channels)
{
    for (const vnChannel& value : channels) {
        vnChannel* channel = nullptr;
        list.AddNew(&channel);
        *channel = value;
    }
}

constexpr const char* kMonday = "2026-12-03 14:02:11";
constexpr const char* kNextMonday = "2026-12-10 09:00:05";

} // namespace

TEST(ScannerRecord, UploadRecordsFinishedChannelsAndLeavesTheRestUnknown)
{
    ScannerRecord record("Pro-89");
    record.ApplyUpload({Channel(1, 146.52), Channel(2, 155.475, "78"), Channel(3, 151.625)}, 3, kMonday,
                       "/dev/ttyUSB0");
    // The second upload stops after channel 1: 2 may hold either; 3 was not meant and keeps its memory.
    record.ApplyUpload({Channel(1, 146.53), Channel(2, 155.5)}, 1, kNextMonday, "COM4");

    EXPECT_EQ(record.Find(1).state, ScannerMemory::State::Sent);
    EXPECT_EQ(record.Find(1).channel, Channel(1, 146.53));
    EXPECT_EQ(record.Find(1).when, kNextMonday);
    EXPECT_EQ(record.Find(2).state, ScannerMemory::State::Unknown);
    EXPECT_EQ(record.Find(3).channel, Channel(3, 151.625));
    EXPECT_EQ(record.Find(3).when, kMonday);
    EXPECT_EQ(record.Find(4).state, ScannerMemory::State::NothingSent);
    EXPECT_EQ(record.GetLastPort(), "COM4");
}

TEST(ScannerRecord, FileReadsBackAndOpensAsAChannelFile)
{
    ScratchFolder folder;
    ScannerRecord record("Pro-89");
    vnChannel locked = Channel(59, 155.475, "78");
    locked.SetLockout(true);
    locked.SetDescription("Car 78, \"quoted\"");
    record.ApplyUpload({Channel(1, 146.52), locked, Channel(60, 151.625)}, 2, kMonday, "/dev/ttyUSB0");
    const std::string path = ScannerRecord::FileName(folder.Path("new/folder"), "Pro-89 / left");
    // The file's name has no separator of its own; the folder's are the system's.
    EXPECT_EQ(std::filesystem::path(path), std::filesystem::path(folder.Path("new/folder")) / "Pro-89 _ left.csv");
    ASSERT_EQ(record.Write(path), "");

    const ScannerRecord::ReadResult read = ScannerRecord::Read(path, "Pro-89");
    EXPECT_EQ(read.problem, "");
    EXPECT_EQ(read.record.GetLastUpload(), kMonday);
    EXPECT_EQ(read.record.GetLastPort(), "/dev/ttyUSB0");
    ASSERT_EQ(read.record.Memories().size(), 3u);
    for (const auto& [number, memory] : record.Memories()) {
        EXPECT_EQ(read.record.Find(number).state, memory.state) << number;
        EXPECT_EQ(read.record.Find(number).channel, memory.channel) << number;
        EXPECT_EQ(read.record.Find(number).when, memory.when) << number;
    }

    // A person can open it in Scanlore: the channels land on their numbers.
    vnChannelList channels;
    MakeList(channels, {Channel(1, 0), Channel(59, 0), Channel(60, 0)});
    const ChannelFileResult opened = ReadChannelFile(path, channels);
    EXPECT_TRUE(opened.ok);
    EXPECT_EQ(*channels.GetAt(1), locked);
}

TEST(ScannerRecord, MissingOrDamagedFileMeansNothingKnown)
{
    ScratchFolder folder;
    EXPECT_TRUE(ScannerRecord::Read(folder.Path("none.csv"), "Pro-89").record.IsEmpty());
    EXPECT_EQ(ScannerRecord::Read(folder.Path("none.csv"), "Pro-89").problem, "");

    ScannerRecord record("Pro-89");
    record.ApplyUpload({Channel(1, 146.52), Channel(2, 155.475)}, 2, kMonday, "COM3");
    const std::string text = record.WriteText();
    const std::vector<std::string> damaged = {
        "\"ID\",\"Frequency\"\r\n1,146.52\r\n",            // a channel file, not a record
        text.substr(0, text.size() - 12),                  // cut in its last line
        text + "2,150.0,,,False,False,False,\"soon\"\r\n", // a channel twice, a time that is none
        std::string("\x00\xff\xfe garbage", 11),
    };
    for (const std::string& bytes : damaged) {
        const std::string path = folder.Path("damaged.csv");
        ScratchFolder::Put(path, bytes);
        const ScannerRecord::ReadResult read = ScannerRecord::Read(path, "Pro-89");
        EXPECT_TRUE(read.record.IsEmpty()) << bytes;
        EXPECT_NE(read.problem, "") << bytes;
    }
}

// A record edited by hand may hold its lines in any order.
TEST(ScannerRecord, LinesInAnyOrderGoToTheirChannels)
{
    ScratchFolder folder;
    ScannerRecord record("Pro-89");
    record.ApplyUpload({Channel(2, 150.0), Channel(7, 160.0, "7")}, 2, kMonday, "COM3");
    const std::string text = record.WriteText();
    const std::size_t second = text.find("\r\n2,") + 2;
    const std::size_t third = text.find("\r\n7,") + 2;
    const std::string swapped = text.substr(0, second) + text.substr(third) + text.substr(second, third - second);
    ScratchFolder::Put(folder.Path("edited.csv"), swapped);
    const ScannerRecord::ReadResult read = ScannerRecord::Read(folder.Path("edited.csv"), "Pro-89");
    EXPECT_EQ(read.problem, "");
    EXPECT_EQ(read.record.Find(7).channel, Channel(7, 160.0, "7"));
    EXPECT_EQ(read.record.Find(2).channel, Channel(2, 150.0));
}

TEST(ScannerRecord, FolderFollowsTheSeam)
{
    const std::string before = ScannerRecordFolder::Get();
    {
        ScannerRecordFolder::Scope scope("/elsewhere");
        EXPECT_EQ(ScannerRecordFolder::Get(), "/elsewhere");
    }
    EXPECT_EQ(ScannerRecordFolder::Get(), before);
}

TEST(ScannerComparison, KindsOfDifference)
{
    ScannerRecord record("Pro-89");
    vnChannel locked = Channel(5, 151.0);
    locked.SetLockout(true);
    record.ApplyUpload({Channel(1, 146.52, "3"), Channel(2, 155.475, "78"), Channel(3, 151.625), Channel(4, 150.0),
                        locked, Channel(6, 152.0)},
                       5, kMonday, "COM3");

    vnChannel described = Channel(1, 146.52, "3");
    described.SetDescription("only here");
    vnChannelList here;
    MakeList(here,
             {described, Channel(2, 155.4751, "78"), Channel(3, 0), Channel(4, 150.0, "9"), Channel(5, 0),
              Channel(6, 152.0), Channel(7, 153.0), Channel(8, 0)});

    const std::vector<ChannelDifference> differences = FindDifferences(here, record);
    std::vector<std::pair<std::int32_t, ScannerDifference>> found;
    for (const ChannelDifference& d : differences)
        found.emplace_back(d.index, d.kind);
    const std::vector<std::pair<std::int32_t, ScannerDifference>> expected = {{1, ScannerDifference::Changed},
                                                                              {2, ScannerDifference::Emptied},
                                                                              {3, ScannerDifference::Changed},
                                                                              {5, ScannerDifference::Unknown},
                                                                              {6, ScannerDifference::NotSent}};
    EXPECT_EQ(found, expected);
    EXPECT_EQ(ChangedIndexes(differences), (std::vector<std::int32_t>{1, 3, 5, 6}));
    EXPECT_EQ(EmptiedIndexes(differences), (std::vector<std::int32_t>{2}));

    EXPECT_EQ(DifferenceTooltip(*here.GetAt(3), record), "The Pro-89 has 150.0000, sent 3 Dec 14:02.");
    EXPECT_EQ(DifferenceTooltip(*here.GetAt(0), record), "");
    EXPECT_EQ(DifferenceTooltip(*here.GetAt(6), ScannerRecord("Pro-89")),
              "Nothing sent to the Pro-89 from this computer yet.");
    EXPECT_EQ(DifferenceCountText(5, "Pro-89"), "5 channels differ from the Pro-89");
}

TEST(ScannerComparison, EmptiedChannelsAreNamedAndLockedOut)
{
    ScannerRecord record("Pro-89");
    record.ApplyUpload({Channel(59, 155.475, "78"), Channel(60, 151.625)}, 2, kMonday, "COM3");
    vnChannelList here;
    MakeList(here, {Channel(59, 0), Channel(60, 0)});

    EXPECT_EQ(EmptiedQuestion(here, {0, 1}, record),
              "2 channels are empty here, but the Pro-89 still holds what was sent on 3 Dec: 59 (155.4750, car 78) "
              "and 60 (151.6250). A one-way upload cannot clear them.\n\n"
              "Lock Them Out sends them again with Lockout set, so the scanner skips them.");
    const std::vector<vnChannel> locked = LockOutChannels(here, {0, 1}, record);
    ASSERT_EQ(locked.size(), 2u);
    EXPECT_TRUE(locked[0].GetLockout());
    EXPECT_EQ(locked[0].GetCarNumber(), "78");

    // Once the scanner skips them, they are no longer asked about.
    record.ApplyUpload(locked, 2, kNextMonday, "COM3");
    EXPECT_TRUE(FindDifferences(here, record).empty());
}

TEST(ScannerComparison, ResultTexts)
{
    std::vector<vnChannel> meant;
    for (std::int32_t number = 1; number <= 87; ++number)
        meant.push_back(Channel(number, 150.0 + number / 100.0));
    EXPECT_EQ(UpdatedText(meant, 39), "Channels 1\u201339 were updated; 40\u201387 still hold what they held before.");
    EXPECT_EQ(UpdatedText({Channel(5, 150.0)}, 0),
              "No channel was updated; channel 5 still holds what it held before.");
    EXPECT_EQ(NumberRanges({7, 1, 2, 3, 9, 10}), "1\u20133, 7 and 9\u201310");
    EXPECT_EQ(ChannelsToCheckText(meant),
              "Check on the scanner's display: 1 (150.0100), 44 (150.4400) and 87 (150.8700).");
    EXPECT_EQ(ChannelsToCheckText({Channel(3, 146.52, "3")}), "Check on the scanner's display: 3 (146.5200, car 3).");
}

// Two race weekends: everything sent, then one channel changed, one emptied
// and locked out, then an upload that stops part way.
TEST(ScannerRecordUpload, RecordFollowsEachUpload)
{
    ScratchFolder folder;
    ScannerRecordFolder::Scope scope(folder.Path("scanners"));
    vnChannelList table;
    MakeList(table, {Channel(1, 146.52), Channel(2, 155.475, "78"), Channel(3, 151.625), Channel(4, 0)});

    ScannerRecordUpload first("Pro-89", table);
    EXPECT_TRUE(first.GetRecord().IsEmpty());
    EXPECT_EQ(first.GetChanged(), (std::vector<std::int32_t>{0, 1, 2}));
    vnChannelList sending;
    first.MakeSending(false, sending, nullptr);
    ASSERT_EQ(first.Finish(sending, nullptr, 3, "COM3"), "");
    EXPECT_TRUE(ScannerRecordUpload("Pro-89", table).GetChanged().empty());
    EXPECT_EQ(ScannerRecordUpload("Pro-89", table).NothingChangedText().find("Nothing changed since the upload of "),
              0u);
    // Another scanner of the same model knows nothing yet.
    EXPECT_EQ(ScannerRecordUpload("Pro-89 spare", table).GetChanged().size(), 3u);

    table.GetAt(0)->SetCarNumber("3");
    table.GetAt(1)->SetFrequency(vnFrequency(0.0, vnFrequency::UnitHertz));
    ScannerRecordUpload second("Pro-89", table);
    EXPECT_EQ(second.GetChanged(), (std::vector<std::int32_t>{0}));
    EXPECT_EQ(second.GetEmptied(), (std::vector<std::int32_t>{1}));
    std::vector<std::int32_t> indexes;
    second.MakeSending(true, sending, &indexes);
    EXPECT_EQ(indexes, (std::vector<std::int32_t>{0, 1}));
    EXPECT_TRUE(sending.GetAt(1)->GetLockout());
    EXPECT_FALSE(table.GetAt(1)->GetLockout()); // the table itself is left alone
    ASSERT_EQ(second.Finish(sending, &indexes, 2, "COM3"), "");
    EXPECT_TRUE(ScannerRecordUpload("Pro-89", table).GetChanged().empty());
    EXPECT_TRUE(ScannerRecordUpload("Pro-89", table).GetEmptied().empty());

    // A port that never took a byte changed nothing on the scanner.
    table.GetAt(0)->SetCarNumber("9");
    ScannerRecordUpload unreached("Pro-89", table);
    unreached.MakeSending(false, sending, &indexes);
    ASSERT_EQ(unreached.Finish(sending, &indexes, 0, "COM3", std::chrono::system_clock::now(), false), "");
    EXPECT_EQ(unreached.GetMeant().size(), 1u);
    EXPECT_EQ(ScannerRecordUpload("Pro-89", table).GetRecord().Find(1).state, ScannerMemory::State::Sent);

    // Cancelled after the first of three: the other two are not known.
    table.GetAt(0)->SetCarNumber("4");
    table.GetAt(2)->SetCarNumber("5");
    table.GetAt(3)->SetFrequency(Channel(4, 160.0).GetFrequency());
    ScannerRecordUpload third("Pro-89", table);
    third.MakeSending(false, sending, &indexes);
    ASSERT_EQ(third.Finish(sending, &indexes, 1, "COM3"), "");
    EXPECT_EQ(UpdatedText(third.GetMeant(), 1), "Channel 1 was updated; 3\u20134 still hold what they held before.");
    const ScannerRecordUpload after("Pro-89", table);
    EXPECT_EQ(after.GetChanged(), (std::vector<std::int32_t>{2, 3}));
    EXPECT_EQ(after.GetRecord().Find(3).state, ScannerMemory::State::Unknown);
}
