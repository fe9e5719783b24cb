#pragma once

// A started Scanlore with an in-memory settings store that has seen its
// first run, so no modules dialog comes up.
#include "app/CMainFrame.h"
#include "app/CScannerApp.h"
#include "modules/vnSettingsStore.h"
#include "toolkit/CDialog.h"
#include "toolkit/CMessageBox.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class MainWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto store = std::make_unique<vnMemorySettingsStore>();
        store->SetSettingInt("", "First Run", 0);
        settings = store.get();
        app = std::make_unique<CScannerApp>(std::move(store));
        ASSERT_TRUE(app->InitInstance());
        frame = static_cast<CMainFrame*>(app->GetMainWnd());
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
        grid = frame->GetGrid();
        // The start selects channel 1; each test makes its own selection.
        grid->clearSelection();
    }

    void TearDown() override { app.reset(); }

    // A cell of the grid, by its column, as the document holds it.
    std::string Cell(int row, int column) const
    {
        return frame->GetDocument().GetCellText(row, *FieldOfColumn(column));
    }
    // Text typed into a cell, as the grid's editor hands it over.
    void EditCell(int row, int column, const std::string& text) { frame->OnEndLabelEdit(row, column, text); }

    void SetPort(const std::string& port)
    {
        settings->SetSettingString("Transfer Options", "Communications Port", port);
    }

    vnSettingsStore* settings = nullptr; // owned by the application object
    std::unique_ptr<CScannerApp> app;
    CMainFrame* frame = nullptr;
    hvGridCtrl* grid = nullptr;
    CMessageBox::Script boxes;
};
