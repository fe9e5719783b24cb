// Random runs of the commands that rearrange and flag channels: undoing every
// step brings back the file byte for byte, and redoing them all brings back
// the end, whatever order of inserts, removes, moves, drags, sorts and flags
// came before.
#include "app/ChannelDocument.h"

#include "tests/support/Gre1Layout.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using F = ChannelField;

class ChannelDocumentRandomRun : public ::testing::TestWithParam<unsigned>
{
protected:
    // The table as Save writes it.
    std::string Saved(const std::string& name)
    {
        const std::string path = folder.Path(name);
        EXPECT_TRUE(document.SaveAs(path).ok);
        return ScratchFolder::Slurp(path);
    }

    // A few channels in a row, inside one bank or across a border.
    std::vector<std::int32_t> Selection()
    {
        const auto first = static_cast<std::int32_t>(random() % static_cast<unsigned>(document.GetCount()));
        const auto count = static_cast<std::int32_t>(1 + random() % 5);
        std::vector<std::int32_t> indexes;
        for (std::int32_t index = first; index < first + count && index < document.GetCount(); ++index)
            indexes.push_back(index);
        return indexes;
    }

    void RandomStep()
    {
        const std::vector<std::int32_t> selected = Selection();
        switch (random() % 7) {
        case 0:
            document.InsertEmpty(selected);
            break;
        case 1:
            document.Remove(selected);
            break;
        case 2:
            document.Move(selected, random() % 2 == 0 ? -1 : 1);
            break;
        case 3: // a drag
            document.MoveTo(selected, static_cast<std::int32_t>(random() % (document.GetCount() + 1)));
            break;
        case 4: {
            ChannelArrange::SortOrder order;
            order.key = static_cast<ChannelArrange::SortKey>(random() % 3);
            order.scope = static_cast<ChannelArrange::SortScope>(random() % 3);
            order.descending = random() % 2 == 0;
            document.Sort(selected, order);
            break;
        }
        case 5: {
            const F flags[] = {F::Delay, F::Lockout, F::Priority};
            document.SetFlag(selected, flags[random() % 3], random() % 2 == 0);
            break;
        }
        default:
            document.SetLockout(selected, random() % 2 == 0);
            break;
        }
    }

    ScratchFolder folder;
    ChannelDocument document;
    std::mt19937 random{GetParam()};
};

} // namespace

TEST_P(ChannelDocumentRandomRun, UndoToTheStartAndRedoToTheEndAreByteIdentical)
{
    document.New(Gre1Layout());
    // Every third channel in use, with texts, car numbers and flags that
    // sorting and flagging tell apart.
    for (std::int32_t index = 0; index < document.GetCount(); index += 3) {
        const std::string n = std::to_string(index);
        document.EditCell(index, F::Frequency, std::to_string(151 + index % 17) + ".0" + std::to_string(index % 10));
        document.EditCell(index, F::Description, "Car " + n);
        document.EditCell(index, F::CarNumber, index % 2 == 0 ? "0" + n : n);
        document.SetFlag({index}, F::Priority, index % 4 == 0);
    }
    const std::string start = Saved("start.csv");
    const int startSteps = document.GetUndoStack().index();

    constexpr int kSteps = 300;
    for (int step = 0; step < kSteps; ++step)
        RandomStep();
    const std::string end = Saved("end.csv");
    ASSERT_GT(document.GetUndoStack().index(), startSteps + kSteps / 2) << "most steps should have been taken";
    ASSERT_NE(end, start);

    while (document.GetUndoStack().index() > startSteps)
        document.GetUndoStack().undo();
    EXPECT_EQ(Saved("undone.csv"), start);
    while (document.GetUndoStack().canRedo())
        document.GetUndoStack().redo();
    EXPECT_EQ(Saved("redone.csv"), end);
}

INSTANTIATE_TEST_SUITE_P(Seeds, ChannelDocumentRandomRun, ::testing::Values(1u, 2u, 3u, 29u, 2026u));
