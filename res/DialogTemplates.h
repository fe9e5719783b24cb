#pragma once

#include "res/ResourceIds.h"

#include <span>

// Dialog templates as data: each dialog's frame, font and controls, with
// positions and sizes in dialog units. The toolkit builds the widgets from
// these tables; the order of a template's controls is their creation and
// tab order.

// The dialog ids (IDD_...) and the bank bar's combo box id are in
// res/ResourceIds.h with the program's other resource ids.

// Controls of the modules dialog (5).
inline constexpr int IDC_MODULES_PROPERTIES = 1001;
inline constexpr int IDC_MODULES_ADD = 1003;
inline constexpr int IDC_MODULES_REMOVE = 1004;
inline constexpr int IDC_MODULES_LIST = 1006;
inline constexpr int IDC_MODULES_DESCRIPTION = 1007;
inline constexpr int IDC_MODULES_SET_DEFAULT = 1008;

// Controls of the GRE Type 1 properties dialog (148).
inline constexpr int IDC_GRE1_ABOUT = 3;
inline constexpr int IDC_GRE1_MODEL = 1008;
inline constexpr int IDC_GRE1_PORT = 1009;
inline constexpr int IDC_GRE1_SPEED = 1010;
inline constexpr int IDC_GRE1_STOP_BITS = 1011;
inline constexpr int IDC_GRE1_CAR_NUMBERS = 1012;
inline constexpr int IDC_GRE1_NOTICE = 1014;
inline constexpr int IDC_GRE1_NAME = 1015;
inline constexpr int IDC_GRE1_FIND_CABLE = 1016;

// Controls of the Go To dialog (160).
inline constexpr int IDC_GOTO_PROMPT = 1020;
inline constexpr int IDC_GOTO_NUMBER = 1021;
inline constexpr int IDC_GOTO_MESSAGE = 1022;

// Controls of the Find dialog (161).
inline constexpr int IDC_FIND_WHAT = 1030;
inline constexpr int IDC_FIND_MATCH_CASE = 1031;
inline constexpr int IDC_FIND_WHOLE_CELL = 1032;
inline constexpr int IDC_FIND_UP = 1033;
inline constexpr int IDC_FIND_DOWN = 1034;

// Controls of the Compare with Scanner dialog (164).
inline constexpr int IDC_COMPARE_SUMMARY = 1070;

// Controls of the Columns dialog (162).
inline constexpr int IDC_COLUMNS_LIST = 1040;
inline constexpr int IDC_COLUMNS_UP = 1041;
inline constexpr int IDC_COLUMNS_DOWN = 1042;

// Controls of the Sort Channels dialog (163).
inline constexpr int IDC_SORT_FREQUENCY = 1050;
inline constexpr int IDC_SORT_DESCRIPTION = 1051;
inline constexpr int IDC_SORT_CAR_NUMBER = 1052;
inline constexpr int IDC_SORT_ASCENDING = 1053;
inline constexpr int IDC_SORT_DESCENDING = 1054;
inline constexpr int IDC_SORT_SELECTION = 1055;
inline constexpr int IDC_SORT_EACH_BANK = 1056;
inline constexpr int IDC_SORT_WHOLE_LIST = 1057;

// Follow Cars.
inline constexpr int IDC_FOLLOW_NUMBERS = 1060;
inline constexpr int IDC_FOLLOW_LIST = 1061;
inline constexpr int IDC_FOLLOW_ALL = 1062;
inline constexpr int IDC_FOLLOW_NONE = 1063;

// Choose Columns.
inline constexpr int IDC_CHOOSE_INTRO = 1080;
inline constexpr int IDC_CHOOSE_TABLE_LABEL = 1081;
inline constexpr int IDC_CHOOSE_ROLE = 1082;
inline constexpr int IDC_CHOOSE_UNIT = 1083;
inline constexpr int IDC_CHOOSE_NOTE = 1084;

// A control without an id of its own (statics, group boxes).
inline constexpr int IDC_STATIC = -1;

enum class DialogControlKind {
    Text,     // static text
    GroupBox, // frame with an optional caption; groups nothing by itself
    PushButton,
    DefPushButton, // the button that Enter presses
    AutoCheckBox,
    AutoRadioButton, // one of the dialog's radio buttons, which exclude each other
    Edit,            // single-line text field
    ListBox,
    DropDownList, // combo box without an edit field
    DropDown,     // combo box with an edit field: a list to pick from or a text to type
    Icon,         // static showing an icon resource; text holds the resource id
    EtchedHorz,   // etched horizontal line
};

// Style bits of a control; the defaults of each kind need no bit.
namespace DialogStyle {
inline constexpr unsigned None = 0;
inline constexpr unsigned Disabled = 1u << 0;
inline constexpr unsigned TabStop = 1u << 1;
inline constexpr unsigned Group = 1u << 2;
inline constexpr unsigned AlignRight = 1u << 3;
inline constexpr unsigned AlignCenter = 1u << 4;
inline constexpr unsigned NoPrefix = 1u << 5; // '&' shows as itself
inline constexpr unsigned Sort = 1u << 6;     // list keeps its items sorted
inline constexpr unsigned Notify = 1u << 7;   // list reports selection changes
inline constexpr unsigned VScroll = 1u << 8;
inline constexpr unsigned Border = 1u << 9;
inline constexpr unsigned NoIntegralHeight = 1u << 10;
inline constexpr unsigned Transparent = 1u << 11; // paints no background
} // namespace DialogStyle

// Style bits of a dialog frame.
namespace DialogFrame {
inline constexpr unsigned Child = 1u << 0; // no frame: a child window (dialog bars)
inline constexpr unsigned ModalFrame = 1u << 1;
inline constexpr unsigned Caption = 1u << 2;
inline constexpr unsigned SysMenu = 1u << 3;
} // namespace DialogFrame

struct DialogControl
{
    DialogControlKind kind;
    int id;
    const char* text; // UTF-8
    int x, y, cx, cy; // dialog units
    unsigned style;
};

struct DialogTemplate
{
    int id;
    const char* caption;
    int cx, cy; // client size in dialog units
    const char* fontFace;
    int pointSize;
    unsigned frame;
    std::span<const DialogControl> controls;
};

// Null for an id that names no dialog template.
const DialogTemplate* FindDialogTemplate(int id);
