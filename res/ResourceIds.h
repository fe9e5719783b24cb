#pragma once

// Numeric ids of the program's resources, commands, strings and bars. Menus,
// toolbar buttons and accelerators name commands by these ids; the same id
// picks a command's status-bar prompt and tooltip from the string table.

// The main window's menu, accelerator table, toolbar, icon and title string.
inline constexpr int IDR_MAINFRAME = 128;

// Commands of menu 128, the toolbar and the accelerator table.
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
// Adds a file's channels into the empty channels of the table.
inline constexpr int ID_FILE_IMPORT = 32790;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_PAGE_SETUP = 136;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr int ID_APP_EXIT = 57665;
// The recent files of the File menu, most recent first.
inline constexpr int ID_FILE_MRU_FILE1 = 57616;
inline constexpr int ID_FILE_MRU_COUNT = 4;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_EDIT_REDO = 57644;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_DELETE = 137;
inline constexpr int ID_EDIT_FIND = 57636;
inline constexpr int ID_EDIT_FIND_NEXT = 139;
inline constexpr int ID_EDIT_GOTO = 140;
inline constexpr int ID_EDIT_SELECT_ALL = 141;
inline constexpr int ID_VIEW_COLUMNS = 142;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;
inline constexpr int ID_TRANSFER_UPLOAD_SELECTED = 152;
inline constexpr int ID_TRANSFER_UPLOAD_ALL = 145;
inline constexpr int ID_TRANSFER_DOWNLOAD_ALL = 151;
inline constexpr int ID_TRANSFER_SETTINGS = 147;
inline constexpr int ID_TRANSFER_MODULES = 143;
inline constexpr int ID_HELP_TOPICS = 144;
inline constexpr int ID_APP_ABOUT = 57664;
// Commands without a menu item: the printer button and next/previous pane
// (F6, Shift+F6), which nothing handles.
inline constexpr int ID_TOOLBAR_PRINT = 32771;
// Shift+F3: Find Next searching towards the top.
inline constexpr int ID_EDIT_FIND_PREVIOUS = 32780;
// Commands that move channels between numbers; their keys belong to the
// grid (IDR_GRID), not to the whole window.
inline constexpr int ID_EDIT_INSERT_CHANNEL = 32800;
inline constexpr int ID_EDIT_REMOVE_CHANNEL = 32801;
inline constexpr int ID_EDIT_MOVE_UP = 32802;
inline constexpr int ID_EDIT_MOVE_DOWN = 32803;
inline constexpr int ID_EDIT_SORT = 32804;
// The race weekend: lockout by car, of the selection, and the race card.
inline constexpr int ID_EDIT_FOLLOW_CARS = 32805;
inline constexpr int ID_EDIT_LOCK_OUT = 32806;
inline constexpr int ID_EDIT_UNLOCK = 32807;
inline constexpr int ID_FILE_PRINT_RACE_CARD = 32808;
// What the scanner holds, as its record says: the channels that differ, sent
// or listed.
inline constexpr int ID_TRANSFER_UPLOAD_CHANGED = 32810;
inline constexpr int ID_VIEW_COMPARE_SCANNER = 32811;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;

