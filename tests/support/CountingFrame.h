#pragma once

#include "app/CMainFrame.h"

#include <string>

// A main window that counts the cell texts its grid asks for.
class CountingFrame : public CMainFrame
{
public:
    std::string GetDispInfoText(int row, int column) override
    {
        ++asked;
        return CMainFrame::GetDispInfoText(row, column);
    }
    long asked = 0;
};
