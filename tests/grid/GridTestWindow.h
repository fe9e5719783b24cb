#pragma once

#include "grid/hvGridCtrl.h"
#include "grid/hvGridCtrlEdit.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

// A shown window holding one grid over a table of texts, as the main window
// holds the grid over the channel list; it records every finished edit and
// counts display requests.
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

    explicit GridTestWindow(int rows = 20)
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
        grid->SetTypingColumn(2); // as the main window does: the description
        for (int c = 4; c < 7; ++c)
            grid->SetColumnCheckBox(c, true);
        for (int r = 0; r < rows; ++r) {
            texts.push_back({std::to_string(r + 1), "", "", "", "False", "False", "False"});
            grid->InsertItem(r);
        }
        show();
        if (!QTest::qWaitForWindowActive(this))
            ADD_FAILURE() << "the test window did not become active";
        grid->setFocus();
    }

    std::string GetDispInfoText(int row, int column) override
    {
        ++displayRequests;
        return column >= 0 && column < 7 ? Text(row, column) : std::string();
    }
    void OnEndLabelEdit(int row, int column, const std::string& text) override
    {
        edits.push_back({row, column, text});
        Text(row, column) = text;
    }

    bool GetDispInfoCheck(int row, int column) override { return Text(row, column) == "True"; }
    void OnCheckChanged(const std::vector<int>& rows, int column, bool checked) override
    {
        for (const int row : rows)
            Text(row, column) = checked ? "True" : "False";
    }
    void OnRowsDropped(const std::vector<int>& rows, int before) override { drops.push_back({rows, before}); }

    std::string& Text(int row, int column) { return texts.at(row).at(column); }

    void SelectOnly(int row)
    {
        grid->clearSelection();
        grid->SetFocusedItem(row);
        grid->SetItemSelected(row, true);
    }

    // The open editor, once closed editors have gone.
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

    hvGridCtrlEdit* Open(int row, int column)
    {
        hvGridCtrlEdit* editor = nullptr;
        grid->EditSubItem(row, column, &editor);
        return editor;
    }

    // Keys go to whatever has the focus, as they do from the keyboard.
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static void Type(const std::string& text)
    {
        for (char c : text)
            QTest::keyClick(QApplication::focusWidget(), c);
    }
    void Click(int row, int column)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->GetSubItemRect(row, column).center());
    }

    hvGridCtrl* grid = nullptr;
    std::vector<std::array<std::string, 7>> texts;
    std::vector<Edit> edits;
    std::vector<std::pair<std::vector<int>, int>> drops;
    int displayRequests = 0;
};