// Strings.
inline constexpr int IDS_APP_TITLE = 57344;    // caption of message boxes
inline constexpr int IDS_IDLE_MESSAGE = 57345; // status bar when no prompt shows
// The main window's texts: the grid's column titles, the bank bar's first
// entry, the channel file dialogs' filter, upload messages and start-up.
inline constexpr int IDS_COLUMN_NUMBER = 200;
inline constexpr int IDS_COLUMN_FREQUENCY = 201;
inline constexpr int IDS_COLUMN_DESCRIPTION = 202;
inline constexpr int IDS_COLUMN_CAR_NUMBER = 203;
inline constexpr int IDS_COLUMN_DELAY = 204;
inline constexpr int IDS_COLUMN_LOCKOUT = 205;
inline constexpr int IDS_COLUMN_PRIORITY = 206;
inline constexpr int IDS_ALL_BANKS = 207;
inline constexpr int IDS_CHANNEL_FILE_FILTER = 208;
inline constexpr int IDS_TRANSFER_ERROR = 209;
inline constexpr int IDS_TRANSFER_ACCESS_HINT = 210; // after a refused port
inline constexpr int IDS_TRANSFER_IN_USE_HINT = 218; // %1 the port
inline constexpr int IDS_UPLOAD_PROGRESS = 211;      // %1 "3 of 5 channels sent", %2 the memory, %3 and %4 KB
inline constexpr int IDS_STARTUP_ERROR = 212;
inline constexpr int IDS_UPLOAD_PROGRESS_MEMORY = 220; // %1 the last sent channel's number
inline constexpr int IDS_UPLOAD_CANCEL = 214;
inline constexpr int IDS_UPLOAD_CANCELLED = 215;       // %1 channel, %2 channels
inline constexpr int IDS_SELECTED_CHANNELS_SENT = 216; // %1 sent, %2 selected
inline constexpr int IDS_RECENT_FILE_GONE = 217;       // %1 the file's path
inline constexpr int IDS_SAVE_AS_FILTER = 219;         // the second type is the CHIRP export
inline constexpr int IDS_BANK_ENTRY = 240;             // %1 bank, %2 first and %3 last channel
inline constexpr int IDS_GOTO_PROMPT = 241;            // %1 first, %2 last channel of the layout
inline constexpr int IDS_GOTO_REFUSED = 242;           // the same
inline constexpr int IDS_GOTO_NOT_SHOWN = 243;
inline constexpr int IDS_FIND_NOT_FOUND = 244;
inline constexpr int IDS_FIND_WRAPPED_DOWN = 245;
inline constexpr int IDS_FIND_WRAPPED_UP = 246;
// What a paste left out, one count each, singular and plural (%1).
inline constexpr int IDS_COLUMN_NUMBER_NAME = 290; // the "#" column's name for screen readers
inline constexpr int IDS_UPLOAD_TITLE = 270;
inline constexpr int IDS_UPLOAD_DONE_TITLE = 271;
inline constexpr int IDS_UPLOAD_CLOSE = 272;
inline constexpr int IDS_UPLOAD_NOTHING_SENT = 273;
inline constexpr int IDS_FIRST_RUN_INTRO = 274;
// The words of the scanner modules (%1 … the arguments named).
inline constexpr int IDS_CHANNEL_NUMBERED = 400; // "Channel %1"
inline constexpr int IDS_CHANNEL_IN_ROW = 401;   // %1 row
inline constexpr int IDS_CHANNEL_UNNAMED = 402;
inline constexpr int IDS_REFUSED_FIELD_END = 403;
inline constexpr int IDS_REFUSED_CONTROL = 404;    // %1 bytes in hex
inline constexpr int IDS_REFUSED_NOT_ASCII = 405;  // %1 character, %2 bytes in hex
inline constexpr int IDS_CAR_NUMBER_REFUSED = 406; // %1 channel, %2 why
inline constexpr int IDS_PACKET_TOO_LONG = 407;    // %1 channel, %2 bytes, %3 at most
inline constexpr int IDS_UPLOAD_PORT_FAILED = 408; // %1 port
inline constexpr int IDS_THE_SERIAL_PORT = 409;
inline constexpr int IDS_NO_CHANNEL_TO_UPLOAD = 410;
inline constexpr int IDS_NO_LIST_TO_UPLOAD = 411;
inline constexpr int IDS_NO_ADAPTER = 412;
inline constexpr int IDS_BAUD_REFUSED = 413;      // %1 baud
inline constexpr int IDS_STOP_BITS_REFUSED = 414; // %1 code
inline constexpr int IDS_PORT_NOT_OPEN = 415;     // %1 port
inline constexpr int IDS_NO_DATA_TO_WRITE = 416;
inline constexpr int IDS_PORT_WRITE_TIMEOUT = 417;        // %1 port, %2 milliseconds
inline constexpr int IDS_CHANNEL_NO_FREQUENCY_SENT = 418; // %1 channel number
inline constexpr int IDS_NO_CHANNEL_HAS_FREQUENCY = 419;
inline constexpr int IDS_THE_SCANNER = 420;
inline constexpr int IDS_SENT_RESULT = 421;         // %1 what was sent, %2 scanner, %3 port, %4 seconds
inline constexpr int IDS_SENT_RESULT_NO_PORT = 422; // %1 what was sent, %2 scanner, %3 seconds
inline constexpr int IDS_BANDS_OWNER = 424;         // %1 model
inline constexpr int IDS_BANDS_OWNER_UNNAMED = 425;
inline constexpr int IDS_CHANNELS_OUTSIDE_BANDS = 426; // %1 owner, %2 ranges, %3 channels listed
inline constexpr int IDS_CHANNEL_OUTSIDE_BANDS = 427;  // %1 number, %2 MHz, %3 owner, %4 ranges
inline constexpr int IDS_BANDS_NO_SOURCE = 428;        // %1 ranges
// The words of the scanner record and its comparison with the table.
inline constexpr int IDS_MEMORY_NOTHING_SENT = 440;
inline constexpr int IDS_MEMORY_UNKNOWN = 441;
inline constexpr int IDS_MEMORY_EMPTY = 442;
inline constexpr int IDS_MEMORY_CAR = 443; // %1 car number
inline constexpr int IDS_MEMORY_DELAY = 444;
inline constexpr int IDS_MEMORY_LOCKED_OUT = 445;
inline constexpr int IDS_MEMORY_PRIORITY = 446;
inline constexpr int IDS_NOTHING_SENT_TO_SCANNER = 447; // %1 scanner
inline constexpr int IDS_NOTHING_SENT_TO_CHANNEL = 448; // %1 channel, %2 scanner
inline constexpr int IDS_CHANNEL_UNKNOWN = 449;         // %1 upload's time, %2 channel, %3 scanner
inline constexpr int IDS_CHANNEL_EMPTIED = 450;         // %1 scanner, %2 what it holds, %3 when sent
inline constexpr int IDS_CHANNEL_CHANGED = 451;         // the same
inline constexpr int IDS_NO_CHANNEL_UPDATED = 452;
inline constexpr int IDS_CHECK_ON_DISPLAY = 453; // %1 channels
inline constexpr int IDS_EMPTY_NOT_SENT = 454;
inline constexpr int IDS_RECORD_FOREIGN = 455;
inline constexpr int IDS_RECORD_LINE_NO_CHANNEL = 456; // %1 line
inline constexpr int IDS_RECORD_UNREADABLE = 457;
inline constexpr int IDS_RECORD_LINE_NO_TIME = 458; // %1 line
inline constexpr int IDS_NOTHING_TO_SEND = 459;
inline constexpr int IDS_NOTHING_CHANGED_SINCE = 460; // %1 upload's time, %2 scanner
inline constexpr int IDS_NO_DATA_FOLDER = 461;
// Why an insert, remove, move or sort of channels was refused.
inline constexpr int IDS_ARRANGE_SPANS_BANKS = 470;
inline constexpr int IDS_ARRANGE_SELECT_INSERT = 471;
inline constexpr int IDS_ARRANGE_LAST_HAS_FREQUENCY = 472; // %1 channel
inline constexpr int IDS_ARRANGE_LAST_NOT_EMPTY = 473;     // %1 channel
inline constexpr int IDS_ARRANGE_SELECT_REMOVE = 474;
inline constexpr int IDS_ARRANGE_SELECT_MOVE = 475;
inline constexpr int IDS_ARRANGE_FIRST_UP = 476;
inline constexpr int IDS_ARRANGE_LAST_DOWN = 477;
inline constexpr int IDS_ARRANGE_SELECT_SORT = 478;

