#include "res/DialogTemplates.h"

#include "ScanloreVersion.h"

#include <array>

namespace {

using K = DialogControlKind;
namespace S = DialogStyle;
namespace F = DialogFrame;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

constexpr unsigned kButton = S::TabStop;
constexpr unsigned kDropDown = S::VScroll | S::TabStop;

// About box.
constexpr std::array kAbout{
    DialogControl{K::Icon, IDC_STATIC, "128", 15, 20, 21, 20, S::None},
    DialogControl{K::Text, IDC_STATIC, "Scanlore Version " SCANLORE_VERSION " Alpha", 50, 20, 175, 8, S::NoPrefix},
    DialogControl{K::Text, IDC_STATIC, "Copyright (C) 2026 Pellmark", 50, 40, 175, 8, S::None},
    DialogControl{K::DefPushButton, kIdOk, "OK", 190, 110, 50, 15, S::Group | kButton},
    DialogControl{K::GroupBox, IDC_STATIC, "", 6, 6, 234, 94, S::None},
    DialogControl{K::Text, IDC_STATIC, "Free software: GNU GPL version 3 or later.", 50, 50, 175, 8, S::None},
    DialogControl{K::EtchedHorz, IDC_STATIC, "", 50, 65, 180, 1, S::None},
    DialogControl{K::Text, IDC_STATIC, "Download the latest version of Scanlore from", 50, 70, 175, 8, S::None},
    DialogControl{K::Text, IDC_STATIC, "https://pellmark.example/scanlore", 50, 80, 175, 8, S::NoPrefix},
};

// Vantis Modules.
constexpr std::array kModules{
    DialogControl{K::Text, IDC_STATIC, "Installed Modules:", 5, 5, 130, 10, S::None},
    DialogControl{K::ListBox, IDC_MODULES_LIST, "", 5, 15, 235, 75,
                  S::Sort | S::Notify | S::VScroll | S::Border | S::NoIntegralHeight | S::TabStop},
    DialogControl{K::PushButton, IDC_MODULES_PROPERTIES, "&Properties", 250, 15, 55, 15, kButton},
    DialogControl{K::PushButton, IDC_MODULES_SET_DEFAULT, "Set As &Default", 250, 35, 55, 15, kButton | S::Disabled},
    DialogControl{K::PushButton, IDC_MODULES_ADD, "&Add", 250, 55, 55, 15, kButton | S::Disabled},
    DialogControl{K::PushButton, IDC_MODULES_REMOVE, "&Remove", 250, 75, 55, 15, kButton | S::Disabled},
    DialogControl{K::GroupBox, IDC_STATIC, "Description", 5, 95, 300, 55, S::None},
    DialogControl{K::Text, IDC_MODULES_DESCRIPTION, "", 15, 110, 280, 30, S::None},
    DialogControl{K::DefPushButton, kIdOk, "OK", 190, 155, 55, 15, kButton},
    DialogControl{K::PushButton, kIdCancel, "Cancel", 250, 155, 55, 15, kButton},
};

// Module Properties of the GRE Type 1 module.
constexpr std::array kGre1Properties{
    // Why the dialog opened by itself (no port to send to); empty otherwise.
    DialogControl{K::Text, IDC_GRE1_NOTICE, "", 5, 5, 170, 26, S::None},
    DialogControl{K::GroupBox, IDC_STATIC, "Scanner", 5, 34, 170, 56, S::None},
    DialogControl{K::Text, IDC_STATIC, "Scanner Model:", 20, 53, 52, 8, S::AlignRight},
    DialogControl{K::DropDownList, IDC_GRE1_MODEL, "", 78, 49, 87, 85, kDropDown},
    // Tells two scanners of one model apart: each keeps its own record of
    // what was sent to it.
    DialogControl{K::Text, IDC_STATIC, "Scanner &Name:", 20, 71, 52, 8, S::AlignRight},
    DialogControl{K::Edit, IDC_GRE1_NAME, "", 78, 68, 87, 13, S::TabStop | S::Border},
    DialogControl{K::GroupBox, IDC_STATIC, "Communications", 5, 134, 170, 100, S::None},
    DialogControl{K::Text, IDC_STATIC, "Communications Port:", 20, 153, 80, 8, S::AlignRight},
    // The port takes typed text too: a device that the machine does not list
    // (a pseudo-terminal, an adapter plugged in later) can be named.
    DialogControl{K::DropDown, IDC_GRE1_PORT, "", 106, 150, 59, 85, kDropDown},
    DialogControl{K::PushButton, IDC_GRE1_FIND_CABLE, "Find My &Cable...", 106, 168, 59, 14, kButton},
    DialogControl{K::Text, IDC_STATIC, "Port Speed:", 20, 193, 80, 8, S::AlignRight},
    DialogControl{K::DropDownList, IDC_GRE1_SPEED, "", 106, 189, 59, 85, kDropDown},
    DialogControl{K::Text, IDC_STATIC, "Stop Bits:", 20, 213, 80, 8, S::AlignRight},
    DialogControl{K::DropDownList, IDC_GRE1_STOP_BITS, "", 106, 210, 59, 85, kDropDown},
    DialogControl{K::PushButton, IDC_GRE1_ABOUT, "&About", 5, 240, 51, 15, kButton | S::Disabled},
    DialogControl{K::DefPushButton, kIdOk, "OK", 70, 240, 51, 15, kButton},
    DialogControl{K::PushButton, kIdCancel, "Cancel", 125, 240, 50, 15, kButton},
    DialogControl{K::AutoCheckBox, IDC_GRE1_CAR_NUMBERS, "Supports Car Numbers", 15, 109, 150, 10, kButton},
    DialogControl{K::GroupBox, IDC_STATIC, "Features", 5, 94, 170, 35, S::None},
};

// The bank bar: no frame, lives in a rebar band.
constexpr std::array kBankBar{
    DialogControl{K::DropDownList, IDC_BANK_COMBO, "", 30, 1, 90, 90, kDropDown},
    DialogControl{K::Text, IDC_STATIC, "Bank:", 6, 4, 18, 8, S::AlignRight | S::Group | S::Transparent},
};

// Go To: a channel number, and a line that says what is wrong with one.
constexpr std::array kGoTo{
    DialogControl{K::Text, IDC_GOTO_PROMPT, "&Channel number:", 7, 7, 115, 8, S::None},
    DialogControl{K::Edit, IDC_GOTO_NUMBER, "", 7, 18, 115, 13, S::TabStop | S::Border},
    DialogControl{K::Text, IDC_GOTO_MESSAGE, "", 7, 36, 115, 18, S::None},
    DialogControl{K::DefPushButton, kIdOk, "OK", 129, 7, 50, 14, kButton},
    DialogControl{K::PushButton, kIdCancel, "Cancel", 129, 24, 50, 14, kButton},
};

// Find: modeless; the OK button is Find Next.
constexpr std::array kFind{
    DialogControl{K::Text, IDC_STATIC, "Fi&nd what:", 6, 9, 40, 8, S::None},
    DialogControl{K::Edit, IDC_FIND_WHAT, "", 48, 7, 128, 13, S::TabStop | S::Border},
    DialogControl{K::AutoCheckBox, IDC_FIND_MATCH_CASE, "Match &case", 6, 30, 80, 10, S::Group | S::TabStop},
    DialogControl{K::AutoCheckBox, IDC_FIND_WHOLE_CELL, "Match &whole cell", 6, 44, 80, 10, S::TabStop},
    DialogControl{K::GroupBox, IDC_STATIC, "Direction", 96, 24, 80, 30, S::None},
    DialogControl{K::AutoRadioButton, IDC_FIND_UP, "&Up", 102, 37, 30, 10, S::Group | S::TabStop},
    DialogControl{K::AutoRadioButton, IDC_FIND_DOWN, "&Down", 136, 37, 36, 10, S::None},
    DialogControl{K::DefPushButton, kIdOk, "&Find Next", 184, 6, 50, 14, S::Group | kButton},
    DialogControl{K::PushButton, kIdCancel, "Cancel", 184, 23, 50, 14, kButton},
};

// Columns: the grid's columns in their order, each with a check box.
constexpr std::array kColumns{
    DialogControl{K::Text, IDC_STATIC, "&Columns shown, left to right:", 7, 7, 110, 8, S::None},
    DialogControl{K::ListBox, IDC_COLUMNS_LIST, "", 7, 18, 110, 84,
                  S::Notify | S::VScroll | S::Border | S::NoIntegralHeight | S::TabStop},
    DialogControl{K::PushButton, IDC_COLUMNS_UP, "Move &Up", 124, 18, 55, 14, kButton},
    DialogControl{K::PushButton, IDC_COLUMNS_DOWN, "Move &Down", 124, 35, 55, 14, kButton},
    DialogControl{K::DefPushButton, kIdOk, "OK", 124, 71, 55, 14, S::Group | kButton},
    DialogControl{K::PushButton, kIdCancel, "Cancel", 124, 88, 55, 14, kButton},
};

// Compare with Scanner: what differs, side by side; the table itself is
// made by the dialog in the space below the summary.
constexpr std::array kCompareScanner{
    DialogControl{K::Text, IDC_COMPARE_SUMMARY, "", 7, 7, 326, 16, S::None},
    DialogControl{K::DefPushButton, kIdOk, "Close", 283, 186, 50, 14, kButton},
};

// Sort Channels: the key, the direction and which channels.
constexpr std::array kSort{
    DialogControl{K::GroupBox, IDC_STATIC, "Sort by", 7, 4, 100, 50, S::None},
    DialogControl{K::AutoRadioButton, IDC_SORT_FREQUENCY, "&Frequency", 13, 16, 88, 10, S::Group | S::TabStop},
    DialogControl{K::AutoRadioButton, IDC_SORT_DESCRIPTION, "&Description", 13, 28, 88, 10, S::None},
    DialogControl{K::AutoRadioButton, IDC_SORT_CAR_NUMBER, "&Car number", 13, 40, 88, 10, S::None},
    DialogControl{K::GroupBox, IDC_STATIC, "Order", 113, 4, 80, 50, S::None},
    DialogControl{K::AutoRadioButton, IDC_SORT_ASCENDING, "&Ascending", 119, 16, 70, 10, S::Group | S::TabStop},
    DialogControl{K::AutoRadioButton, IDC_SORT_DESCENDING, "D&escending", 119, 28, 70, 10, S::None},
    DialogControl{K::GroupBox, IDC_STATIC, "Channels", 7, 58, 186, 50, S::None},
    DialogControl{K::AutoRadioButton, IDC_SORT_SELECTION, "The &selected channels", 13, 70, 170, 10,
                  S::Group | S::TabStop},
    DialogControl{K::AutoRadioButton, IDC_SORT_EACH_BANK, "Each &bank on its own", 13, 82, 170, 10, S::None},
    DialogControl{K::AutoRadioButton, IDC_SORT_WHOLE_LIST, "The &whole list", 13, 94, 170, 10, S::None},
    DialogControl{K::DefPushButton, kIdOk, "OK", 200, 7, 50, 14, S::Group | kButton},
    DialogControl{K::PushButton, kIdCancel, "Cancel", 200, 24, 50, 14, kButton},
};

// Follow Cars: the table's cars with a check box each, and the same choice
// as typed numbers.
constexpr std::array kFollowCars{
    DialogControl{K::Text, IDC_STATIC, "Car &numbers you follow (for example 2, 02, 9, 24):", 7, 7, 200, 8, S::None},
    DialogControl{K::Edit, IDC_FOLLOW_NUMBERS, "", 7, 18, 200, 14, S::TabStop},
    DialogControl{K::Text, IDC_STATIC, "&Cars in the table:", 7, 38, 200, 8, S::None},
    DialogControl{K::ListBox, IDC_FOLLOW_LIST, "", 7, 49, 200, 120,
                  S::Notify | S::VScroll | S::Border | S::NoIntegralHeight | S::TabStop},
    DialogControl{K::Text, IDC_STATIC, "The other cars' channels are locked out, the followed cars' unlocked.", 7, 173,
                  200, 16, S::None},
    DialogControl{K::DefPushButton, kIdOk, "OK", 214, 7, 50, 14, S::Group | kButton},
    DialogControl{K::PushButton, kIdCancel, "Cancel", 214, 24, 50, 14, kButton},
    DialogControl{K::PushButton, IDC_FOLLOW_ALL, "&All", 214, 49, 50, 14, kButton},
    DialogControl{K::PushButton, IDC_FOLLOW_NONE, "N&one", 214, 66, 50, 14, kButton},
};

// Choose Columns: the file's columns, each with its first values and role;
// the table itself is made by the dialog between its label and Role.
constexpr std::array kChooseColumns{
    DialogControl{K::Text, IDC_CHOOSE_INTRO, "", 7, 7, 316, 18, S::NoPrefix},
    DialogControl{K::Text, IDC_CHOOSE_TABLE_LABEL, "&Columns of the file, with their first values:", 7, 29, 316, 8,
                  S::None},
    DialogControl{K::Text, IDC_STATIC, "&Role of the selected column:", 7, 146, 100, 8, S::None},
    DialogControl{K::DropDownList, IDC_CHOOSE_ROLE, "", 110, 144, 90, 120, kDropDown},
    DialogControl{K::Text, IDC_STATIC, "&Unit of the frequencies:", 7, 164, 100, 8, S::None},
    DialogControl{K::DropDownList, IDC_CHOOSE_UNIT, "", 110, 162, 90, 60, kDropDown},
    DialogControl{K::Text, IDC_CHOOSE_NOTE, "", 7, 182, 200, 16, S::NoPrefix},
    DialogControl{K::DefPushButton, kIdOk, "OK", 215, 182, 50, 14, S::Group | kButton},
    DialogControl{K::PushButton, kIdCancel, "Cancel", 273, 182, 50, 14, kButton},
};

constexpr const char* kShellFont = "MS Shell Dlg";
constexpr unsigned kModalFrame = F::ModalFrame | F::Caption | F::SysMenu;

constexpr std::array kTemplates{
    DialogTemplate{IDD_MODULES, "Vantis Modules", 312, 177, kShellFont, 8, kModalFrame, kModules},
    DialogTemplate{IDD_ABOUTBOX, "About Scanlore", 247, 131, kShellFont, 8, kModalFrame, kAbout},
    DialogTemplate{IDD_BANK_BAR, "", 128, 16, kShellFont, 8, F::Child, kBankBar},
    DialogTemplate{IDD_GOTO, "Go To", 186, 58, kShellFont, 8, kModalFrame, kGoTo},
    DialogTemplate{IDD_FIND, "Find", 241, 60, kShellFont, 8, kModalFrame, kFind},
    DialogTemplate{IDD_COLUMNS, "Columns", 186, 109, kShellFont, 8, kModalFrame, kColumns},
    DialogTemplate{IDD_SORT, "Sort Channels", 257, 115, kShellFont, 8, kModalFrame, kSort},
    DialogTemplate{IDD_COMPARE_SCANNER, "Compare with Scanner", 340, 207, kShellFont, 8, kModalFrame, kCompareScanner},
    DialogTemplate{IDD_CHOOSE_COLUMNS, "Choose Columns", 330, 203, kShellFont, 8, kModalFrame, kChooseColumns},
    DialogTemplate{IDD_FOLLOW_CARS, "Follow Cars", 271, 193, kShellFont, 8, kModalFrame, kFollowCars},
    DialogTemplate{IDD_GRE1_PROPERTIES, "Module Properties", 182, 261, kShellFont, 8, kModalFrame, kGre1Properties},
};

} // namespace

const DialogTemplate* FindDialogTemplate(int id)
{
    for (const DialogTemplate& t : kTemplates)
        if (t.id == id)
            return &t;
    return nullptr;
}
