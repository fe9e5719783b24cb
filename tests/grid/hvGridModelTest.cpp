#include "GridTestWindow.h"

#include <QAbstractItemModelTester>

TEST(hvGridModel, PassesQtModelChecksWhileRowsAndColumnsChange)
{
    GridTestWindow window(0);
    QAbstractItemModelTester tester(window.grid->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (int r = 0; r < 5; ++r) {
        window.texts.push_back({std::to_string(r + 1), "", "", "", "False", "False", "False"});
        window.grid->InsertItem(r);
    }
    window.grid->InsertColumn(7, "Extra", 1, 40);
    window.grid->RedrawItems(1, 3);
    window.grid->SetColumnFormat(0, 2);
    window.grid->DeleteAllItems();
    EXPECT_EQ(window.grid->GetItemCount(), 0);
}

TEST(hvGridModel, AsksTheOwnerForDisplayTextOnlyAndAlignsByColumnFormat)
{
    GridTestWindow window(3);
    QAbstractItemModel* model = window.grid->model();
    window.Text(1, 2) = "Police";
    EXPECT_EQ(model->data(model->index(1, 2), Qt::DisplayRole).toString(), "Police");
    window.Text(1, 2) = "Fire";
    EXPECT_EQ(model->data(model->index(1, 2), Qt::DisplayRole).toString(), "Fire");

    window.displayRequests = 0;
    for (int role : {int(Qt::EditRole), int(Qt::ToolTipRole), int(Qt::FontRole), int(Qt::CheckStateRole)})
        model->data(model->index(1, 2), role);
    EXPECT_EQ(window.displayRequests, 0);

    window.grid->SetColumnFormat(3, 1);
    window.grid->SetColumnFormat(4, 3);
    const auto align = [&](int column) {
        return model->data(model->index(0, column), Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(align(1), Qt::AlignHCenter);
    EXPECT_EQ(align(2), Qt::AlignLeft);
    EXPECT_EQ(align(3), Qt::AlignRight);
    EXPECT_EQ(align(4), Qt::AlignHCenter);
    EXPECT_EQ(model->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
}

TEST(hvGridModel, ShowsTheStartOfALongTextAndCheckStatesOfCheckBoxColumns)
{
    GridTestWindow window(1);
    QAbstractItemModel* model = window.grid->model();
    // A text of a megabyte of two-byte characters: its start, never half a
    // character, and the owner keeps the whole.
    std::string text;
    for (int i = 0; i < 500'000; ++i)
        text += "\xC3\x9C";
    window.Text(0, 2) = text;
    const QString shown = model->data(model->index(0, 2), Qt::DisplayRole).toString();
    EXPECT_LT(shown.size(), 2000);
    EXPECT_TRUE(shown.startsWith(QString(100, QChar(0xDC))));
    EXPECT_TRUE(shown.endsWith(QString(QChar(0xDC)) + QChar(0x2026)));
    EXPECT_EQ(window.Text(0, 2).size(), 1'000'000U);

    window.Text(0, 5) = "True";
    EXPECT_EQ(model->data(model->index(0, 5), Qt::CheckStateRole), Qt::Checked);
    EXPECT_EQ(model->data(model->index(0, 4), Qt::CheckStateRole), Qt::Unchecked);
    EXPECT_FALSE(model->data(model->index(0, 2), Qt::CheckStateRole).isValid());
}