// The terminal programs' messages.
inline constexpr int IDS_NO_MODULE_TO_UPLOAD = 700;
inline constexpr int IDS_STANDARD_INPUT = 701;
inline constexpr int IDS_NO_SUCH_CHANNEL = 702;      // %1 number, %2-%3 the scanner's
inline constexpr int IDS_OUTSIDE_NOTHING_SENT = 703; // %1 the channels outside
inline constexpr int IDS_NOTHING_LEFT_TO_SEND = 704;
inline constexpr int IDS_PORT_FOR_THIS_RUN = 705; // %1 why there is no port
inline constexpr int IDS_NO_PACKETS_SHOWN = 706;
inline constexpr int IDS_UPLOAD_FAILED_PLAIN = 707;
inline constexpr int IDS_RECORD_REPLACED = 708;    // %1 scanner, %2 why
inline constexpr int IDS_NOTHING_SENT_AFTER = 709; // %1 why
inline constexpr int IDS_RECORD_NOT_WRITTEN = 710; // %1 scanner, %2 why
inline constexpr int IDS_THE_NAMED_SCANNER = 711;  // %1 scanner
inline constexpr int IDS_CHANGED_KIND = 712;       // as in "Sent 3 changed channels"
inline constexpr int IDS_THE_OUTPUT = 713;
inline constexpr int IDS_TO_REFUSED = 714;
inline constexpr int IDS_COLUMN_NEEDS_VALUE = 715;
inline constexpr int IDS_UNKNOWN_OPTION = 716; // %1 option
inline constexpr int IDS_GIVE_FILE_AND_OUT = 717;
inline constexpr int IDS_OUT_IS_FILE = 718;
inline constexpr int IDS_OPTION_NEEDS_VALUE = 719; // %1 option
inline constexpr int IDS_SCANNER_NEEDS_NAME = 720;
inline constexpr int IDS_PORT_NEEDS_DEVICE = 721;
inline constexpr int IDS_BAUD_OPTION_REFUSED = 722;      // %1 text
inline constexpr int IDS_STOP_BITS_OPTION_REFUSED = 723; // %1 text
inline constexpr int IDS_CHANNELS_OPTION_REFUSED = 724;  // %1 text
inline constexpr int IDS_ONE_FILE_ONLY = 725;
inline constexpr int IDS_CHANGED_OR_CHANNELS = 726;
inline constexpr int IDS_SKIP_OR_IGNORE_BANDS = 727;
inline constexpr int IDS_NO_FILE_GIVEN = 728;
inline constexpr int IDS_COLUMN_OPTION_REFUSED = 729; // %1 text
inline constexpr int IDS_COLUMN_UNIT_REFUSED = 730;   // %1 text
inline constexpr int IDS_COLUMN_TWO_UNITS = 731;
inline constexpr int IDS_COLUMN_NAMED_TWICE = 732; // %1 name
inline constexpr int IDS_COLUMN_OPTION_HINT = 733; // %1 names, %2 one of them
// The words of the channel rules.
inline constexpr int IDS_OFF_STEP_WARNING = 480;   // %1 channel, %2 MHz
inline constexpr int IDS_CHIRP_DROPS_FIELDS = 481; // %1 file, %2 fields
inline constexpr int IDS_IMPORT_NOTHING_ADDED = 482;
inline constexpr int IDS_IMPORT_ADDED = 483;         // %1 channels, %2 first channel
inline constexpr int IDS_IMPORT_NO_EMPTY_LEFT = 484; // the same
inline constexpr int IDS_IMPORT_NO_EMPTY = 485;      // the same
inline constexpr int IDS_CELL_NOT_FREQUENCY = 486;   // %1 text, %2 channel, %3 what it keeps
inline constexpr int IDS_CELL_NO_FREQUENCY = 487;
inline constexpr int IDS_CELL_THIS_COLUMN = 488;
inline constexpr int IDS_CELL_NOT_TRUTH_WORD = 489; // %1 text, %2 column, %3 channel, %4 what it keeps

