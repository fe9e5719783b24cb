#include "core/ScannerRecord.h"

#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>

// A program killed while it writes the record leaves the previous record
// whole: the new text goes to a file beside it that replaces it only when
// complete.
TEST(ScannerRecordCrash, KilledMidWriteKeepsThePreviousRecord)
{
    ScratchFolder folder;
    const std::string path = folder.Path("Pro-89.csv");
    vnChannel channel;
    vnFrequency frequency(0.0, vnFrequency::UnitHertz);
    frequency.SetMHz(146.52);
    channel.SetFrequency(frequency);
    channel.SetNumber(1);
    ScannerRecord previous("Pro-89");
    previous.ApplyUpload({channel}, 1, "2026-12-03 14:02:11", "COM3");
    ASSERT_EQ(previous.Write(path), "");

    std::vector<vnChannel> many;
    for (std::int32_t number = 1; number <= 5000; ++number) {
        channel.SetNumber(number);
        channel.SetDescription("A description long enough to make the record large");
        many.push_back(channel);
    }
    ScannerRecord next("Pro-89");
    next.ApplyUpload(many, 5000, "2026-12-10 09:00:05", "COM3");

    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        // The file size limit kills the writer part way, as a crash would.
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{20000, 20000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        next.Write(path);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer should have been killed";

    const ScannerRecord::ReadResult read = ScannerRecord::Read(path, "Pro-89");
    EXPECT_EQ(read.problem, "");
    EXPECT_EQ(read.record.Memories().size(), 1u);
    EXPECT_EQ(read.record.GetLastUpload(), "2026-12-03 14:02:11");
}
