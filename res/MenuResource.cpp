#include "res/MenuResource.h"

#include "res/ResourceIds.h"

namespace {

constexpr MenuItemResource kFileItems[] = {
    {ID_FILE_NEW, "&New\tCtrl+N"},
    {ID_FILE_OPEN, "&Open...\tCtrl+O"},
    {ID_FILE_IMPORT, "&Import..."},
    {ID_FILE_SAVE, "&Save\tCtrl+S"},
    {ID_FILE_SAVE_AS, "Save &As..."},
    {0, nullptr},
    {ID_FILE_PAGE_SETUP, "Page Set&up..."},
    {ID_FILE_PRINT, "&Print...\tCtrl+P"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view..."},
    {ID_FILE_PRINT_RACE_CARD, "Print &Race Card..."},
    {0, nullptr},
    {ID_FILE_MRU_FILE1, nullptr}, // the recent files
    {ID_APP_EXIT, "E&xit"},
};

constexpr MenuItemResource kEditItems[] = {
    {ID_EDIT_UNDO, "&Undo\tCtrl+Z"},
    {ID_EDIT_REDO, "&Redo\tCtrl+Y"},
    {0, nullptr},
    {ID_EDIT_CUT, "Cu&t\tCtrl+X"},
    {ID_EDIT_COPY, "&Copy\tCtrl+C"},
    {ID_EDIT_PASTE, "&Paste\tCtrl+V"},
    {ID_EDIT_DELETE, "De&lete\tDel"},
    {0, nullptr},
    {ID_EDIT_INSERT_CHANNEL, "&Insert Empty Channel\tCtrl++"},
    {ID_EDIT_REMOVE_CHANNEL, "Remo&ve Channel\tCtrl+-"},
    {ID_EDIT_MOVE_UP, "&Move Up\tAlt+Up"},
    {ID_EDIT_MOVE_DOWN, "Move Do&wn\tAlt+Down"},
    {ID_EDIT_SORT, "S&ort Channels..."},
    {0, nullptr},
    {ID_EDIT_LOCK_OUT, "Loc&k Out\tCtrl+L"},
    {ID_EDIT_UNLOCK, "U&nlock\tCtrl+Shift+L"},
    {ID_EDIT_FOLLOW_CARS, "Follow Car&s..."},
    {0, nullptr},
    {ID_EDIT_FIND, "&Find...\tCtrl+F"},
    {ID_EDIT_FIND_NEXT, "Find &Next\tF3"},
    {ID_EDIT_GOTO, "&Go To...\tCtrl+G"},
    {0, nullptr},
    {ID_EDIT_SELECT_ALL, "Select &All\tCtrl+A"},
};

constexpr MenuItemResource kViewItems[] = {
    {ID_VIEW_COLUMNS, "&Columns..."},
    {0, nullptr},
    {ID_VIEW_TOOLBAR, "&Toolbar"},
    {ID_VIEW_STATUS_BAR, "&Status Bar"},
};

constexpr MenuItemResource kTransferItems[] = {
    {ID_TRANSFER_UPLOAD_SELECTED, "Upload &Selected To Scanner\tF5"},
    {ID_TRANSFER_UPLOAD_ALL, "&Upload All To Scanner\tCtrl+F5"},
    {ID_TRANSFER_DOWNLOAD_ALL, "&Download All From Scanner"},
    {0, nullptr},
    {ID_TRANSFER_SETTINGS, "Se&ttings..."},
    {ID_TRANSFER_MODULES, "Vantis &Modules..."},
};

constexpr MenuItemResource kHelpItems[] = {
    {ID_HELP_TOPICS, "&Help Topics..."},
    {0, nullptr},
    {ID_APP_ABOUT, "&About Scanlore..."},
};

constexpr PopupMenuResource kMainFramePopups[] = {
    {"&File", kFileItems},         {"&Edit", kEditItems}, {"&View", kViewItems},
    {"&Transfer", kTransferItems}, {"&Help", kHelpItems},
};

constexpr MenuResource kMenus[] = {
    {IDR_MAINFRAME, kMainFramePopups},
};

} // namespace

const MenuResource* FindMenuResource(int id)
{
    for (const MenuResource& menu : kMenus)
        if (menu.id == id)
            return &menu;
    return nullptr;
}