// Reading channel files and their columns.
// Why a file is not read: the reading refusals (%1 … the arguments named).
inline constexpr int IDS_FILE_TOO_LARGE = 500; // %1 the largest size read
inline constexpr int IDS_NOT_REGULAR_FILE = 501;
inline constexpr int IDS_NOT_REGULAR_PIPE = 502;
inline constexpr int IDS_NOT_REGULAR_DEVICE = 503;
inline constexpr int IDS_NOT_REGULAR_SOCKET = 504;
inline constexpr int IDS_READ_CANCELLED = 505;
inline constexpr int IDS_READ_IS_JSON = 506;
inline constexpr int IDS_READ_IS_XML = 507;
inline constexpr int IDS_READ_AT_LINE = 508; // %1 line, %2 why; begins with "line "
inline constexpr int IDS_DECODE_NOT_UTF8 = 509;
inline constexpr int IDS_DECODE_LONE_SURROGATE = 510;
inline constexpr int IDS_DECODE_HALF_UTF16 = 511;
inline constexpr int IDS_WRITE_MAY_NOT_CHANGE = 512;  // %1 the system's reason
inline constexpr int IDS_WRITE_FOLDER_REFUSED = 513;  // %1 folder, %2 the system's reason
inline constexpr int IDS_WRITE_IN_PLACE_FAILED = 514; // %1 the system's reason, %2 the copy
inline constexpr int IDS_WRITE_REPLACE_FAILED = 515;  // the same
inline constexpr int IDS_FILE_NAMED_JSON = 516;       // %1 file
inline constexpr int IDS_FILE_NAMED_XML = 517;        // %1 file
inline constexpr int IDS_FILE_ONLY_BLANK = 518;       // %1 file
inline constexpr int IDS_THE_FILE_STARTING = 519;     // a file without a name, first in a sentence
inline constexpr int IDS_THE_FILE = 520;              // the same, within one
// How a header or a line was not understood.
inline constexpr int IDS_UNIT_MISFIT = 521;               // %1 column, %2 file, %3 number, %4 and %5 the bands in MHz
inline constexpr int IDS_UNITS_DISAGREE = 522;            // %1 column, %2 file, %3 and %4 numbers, %5 and %6 the bands
inline constexpr int IDS_FREQUENCY_COLUMN = 523;          // a frequency column without a name
inline constexpr int IDS_HEADER_UNSPLIT = 524;            // %1 file, %2 line, %3 its text
inline constexpr int IDS_HEADER_NO_FREQUENCY = 525;       // %1 file, %2 the header's names
inline constexpr int IDS_HEADER_NO_FREQUENCY_SPLIT = 526; // the same, after every separator was tried
inline constexpr int IDS_NO_HEADER = 527;                 // %1 file, %2 why its lines are not Scanlore's
inline constexpr int IDS_TWO_RECEIVE_COLUMNS = 528;       // %1 file, %2 and %3 the columns
inline constexpr int IDS_TWO_PRIMARY_COLUMNS = 529;       // the same
inline constexpr int IDS_CHOSEN_COLUMN_MISSING = 530;     // %1 file, %2 column
inline constexpr int IDS_CHOSEN_TWICE = 531;              // %1 file, %2 role, %3 and %4 the columns
inline constexpr int IDS_CHOSEN_NO_FREQUENCY = 532;       // %1 file
inline constexpr int IDS_OWN_FIELD_REFUSED = 533;         // %1 line, %2 text, %3 the column of Scanlore's layout
inline constexpr int IDS_OWN_TOO_WIDE = 534;              // %1 line, %2 fields, %3 Scanlore's fields
// Why a line was skipped, or read otherwise than written.
inline constexpr int IDS_LINE_NUMBERED = 535; // %1 line
inline constexpr int IDS_LINE_OF_CAR = 536;   // %1 line, %2 car
inline constexpr int IDS_LINE_SKIPPED = 537;  // %1 the line named, %2 why
inline constexpr int IDS_SKIP_NO_FREQUENCY = 538;
inline constexpr int IDS_SKIP_NOT_FREQUENCY = 539;      // %1 text
inline constexpr int IDS_SKIP_ABOVE_MAX = 540;          // %1 text and unit, %2 the highest MHz
inline constexpr int IDS_SKIP_MORE_THAN_CHANNELS = 541; // %1 channels
inline constexpr int IDS_SKIP_OUTSIDE = 542;            // %1 channel, %2 first and %3 last channel
inline constexpr int IDS_SKIP_OUTSIDE_NONE = 543;       // %1 channel
inline constexpr int IDS_ROLE_UNREAD = 544;             // %1 role, %2 why
inline constexpr int IDS_NOTE_NOT_READ = 545;           // %1 the line named, %2 why
inline constexpr int IDS_NOTE_WIDER_LINE = 546;         // %1 line, %2 its fields, %3 the header's
inline constexpr int IDS_NOTE_UNREAD_FREQUENCY = 547;   // %1 line, %2 text, %3 channel
inline constexpr int IDS_CAR_DRIVERS = 548;             // %1 car, %2 drivers
inline constexpr int IDS_CAR_DRIVERS_ZERO = 549;        // the same, for a car of one digit
inline constexpr int IDS_NO_FREQUENCY_LINE = 550;       // %1 file, %2 the lines skipped or nothing
inline constexpr int IDS_AND_MORE_SKIPPED = 551;        // %1 the lines skipped but not named
// The summary after a read, and the messages of a read or save that failed.
inline constexpr int IDS_READ_SUMMARY = 552;        // %1 channels, %2 file
inline constexpr int IDS_READ_SUMMARY_LAYOUT = 553; // %1 channels, %2 file, %3 layout
inline constexpr int IDS_READ_IN_FILE_ORDER = 554;
inline constexpr int IDS_READ_AS_ENCODING = 555; // %1 encoding
inline constexpr int IDS_SEPARATED_BY = 556;     // %1 separators
inline constexpr int IDS_SEMICOLONS = 557;
inline constexpr int IDS_TABS = 558;
inline constexpr int IDS_NOT_AS_WRITTEN = 559;
inline constexpr int IDS_MORE_NOTES = 560;           // %1 notes not shown
inline constexpr int IDS_ROLE_RUN = 561;             // %1 role, %2 its channels
inline constexpr int IDS_REASON_FOLLOWS = 562;       // %1 reason
inline constexpr int IDS_REASON_NONE = 563;          // the end of a sentence without one
inline constexpr int IDS_READ_FAILED = 564;          // %1 file, %2 the reason
inline constexpr int IDS_OPEN_FAILED = 565;          // %1 the read's failure
inline constexpr int IDS_READ_IN_PART = 566;         // %1 file, %2 reason, %3 lines read
inline constexpr int IDS_SAVE_FAILED = 567;          // %1 file, %2 reason
inline constexpr int IDS_SAVE_FAILED_KEPT = 568;     // the same, the old file kept
inline constexpr int IDS_SAVE_WOULD_LOSE = 569;      // %1 file, %2 losses
inline constexpr int IDS_SAVE_WOULD_LOSE_KIND = 570; // %1 file, %2 its kind, %3 losses
inline constexpr int IDS_LOSS_COLUMNS = 571;         // %1 columns
inline constexpr int IDS_LOSS_SKIPPED = 572;         // %1 lines
inline constexpr int IDS_LOSS_PAST = 573;            // %1 lines
inline constexpr int IDS_LOSS_TITLES = 574;          // %1 title lines
inline constexpr int IDS_LOSS_UNREAD = 575;          // %1 frequencies
inline constexpr int IDS_LOSS_WIDER = 576;           // %1 lines
inline constexpr int IDS_LOSS_CONVERTED = 577;       // %1 frequencies
inline constexpr int IDS_LOSS_RENUMBER = 578;
inline constexpr int IDS_LOSS_ROLES = 579;
inline constexpr int IDS_LOSS_LEFT_OUT = 580; // %1 frequencies
// The layouts a file is read in, as a summary names them and as a refused
// Save names the file.
inline constexpr int IDS_LAYOUT_CHIRP = 581;
inline constexpr int IDS_LAYOUT_RADIOREFERENCE = 582;
inline constexpr int IDS_LAYOUT_RACE_LIST = 583;
inline constexpr int IDS_LAYOUT_BY_NAME = 584;
inline constexpr int IDS_LAYOUT_CHOSEN = 585;
inline constexpr int IDS_LAYOUT_CHOSEN_ON = 586; // %1 when the choice was made
inline constexpr int IDS_KIND_CHIRP = 587;
inline constexpr int IDS_KIND_RADIOREFERENCE = 588;
inline constexpr int IDS_KIND_RACE_LIST = 589;
inline constexpr int IDS_KIND_OTHER_COLUMNS = 590;
// Why the fields of a text could not be read.
inline constexpr int IDS_LINE_TOO_LONG = 591;      // %1 line, %2 the limit
inline constexpr int IDS_QUOTE_NEVER_CLOSED = 592; // %1 line
inline constexpr int IDS_TEXT_AFTER_QUOTE = 593;   // %1 line, %2 where the field begins
inline constexpr int IDS_LINE_FAR_TOO_WIDE = 594;  // %1 line, %2 fields, %3 fields of %4 line
inline constexpr int IDS_MORE_NUMBERS = 595;       // %1 the numbers not shown, after those shown

