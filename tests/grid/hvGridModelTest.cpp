#include "GridTestWindow.h"

#include "grid/hvGridModel.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>

#include <gtest/gtest.h>

TEST(hvGridModel, PassesQtModelChecksWhileRowsAndColumnsChange)
{
    GridTestWindow window(0, false);
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
    EXPECT_EQ(window.grid->GetColumnCount(), 8);
}

TEST(hvGridModel, AsksTheOwnerForDisplayTextOnlyAndStoresNothing)
{
    GridTestWindow window(3, false);
    QAbstractItemModel* model = window.grid->model();
    window.Text(1, 2) = "Police";
    EXPECT_EQ(model->data(model->index(1, 2), Qt::DisplayRole).toString(), "Police");
    window.Text(1, 2) = "Fire";
    EXPECT_EQ(model->data(model->index(1, 2), Qt::DisplayRole).toString(), "Fire");

    window.displayRequests = 0;
    for (int role : {int(Qt::EditRole), int(Qt::ToolTipRole), int(Qt::DecorationRole), int(Qt::FontRole),
                     int(Qt::TextAlignmentRole), int(Qt::CheckStateRole)})
        model->data(model->index(1, 2), role);
    EXPECT_EQ(window.displayRequests, 0);
    EXPECT_FALSE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
}

TEST(hvGridModel, AlignsCellsAndTitlesByColumnFormat)
{
    GridTestWindow window(1, false);
    QAbstractItemModel* model = window.grid->model();
    window.grid->SetColumnFormat(3, 1);
    window.grid->SetColumnFormat(4, 3);
    const auto align = [&](int column) { return model->data(model->index(0, column), Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask; };
    EXPECT_EQ(align(1), Qt::AlignHCenter);
    EXPECT_EQ(align(2), Qt::AlignLeft);
    EXPECT_EQ(align(3), Qt::AlignRight);
    EXPECT_EQ(align(4), Qt::AlignHCenter);
    EXPECT_EQ(model->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    QStringList titles;
    for (int c = 0; c < model->columnCount(); ++c)
        titles << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(titles.join('|'), "#|Frequency|Description|Car Number|Delay|Lockout|Priority");
    EXPECT_EQ(window.grid->GetColumnWidth(2), 300);
    EXPECT_EQ(window.grid->GetColumnWidth(6), 75);
}

TEST(hvGridModel, GridWithoutOwnerDataKeepsItsOwnTexts)
{
    GridTestWindow window(0, false);
    window.grid->SetOwnerData(false);
    window.grid->InsertItem(0);
    window.grid->InsertItem(1);
    window.grid->SetItemText(1, 3, "K9");
    window.displayRequests = 0;
    EXPECT_EQ(window.grid->GetItemText(1, 3), "K9");
    EXPECT_EQ(window.grid->GetItemText(0, 3), "");
    EXPECT_EQ(window.displayRequests, 0);
}
