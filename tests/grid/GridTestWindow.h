#pragma once

#include "grid/hvGridCtrl.h"
#include "grid/hvGridCtrlEdit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

// A window holding one grid over a table of texts, as the main window holds
// the grid over the channel list. It records every finished edit and every
// display request.
class GridTestWindow : public QWidget, public hvGridCtrlOwner
{
public:
    struct Edit
    {
        int row;
        int column;
        std::string text;
        bool operator==(const Edit& other) const = default;
    };

    explicit GridTestWindow(int rows = 20, bool show = true)
    {
        resize(760, 300);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        grid = new hvGridCtrl(this, this);
        layout->addWidget(grid);
        const char* titles[] = {"#", "Frequency", "Description", "Car Number", "Delay", "Lockout", "Priority"};
        const int formats[] = {2, 2, 0, 2, 2, 2, 2};
        const int widths[] = {30, 100, 300, 75, 75, 75, 75};
        for (int c = 0; c < 7; ++c)
            grid->InsertColumn(c, titles[c], formats[c], widths[c]);
        for (int r = 0; r < rows; ++r) {
            std::array<std::string, 7> row{std::to_string(r + 1), "", "", "", "False", "False", "False"};
            texts.push_back(row);
            grid->InsertItem(r);
        }
        if (show) {
            this->show();
            activateWindow();
            if (!QTest::qWaitForWindowActive(this))
                ADD_FAILURE() << "the test window did not become active";
            grid->setFocus();
        }
    }
    ~GridTestWindow() override { hvGridCtrlEdit::SetContextMenuHook({}); }

    std::string GetDispInfoText(int row, int column) override
    {
        ++displayRequests;
        if (column < 0 || column >= 7)
            return {};
        return texts.at(static_cast<std::size_t>(row))[static_cast<std::size_t>(column)];
    }
    void OnEndLabelEdit(int row, int column, const std::string& text) override
    {
        edits.push_back({row, column, text});
        if (column >= 1 && column < 7)
            texts.at(static_cast<std::size_t>(row))[static_cast<std::size_t>(column)] = text;
    }

    std::string& Text(int row, int column)
    {
        return texts.at(static_cast<std::size_t>(row))[static_cast<std::size_t>(column)];
    }

    // Selects exactly one row and makes it the focused row.
    void SelectOnly(int row)
    {
        grid->clearSelection();
        grid->SetFocusedItem(row);
        grid->SetItemSelected(row, true);
    }

    // The editor that is open, after letting closed editors go.
    hvGridCtrlEdit* Editor()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return grid->GetOpenEditor();
    }
    int EditorCount()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return static_cast<int>(grid->viewport()->findChildren<hvGridCtrlEdit*>().size());
    }

    // Opens an editor the way a double-click does.
    hvGridCtrlEdit* Open(int row, int column)
    {
        hvGridCtrlEdit* editor = nullptr;
        grid->EditSubItem(row, column, &editor);
        return editor;
    }

    // Keys go to whatever has the focus, as they would from the keyboard.
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static void Type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); }

    // The centre of a cell in viewport coordinates.
    QPoint CellCentre(int row, int column) const { return grid->GetSubItemRect(row, column).center(); }

    hvGridCtrl* grid = nullptr;
    std::vector<std::array<std::string, 7>> texts;
    std::vector<Edit> edits;
    int displayRequests = 0;
};