// The document's status texts and the serial port's errors.
// What the document did, and the names of its undo steps.
inline constexpr int IDS_UNTITLED = 600;
inline constexpr int IDS_SAVE_ELSEWHERE = 601;
inline constexpr int IDS_OPEN_CANCELLED = 602;       // %1 file
inline constexpr int IDS_OPENED = 603;               // %1 file, %2 channels
inline constexpr int IDS_SAVED = 604;                // the same
inline constexpr int IDS_EXPORTED_CHIRP = 605;       // the same
inline constexpr int IDS_IMPORTED_NONE = 606;        // %1 file
inline constexpr int IDS_IMPORTED = 607;             // %1 channels, %2 their numbers
inline constexpr int IDS_CHANGED_SINCE_OPENED = 608; // %1 file
inline constexpr int IDS_NOW_SAVED_AS_UTF8 = 609;    // %1 file, %2 encoding read
inline constexpr int IDS_STEP_RELOAD = 610;          // %1 file
inline constexpr int IDS_STEP_IMPORT = 611;          // %1 channels
inline constexpr int IDS_STEP_DELETE = 612;          // %1 channels
inline constexpr int IDS_STEP_CUT = 613;             // %1 channels
inline constexpr int IDS_STEP_PASTE = 614;           // %1 channels
inline constexpr int IDS_STEP_INSERT = 615;          // %1 channels
inline constexpr int IDS_STEP_REMOVE = 616;          // %1 channels
inline constexpr int IDS_STEP_MOVE = 617;            // %1 channels
inline constexpr int IDS_STEP_SORT = 618;            // %1 channels
inline constexpr int IDS_STEP_COLUMN = 619;          // %1 column, %2 channels
inline constexpr int IDS_DELETED = 620;              // %1 channels
inline constexpr int IDS_CUT = 621;                  // %1 channels
inline constexpr int IDS_MOVED = 622;                // %1 channels
inline constexpr int IDS_MOVED_TO = 623;             // %1 channels, %2 their numbers now
inline constexpr int IDS_INSERTED = 624;             // %1 empty channels
inline constexpr int IDS_INSERTED_AT = 625;          // %1 empty channels, %2 their numbers
inline constexpr int IDS_REMOVED = 626;              // %1 channels
inline constexpr int IDS_SORTED = 627;               // %1 channels, %2 sort key
inline constexpr int IDS_SORTED_DESCENDING = 628;    // the same
inline constexpr int IDS_SORTED_EACH_BANK = 629;     // %1 channels
inline constexpr int IDS_SORT_KEY_FREQUENCY = 630;
inline constexpr int IDS_SORT_KEY_DESCRIPTION = 631;
inline constexpr int IDS_SORT_KEY_CAR_NUMBER = 632;
inline constexpr int IDS_FLAG_ON = 633;             // %1 column, %2 channels
inline constexpr int IDS_FLAG_OFF = 634;            // the same
inline constexpr int IDS_LOCKED_OUT = 635;          // %1 channels
inline constexpr int IDS_UNLOCKED = 636;            // %1 channels
inline constexpr int IDS_PASTED = 637;              // %1 channels, %2 their numbers
inline constexpr int IDS_FOLLOWING_UNCHANGED = 638; // %1 cars followed, %2 cars
inline constexpr int IDS_FOLLOWING = 639;           // %1, %2 the same, %3 channels locked out, %4 unlocked
// The main window's words.
inline constexpr int IDS_UNDO_LABEL = 640;
inline constexpr int IDS_UNDO_STEP_LABEL = 641; // %1 step
inline constexpr int IDS_REDO_LABEL = 642;
inline constexpr int IDS_REDO_STEP_LABEL = 643;        // %1 step
inline constexpr int IDS_UNDONE = 644;                 // %1 step
inline constexpr int IDS_REDONE = 645;                 // %1 step
inline constexpr int IDS_COMPARE_SAME = 646;           // %1 scanner, %2 upload's time
inline constexpr int IDS_COMPARE_DIFFERENT = 647;      // %1 differences, %2 upload's time
inline constexpr int IDS_COMPARE_DIFFERENT_PORT = 648; // the same, %3 port
inline constexpr int IDS_CHANGED_OUTSIDE_KEPT = 649;   // %1 file
inline constexpr int IDS_CHANGED_OUTSIDE_RELOAD = 650; // %1 file
inline constexpr int IDS_SAVE_CHANGES = 651;           // %1 file
inline constexpr int IDS_OPENING = 652;                // %1 file
inline constexpr int IDS_PRINTED_RACE_CARD = 653;      // %1 file, %2 pages
inline constexpr int IDS_ROLE_NOT_USED = 654;
inline constexpr int IDS_ROLE_CHANNEL = 655;
inline constexpr int IDS_ROLE_PRIMARY = 656;
inline constexpr int IDS_ROLE_SECONDARY = 657;
inline constexpr int IDS_ROLE_OTHER = 658;
inline constexpr int IDS_UNIT_AUTOMATIC = 659;
inline constexpr int IDS_CHOOSE_COLUMNS_INTRO = 660; // %1 file
inline constexpr int IDS_CHOOSE_FREQUENCY_NOTE = 661;
inline constexpr int IDS_CHOOSE_COLUMN = 662;
inline constexpr int IDS_CHOOSE_ROLE = 663;
inline constexpr int IDS_CHOOSE_VALUES = 664;
inline constexpr int IDS_CHOOSE_TABLE_NAME = 665;
inline constexpr int IDS_COMPARE_CHANNEL = 666;
inline constexpr int IDS_COMPARE_HERE = 667;
inline constexpr int IDS_COMPARE_SCANNER = 668;
inline constexpr int IDS_COMPARE_SENT = 669;
inline constexpr int IDS_COMPARE_TABLE_NAME = 670;
inline constexpr int IDS_PRINT_BANK = 671;       // %1 bank, %2 first channel, %3 last channel
inline constexpr int IDS_PRINT_DATE = 672;       // %1 date
inline constexpr int IDS_PRINT_MODULE = 673;     // %1 module
inline constexpr int IDS_PRINT_MODEL = 674;      // %1 scanner model
inline constexpr int IDS_PRINT_PAGE = 675;       // %1 page, %2 pages
inline constexpr int IDS_MARGINS_TOO_WIDE = 676; // %1 percent
inline constexpr int IDS_COMMAND_LINE_DESCRIPTION = 677;
inline constexpr int IDS_COMMAND_LINE_HELP = 678;
inline constexpr int IDS_COMMAND_LINE_VERSION = 679;
inline constexpr int IDS_COMMAND_LINE_FILE = 680;
inline constexpr int IDS_COMMAND_LINE_ONE_FILE = 681;
// The serial port's errors (%1 the port).
inline constexpr int IDS_PORT_NAME_REFUSED = 682;         // %1 name typed
inline constexpr int IDS_PORT_NAME_REFUSED_WINDOWS = 683; // %1 name typed
inline constexpr int IDS_PORT_IN_USE = 684;
inline constexpr int IDS_PORT_IN_USE_BECAUSE = 685; // %2 system's reason
inline constexpr int IDS_PORT_OPEN_FAILED = 686;    // %2 system's reason
inline constexpr int IDS_PORT_NOT_SERIAL = 687;     // %2 system's reason
inline constexpr int IDS_PORT_LOCK_FAILED = 688;    // %2 system's reason
inline constexpr int IDS_PORT_LINE_REFUSED = 689;   // %2 baud, %3 stop bits, %4 system's reason
inline constexpr int IDS_PORT_DTR_FAILED = 690;     // %2 system's reason
inline constexpr int IDS_PORT_WRITE_FAILED = 691;   // %2 system's reason
inline constexpr int IDS_PORT_HUNG_UP = 692;
inline constexpr int IDS_PORT_TOOK_NO_DATA = 693;    // %2 milliseconds
inline constexpr int IDS_PORT_DRAIN_FAILED = 694;    // %2 system's reason
inline constexpr int IDS_PORT_CLOSE_FAILED = 695;    // %2 system's reason
inline constexpr int IDS_PORT_TIMEOUT_REFUSED = 696; // %2 system's reason
inline constexpr int IDS_SYSTEM_ERROR = 697;         // %1 error code
inline constexpr int IDS_MISSING_ADAPTER_WINDOWS = 698;

// The status bar's panes.
inline constexpr int ID_INDICATOR_CAPS = 59137;
inline constexpr int ID_INDICATOR_NUM = 59138;
inline constexpr int ID_INDICATOR_SCRL = 59139;
// In a list of status-bar panes: the message pane.
inline constexpr int ID_SEPARATOR = 0;

// Control ids of the main window's children.
inline constexpr int AFX_IDW_PANE_FIRST = 59648; // the grid
inline constexpr int AFX_IDW_TOOLBAR = 59392;
inline constexpr int AFX_IDW_STATUS_BAR = 59393;
inline constexpr int AFX_IDW_REBAR = 59396;
inline constexpr int AFX_IDW_DIALOGBAR = 59397; // the bank bar

// Dialog templates and their controls.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_MODULES = 5;
inline constexpr int IDD_GRE1_PROPERTIES = 148;
inline constexpr int IDD_BANK_BAR = 128;
inline constexpr int IDD_GOTO = 160;
inline constexpr int IDD_FIND = 161;
inline constexpr int IDD_COLUMNS = 162;
inline constexpr int IDD_SORT = 163;
inline constexpr int IDD_FOLLOW_CARS = 164;
inline constexpr int IDD_COMPARE_SCANNER = 165;
inline constexpr int IDD_CHOOSE_COLUMNS = 166;
// The grid's own accelerator table.
inline constexpr int IDR_GRID = 170;
inline constexpr int IDC_BANK_COMBO = 1013;
