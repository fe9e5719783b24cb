#include "channels/vnWords.h"

#include "channels/vnText.h"
#include "res/ResourceIds.h"

namespace {

// The window's texts: titles, prompts, tooltips and messages, by the ids of
// the program's resources. A command's text holds its status-bar prompt and,
// after a line feed, its tooltip.
struct StringEntry
{
    int id;
    std::string_view text;
};

constexpr StringEntry kStrings[] = {
    {IDR_MAINFRAME, "Scanlore"},
    {IDS_APP_TITLE, "Scanlore"},
    {IDS_IDLE_MESSAGE, "Ready"},
    {IDS_COLUMN_NUMBER, "#"},
    {IDS_COLUMN_NUMBER_NAME, "Channel number"},
    {IDS_COLUMN_FREQUENCY, "Frequency"},
    {IDS_COLUMN_DESCRIPTION, "Description"},
    {IDS_COLUMN_CAR_NUMBER, "Car Number"},
    {IDS_COLUMN_DELAY, "Delay"},
    {IDS_COLUMN_LOCKOUT, "Lockout"},
    {IDS_COLUMN_PRIORITY, "Priority"},
    {IDS_ALL_BANKS, "(All Banks)"},
    {IDS_BANK_ENTRY, "Bank %1: %2-%3"},
    {IDS_GOTO_PROMPT, "&Channel number (%1-%2):"},
    {IDS_GOTO_REFUSED, "Type a whole number from %1 to %2."},
    {IDS_GOTO_NOT_SHOWN, "Channel %1 is not in the grid."},
    {IDS_FIND_NOT_FOUND, "Cannot find \"%1\""},
    {IDS_FIND_WRAPPED_DOWN, "Passed the last channel; continued from the first."},
    {IDS_FIND_WRAPPED_UP, "Passed the first channel; continued from the last."},
    {IDS_CHANNEL_FILE_FILTER, "Delimited Text File (*.csv, *.txt)|*.csv;*.txt|All Files (*.*)|*.*||"},
    {IDS_SAVE_AS_FILTER,
     "Delimited Text File (*.csv, *.txt)|*.csv;*.txt|CHIRP CSV, export (*.csv)|*.csv|All Files (*.*)|*.*||"},
    {IDS_TRANSFER_ERROR, "A transfer error has occurred."},
    {IDS_CHANNEL_NUMBERED, "Channel %1"},
    {IDS_CHANNEL_IN_ROW, "The channel in row %1"},
    {IDS_CHANNEL_UNNAMED, "The channel"},
    {IDS_REFUSED_FIELD_END, "'^', which the scanner reads as the end of a field."},
    {IDS_REFUSED_CONTROL, "the control character 0x%1, which the scanner cannot take."},
    {IDS_REFUSED_NOT_ASCII,
     "'%1' (bytes %2), which the scanner's display cannot show: use letters, digits and signs of plain ASCII."},
    {IDS_CAR_NUMBER_REFUSED, "%1: the car number holds %2"},
    {IDS_PACKET_TOO_LONG, "%1 does not fit in one packet: its text is %2 bytes, at most %3 can be sent."},
    {IDS_UPLOAD_PORT_FAILED, "The upload to %1 failed."},
    {IDS_THE_SERIAL_PORT, "the serial port"},
    {IDS_NO_CHANNEL_TO_UPLOAD, "There is no channel to upload."},
    {IDS_NO_LIST_TO_UPLOAD, "There is no channel list to upload."},
    {IDS_NO_ADAPTER, "No USB serial adapter was found. Plug in the scanner's cable, or choose its port."},
    {IDS_BAUD_REFUSED, "%1 baud is not a speed from 110 to 256000"},
    {IDS_STOP_BITS_REFUSED, "stop-bits code %1 is not 0, 1 or 2"},
    {IDS_PORT_NOT_OPEN, "%1 is not open"},
    {IDS_NO_DATA_TO_WRITE, "no data to write"},
    {IDS_PORT_WRITE_TIMEOUT, "%1 sent nothing for %2 ms; is the scanner connected and the line free?"},
    {IDS_CHANNEL_NO_FREQUENCY_SENT, "Channel %1 has no frequency: nothing was sent."},
    {IDS_NO_CHANNEL_HAS_FREQUENCY, "None of the channels has a frequency: nothing was sent."},
    {IDS_THE_SCANNER, "the scanner"},
    {IDS_SENT_RESULT, "%1 to %2 on %3 in %4 s. The scanner does not confirm: check its display."},
    {IDS_SENT_RESULT_NO_PORT, "%1 to %2 in %3 s. The scanner does not confirm: check its display."},
    // The terminal programs' messages.
    {IDS_NO_MODULE_TO_UPLOAD, "no scanner module to upload with"},
    {IDS_STANDARD_INPUT, "standard input"},
    {IDS_NO_SUCH_CHANNEL, "there is no channel %1; the scanner has channels %2 to %3."},
    {IDS_OUTSIDE_NOTHING_SENT, "%1\nNothing was sent. --skip-out-of-band leaves them out, --ignore-bands sends them."},
    {IDS_NOTHING_LEFT_TO_SEND, "nothing left to send."},
    {IDS_PORT_FOR_THIS_RUN, "%1\n--port names the port for this run."},
    {IDS_NO_PACKETS_SHOWN, "this scanner module cannot show its packets without sending them"},
    {IDS_UPLOAD_FAILED_PLAIN, "the upload failed."},
    {IDS_RECORD_REPLACED,
     "the record of what the %1 holds cannot be read (%2); it counts as nothing known, and this upload replaces it."},
    {IDS_NOTHING_SENT_AFTER, "%1 Nothing was sent."},
    {IDS_RECORD_NOT_WRITTEN, "The record of what the %1 holds could not be written: %2"},
    {IDS_THE_NAMED_SCANNER, "the %1"},
    {IDS_CHANGED_KIND, "changed"},
    {IDS_THE_OUTPUT, "The output"},
    {IDS_TO_REFUSED, "--to takes scanlore or chirp"},
    {IDS_COLUMN_NEEDS_VALUE, "--column needs ROLE=NAME"},
    {IDS_UNKNOWN_OPTION, "unknown option %1"},
    {IDS_GIVE_FILE_AND_OUT, "give FILE and at most OUT"},
    {IDS_OUT_IS_FILE, "OUT is FILE itself; name another file"},
    {IDS_OPTION_NEEDS_VALUE, "%1 needs a value"},
    {IDS_SCANNER_NEEDS_NAME, "--scanner needs a name"},
    {IDS_PORT_NEEDS_DEVICE, "--port needs a device"},
    {IDS_BAUD_OPTION_REFUSED, "--baud takes a speed from 110 to 256000, not \"%1\""},
    {IDS_STOP_BITS_OPTION_REFUSED, "--stop-bits takes 1 or 2, not \"%1\""},
    {IDS_CHANNELS_OPTION_REFUSED, "--channels takes channel numbers and ranges such as 1-20,45, not \"%1\""},
    {IDS_ONE_FILE_ONLY, "only one channel file, please"},
    {IDS_CHANGED_OR_CHANNELS, "--changed and --channels exclude each other"},
    {IDS_SKIP_OR_IGNORE_BANDS, "--skip-out-of-band and --ignore-bands exclude each other"},
    {IDS_NO_FILE_GIVEN, "no channel file given"},
    {IDS_COLUMN_OPTION_REFUSED,
     "--column takes ROLE=NAME, ROLE one of frequency, description, car, channel, lockout, delay, priority, primary, "
     "secondary, other, unused; not \"%1\""},
    {IDS_COLUMN_UNIT_REFUSED,
     "--column takes a unit (mhz, khz or hz) after a frequency role only, as in frequency:khz=NAME; not \"%1\""},
    {IDS_COLUMN_TWO_UNITS, "--column gives the frequencies two units; they have one"},
    {IDS_COLUMN_NAMED_TWICE, "--column names the column \"%1\" twice"},
    {IDS_COLUMN_OPTION_HINT,
     "\nIts columns are %1; --column ROLE=NAME names what each holds, for example --column frequency=%2."},
    {IDS_BANDS_OWNER, "the %1's"},
    {IDS_BANDS_OWNER_UNNAMED, "the scanner's"},
    {IDS_CHANNELS_OUTSIDE_BANDS, "%1 bands (%2): %3."},
    {IDS_CHANNEL_OUTSIDE_BANDS, "Channel %1: %2 MHz is outside %3 bands (%4)."},
    {IDS_BANDS_NO_SOURCE, "No owner's manual or data sheet was found; %1 is taken."},
    {IDS_MEMORY_NOTHING_SENT, "nothing sent"},
    {IDS_MEMORY_UNKNOWN, "unknown: an upload stopped"},
    {IDS_MEMORY_EMPTY, "empty"},
    {IDS_MEMORY_CAR, ", car %1"},
    {IDS_MEMORY_DELAY, ", delay"},
    {IDS_MEMORY_LOCKED_OUT, ", locked out"},
    {IDS_MEMORY_PRIORITY, ", priority"},
    {IDS_NOTHING_SENT_TO_SCANNER, "Nothing sent to the %1 from this computer yet."},
    {IDS_NOTHING_SENT_TO_CHANNEL, "Nothing sent to channel %1 of the %2 from this computer yet."},
    {IDS_CHANNEL_UNKNOWN,
     "The upload of %1 stopped before channel %2 surely reached the %3: it holds the old channel or the new one."},
    {IDS_CHANNEL_EMPTIED,
     "The %1 still has %2, sent %3. An upload cannot clear it; Lock Them Out makes the scanner skip it."},
    {IDS_CHANNEL_CHANGED, "The %1 has %2, sent %3."},
    {IDS_NO_CHANNEL_UPDATED, "No channel was updated"},
    {IDS_CHECK_ON_DISPLAY, "Check on the scanner's display: %1."},
    {IDS_EMPTY_NOT_SENT, "Channels empty here are not sent: the scanner keeps what it held in them."},
    {IDS_RECORD_FOREIGN, "it is not a record of Scanlore's uploads"},
    {IDS_RECORD_LINE_NO_CHANNEL, "line %1 names no channel, or one named before"},
    {IDS_RECORD_UNREADABLE, "its channels cannot be read"},
    {IDS_RECORD_LINE_NO_TIME, "line %1 does not say when its channel was sent"},
    {IDS_NOTHING_TO_SEND, "Nothing to send: no channel has a frequency."},
    {IDS_NOTHING_CHANGED_SINCE, "Nothing changed since the upload of %1 to the %2."},
    {IDS_NO_DATA_FOLDER, "the system names no folder for the user's data"},
    {IDS_ARRANGE_SPANS_BANKS, "The selection spans more than one bank: select channels of one bank."},
    {IDS_ARRANGE_SELECT_INSERT, "Select the channels above which empty channels go."},
    {IDS_ARRANGE_LAST_HAS_FREQUENCY, "Channel %1 has a frequency: nothing was inserted."},
    {IDS_ARRANGE_LAST_NOT_EMPTY, "Channel %1 is not empty: nothing was inserted."},
    {IDS_ARRANGE_SELECT_REMOVE, "Select the channels to remove."},
    {IDS_ARRANGE_SELECT_MOVE, "Select the channels to move."},
    {IDS_ARRANGE_FIRST_UP, "The first channel cannot move up."},
    {IDS_ARRANGE_LAST_DOWN, "The last channel cannot move down."},
    {IDS_ARRANGE_SELECT_SORT, "Select the channels to sort."},
    {IDS_OFF_STEP_WARNING, "Channel %1: %2 MHz is not on a channel step: check for a typo."},
    {IDS_CHIRP_DROPS_FIELDS, "%1 is written in CHIRP's layout, which has no column for %2: the file leaves them out."},
    {IDS_IMPORT_NOTHING_ADDED, "Nothing was added."},
    {IDS_IMPORT_ADDED, "Added %1 to the empty channels from channel %2 on."},
    {IDS_IMPORT_NO_EMPTY_LEFT, "%1 did not fit: no empty channel was left."},
    {IDS_IMPORT_NO_EMPTY, "%1 did not fit: there is no empty channel from channel %2 on."},
    {IDS_CELL_NOT_FREQUENCY, "%1 is not a frequency in MHz; channel %2 keeps %3"},
    {IDS_CELL_NO_FREQUENCY, "no frequency"},
    {IDS_CELL_THIS_COLUMN, "this column"},
    {IDS_CELL_NOT_TRUTH_WORD, "%1 is not True or False; %2 of channel %3 keeps %4"},
    // Reading channel files and their columns.
    {IDS_TRANSFER_ACCESS_HINT,
     "On Linux, serial ports belong to the group \"dialout\": add your user to it "
     "(sudo usermod -aG dialout $USER), then log out and in again."},
    {IDS_TRANSFER_IN_USE_HINT, "%1 is in use by another program: close it and try again."},
    {IDS_UPLOAD_PROGRESS, "%1%2, %3 of %4 KB"},
    {IDS_STARTUP_ERROR, "Scanlore could not create its main window."},
    {IDS_UPLOAD_PROGRESS_MEMORY, " (memory %1)"},
    {IDS_UPLOAD_CANCEL, "Cancel"},
    {IDS_UPLOAD_CANCELLED, "Upload cancelled after channel %1 of %2."},
    {IDS_SELECTED_CHANNELS_SENT, "%1 of %2 selected channels were sent."},
    {IDS_UPLOAD_TITLE, "Uploading to Scanner"},
    {IDS_UPLOAD_DONE_TITLE, "Upload Complete"},
    {IDS_UPLOAD_CLOSE, "Close"},
    {IDS_UPLOAD_NOTHING_SENT, "Nothing was sent."},
    {IDS_FIRST_RUN_INTRO,
     "Scanlore talks to your scanner through a module. Choose yours, then Properties to set its "
     "model and the port its cable is on."},
    {IDS_RECENT_FILE_GONE,
     "The channel file \"%1\" no longer exists. It has been removed from the list of recent files."},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {ID_FILE_NEW, "Start a new, empty channel table\nNew"},
    {ID_FILE_OPEN, "Open a channel file\nOpen"},
    {ID_FILE_SAVE, "Save the channel table to its file\nSave"},
    {ID_TRANSFER_UPLOAD_SELECTED, "Send the selected channels to the scanner\nUpload Selected To Scanner"},
    {ID_TRANSFER_UPLOAD_ALL, "Send every channel to the scanner\nUpload All To Scanner"},
    {ID_TRANSFER_UPLOAD_CHANGED,
     "Send the channels that differ from what the scanner holds\nUpload Changed To Scanner"},
    {ID_VIEW_COMPARE_SCANNER, "List the channels that differ from what the scanner holds\nCompare with Scanner"},
    {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
    {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
    {ID_EDIT_FIND, "Find the specified text\nFind"},
    {ID_EDIT_FIND_NEXT, "Repeat the last search\nFind Next"},
    {ID_EDIT_FIND_PREVIOUS, "Repeat the last search backwards\nFind Previous"},
    {ID_EDIT_DELETE, "Clear the selected channels\nDelete"},
    {ID_VIEW_COLUMNS, "Choose the grid's columns and their order\nColumns"},
    {ID_EDIT_GOTO, "Select the channel with a given number\nGo To"},
    {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
    {ID_EDIT_UNDO, "Undo the last action\nUndo"},
    {ID_EDIT_REDO, "Redo the previously undone action\nRedo"},
    {ID_FILE_IMPORT, "Add the channels of a file to the empty channels of the table\nImport"},
    {ID_FILE_PAGE_SETUP, "Change the paper, orientation and margins for printing\nPage Setup"},
    {ID_FILE_PRINT, "Print the channel list\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Show the printed pages\nPrint Preview"},
    {ID_TOOLBAR_PRINT, "Print the channel list\nPrint"},
    {ID_HELP_TOPICS, "Show the Scanlore user guide\nHelp Topics"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
    {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    // Greyed while the current module only sends, as every module does now.
    {ID_TRANSFER_DOWNLOAD_ALL,
     "Read the channels back from the scanner; not available: the current module can only "
     "send to its scanner\nDownload All"},
    {ID_TRANSFER_SETTINGS, "Change the current module's settings\nSettings"},
    {ID_EDIT_INSERT_CHANNEL,
     "Insert as many empty channels as are selected above the selection; the bank's channels below move "
     "down\nInsert Empty Channel"},
    {ID_EDIT_REMOVE_CHANNEL,
     "Remove the selected channels and close the gap; empty channels fill the end of the bank\nRemove Channel"},
    {ID_EDIT_MOVE_UP, "Move the selected channels up one place\nMove Up"},
    {ID_EDIT_MOVE_DOWN, "Move the selected channels down one place\nMove Down"},
    {ID_EDIT_SORT, "Sort the channels by frequency, description or car number\nSort Channels"},
    {ID_EDIT_FOLLOW_CARS,
     "Choose the cars you follow: the other cars' channels are locked out, the followed cars' unlocked\nFollow Cars"},
    {ID_EDIT_LOCK_OUT, "Lock out the selected channels, which the scanner then skips\nLock Out"},
    {ID_EDIT_UNLOCK, "Unlock the selected channels\nUnlock"},
    {ID_FILE_PRINT_RACE_CARD,
     "Print a race card: one line per car with its driver and frequencies, then the other channels\nPrint Race Card"},
    // The document's status texts and the serial port's errors.
    {IDS_UNTITLED, "Untitled"},
    {IDS_SAVE_ELSEWHERE, "Use Save As to save the channels under another name or in another folder."},
    {IDS_OPEN_CANCELLED, "Open of %1 was cancelled. The channels are unchanged."},
    {IDS_OPENED, "Opened %1: %2"},
    {IDS_SAVED, "Saved %1: %2"},
    {IDS_EXPORTED_CHIRP, "Exported %1 in CHIRP's layout: %2"},
    {IDS_IMPORTED_NONE, "Imported no channels from %1"},
    {IDS_IMPORTED, "Imported %1 into %2"},
    {IDS_CHANGED_SINCE_OPENED, "%1 was changed by another program since you opened it."},
    {IDS_NOW_SAVED_AS_UTF8, "%1 was read as %2 and is now saved as UTF-8."},
    {IDS_STEP_RELOAD, "Reload of %1"},
    {IDS_STEP_IMPORT, "Import of %1"},
    {IDS_STEP_DELETE, "Delete of %1"},
    {IDS_STEP_CUT, "Cut of %1"},
    {IDS_STEP_PASTE, "Paste of %1"},
    {IDS_STEP_INSERT, "Insert of %1"},
    {IDS_STEP_REMOVE, "Remove of %1"},
    {IDS_STEP_MOVE, "Move of %1"},
    {IDS_STEP_SORT, "Sort of %1"},
    {IDS_STEP_COLUMN, "%1 of %2"},
    {IDS_DELETED, "Deleted %1"},
    {IDS_CUT, "Cut %1"},
    {IDS_MOVED, "Moved %1"},
    {IDS_MOVED_TO, "Moved %1 to %2"},
    {IDS_INSERTED, "Inserted %1"},
    {IDS_INSERTED_AT, "Inserted %1 at %2"},
    {IDS_REMOVED, "Removed %1; the channels below in the bank moved up"},
    {IDS_SORTED, "Sorted %1 by %2"},
    {IDS_SORTED_DESCENDING, "Sorted %1 by %2, highest first"},
    {IDS_SORTED_EACH_BANK, "each bank of %1"},
    {IDS_SORT_KEY_FREQUENCY, "frequency"},
    {IDS_SORT_KEY_DESCRIPTION, "description"},
    {IDS_SORT_KEY_CAR_NUMBER, "car number"},
    {IDS_FLAG_ON, "%1 on for %2"},
    {IDS_FLAG_OFF, "%1 off for %2"},
    {IDS_LOCKED_OUT, "Locked out %1"},
    {IDS_UNLOCKED, "Unlocked %1"},
    {IDS_PASTED, "Pasted %1 into %2."},
    {IDS_FOLLOWING_UNCHANGED, "Following %1 of %2: every lockout was as it should be."},
    {IDS_FOLLOWING, "Following %1 of %2: %3 locked out, %4 unlocked."},
    {IDS_UNDO_LABEL, "&Undo"},
    {IDS_UNDO_STEP_LABEL, "&Undo %1"},
    {IDS_REDO_LABEL, "&Redo"},
    {IDS_REDO_STEP_LABEL, "&Redo %1"},
    {IDS_UNDONE, "Undone: %1"},
    {IDS_REDONE, "Redone: %1"},
    {IDS_COMPARE_SAME, "Every channel is what the %1 holds, as sent %2."},
    {IDS_COMPARE_DIFFERENT, "%1. Last upload %2."},
    {IDS_COMPARE_DIFFERENT_PORT, "%1. Last upload %2 on %3."},
    {IDS_CHANGED_OUTSIDE_KEPT, "%1 was changed by another program. Save will ask before replacing it."},
    {IDS_CHANGED_OUTSIDE_RELOAD,
     "%1 was changed by another program. Reload it? Undo brings back the channels as they are now."},
    {IDS_SAVE_CHANGES, "Save changes to %1?"},
    {IDS_OPENING, "Opening %1..."},
    {IDS_PRINTED_RACE_CARD, "Printed the race card of %1 on %2."},
    {IDS_ROLE_NOT_USED, "Not Used"},
    {IDS_ROLE_CHANNEL, "Channel"},
    {IDS_ROLE_PRIMARY, "Primary"},
    {IDS_ROLE_SECONDARY, "Secondary"},
    {IDS_ROLE_OTHER, "Other"},
    {IDS_UNIT_AUTOMATIC, "Automatic"},
    {IDS_CHOOSE_COLUMNS_INTRO,
     "Scanlore cannot tell what the columns of %1 hold. Give each column you want read its role; the file is then "
     "read with them, and a file with the same header opens with them next time."},
    {IDS_CHOOSE_FREQUENCY_NOTE, "Give the column of frequencies the role Frequency (or Primary, for a race list)."},
    {IDS_CHOOSE_COLUMN, "Column"},
    {IDS_CHOOSE_ROLE, "Role"},
    {IDS_CHOOSE_VALUES, "First values"},
    {IDS_CHOOSE_TABLE_NAME, "Columns of the file"},
    {IDS_COMPARE_CHANNEL, "Channel"},
    {IDS_COMPARE_HERE, "Here"},
    {IDS_COMPARE_SCANNER, "Scanner"},
    {IDS_COMPARE_SENT, "Sent"},
    {IDS_COMPARE_TABLE_NAME, "Channels that differ"},
    {IDS_PRINT_BANK, "Bank %1: channels %2-%3"},
    {IDS_PRINT_DATE, "Printed: %1"},
    {IDS_PRINT_MODULE, "Module: %1"},
    {IDS_PRINT_MODEL, "Scanner model: %1"},
    {IDS_PRINT_PAGE, "Page %1 of %2"},
    {IDS_MARGINS_TOO_WIDE,
     "These margins leave %1 % of the page to print on. Make them smaller, so that they leave at least a quarter of "
     "the page."},
    {IDS_COMMAND_LINE_DESCRIPTION, "Edit a radio scanner's channel memory and upload it over a serial line."},
    {IDS_COMMAND_LINE_HELP, "Show this text and exit."},
    {IDS_COMMAND_LINE_VERSION, "Show the version and exit."},
    {IDS_COMMAND_LINE_FILE, "A channel file to open after start-up."},
    {IDS_COMMAND_LINE_ONE_FILE, "Only one file can be opened."},
    {IDS_PORT_NAME_REFUSED,
     "\"%1\" is not a serial port name; use a device path such as /dev/ttyUSB0, or COM1, COM2 and so on for "
     "/dev/ttyS0, /dev/ttyS1 and so on"},
    {IDS_PORT_NAME_REFUSED_WINDOWS,
     "\"%1\" is not a serial port name; use COM1, COM2 and so on, or a device path starting with \\\\.\\"},
    {IDS_PORT_IN_USE, "%1 is in use by another program"},
    {IDS_PORT_IN_USE_BECAUSE, "%1 is in use by another program (%2)"},
    {IDS_PORT_OPEN_FAILED, "%1 could not be opened: %2"},
    {IDS_PORT_NOT_SERIAL, "%1 is not a serial port: %2"},
    {IDS_PORT_LOCK_FAILED, "%1 could not be locked: %2"},
    {IDS_PORT_LINE_REFUSED, "%1 does not accept the line settings (%2 baud, 8 data bits, no parity, %3): %4"},
    {IDS_PORT_DTR_FAILED, "%1 could not drop DTR and RTS: %2"},
    {IDS_PORT_WRITE_FAILED, "%1 failed while writing: %2"},
    {IDS_PORT_HUNG_UP, "%1 hung up while writing"},
    {IDS_PORT_TOOK_NO_DATA, "%1 took no data for %2 ms; is the scanner connected and the line free?"},
    {IDS_PORT_DRAIN_FAILED, "%1 could not send its last bytes: %2"},
    {IDS_PORT_CLOSE_FAILED, "%1 could not be closed: %2"},
    {IDS_PORT_TIMEOUT_REFUSED, "%1 does not accept a write time-out: %2"},
    {IDS_SYSTEM_ERROR, "system error %1"},
    {IDS_MISSING_ADAPTER_WINDOWS,
     "On Windows, a cable whose driver failed to install does not appear as a port: Device Manager shows it with a "
     "warning sign. Help names the usual drivers."},
};

struct CountedForms
{
    vnCounted phrase;
    const char* one;
    const char* many;
};

constexpr CountedForms kCounted[] = {
    {vnCounted::Channels, "1 channel", "%1 channels"},
    {vnCounted::ChannelsUpper, "1 Channel", "%1 Channels"},
    {vnCounted::EmptyChannels, "1 empty channel", "%1 empty channels"},
    {vnCounted::Cars, "1 car", "%1 cars"},
    {vnCounted::CarsLockedOut, "1 car is locked out on every channel. Print it on the race card too?",
     "%1 cars are locked out on every channel. Print them on the race card too?"},
    {vnCounted::Pages, "1 page", "%1 pages"},
    {vnCounted::ChannelLines, "1 channel line", "%1 channel lines"},
    {vnCounted::Lines, "1 line", "%1 lines"},
    {vnCounted::LinesWere, "1 line was", "%1 lines were"},
    {vnCounted::TheLines, "the line", "%1 lines"},
    {vnCounted::OtherNames, "1 other", "%1 other"},
    {vnCounted::Columns, "%2 column", "%2 columns"},
    {vnCounted::TitleLines, "its title line", "%1 title lines"},
    {vnCounted::FrequenciesGiven, "a frequency", "%1 frequencies"},
    {vnCounted::TheFrequencies, "the frequency", "%1 frequencies"},
    // Reading channel files and their columns.
    {vnCounted::TitleLinesSkipped, "1 title line above the channels was skipped.",
     "%1 title lines above the channels were skipped."},
    {vnCounted::FrequenciesConverted, "1 frequency in %2 was converted to MHz.",
     "%1 frequencies in %2 were converted to MHz."},
    {vnCounted::LinesSkipped, "1 line was skipped: ", "%1 lines were skipped: "},
    {vnCounted::ChannelsOutside, "1 channel is outside ", "%1 channels are outside "},
    {vnCounted::LeftOut, "It is left out.", "They are left out."},
    {vnCounted::WithoutFrequency, "Channel %2 has no frequency and was not sent.",
     "Channels %2 have no frequency and were not sent."},
    {vnCounted::SentKind, "Sent 1 %2 channel", "Sent %1 %2 channels"},
    {vnCounted::Sent, "Sent 1 channel", "Sent %1 channels"},
    {vnCounted::SentBeforeFailure, "%2 of 1 channel was sent before the scanner stopped taking data.",
     "%2 of %1 channels were sent before the scanner stopped taking data."},
    {vnCounted::NoneSent, "The channel was not sent.", "None of the %1 channels was sent."},
    {vnCounted::Bytes, "1 byte", "%1 bytes"},
    {vnCounted::StopBits, "1 stop bit", "%1 stop bits"},
    {vnCounted::EmptiedSentLockedOut, "It is sent again with Lockout set.", "They are sent again with Lockout set."},
    {vnCounted::LockOutEmptiedHint, "--lock-out-emptied sends it again with Lockout set, so the scanner skips it.",
     "--lock-out-emptied sends them again with Lockout set, so the scanner skips them."},
    {vnCounted::ChannelsSentOf, "%2 of 1 channel sent", "%2 of %1 channels sent"},
    {vnCounted::PasteNotSendable, "%2", "%1 pasted channels need a look before an upload; the first: %2"},
    {vnCounted::PasteCellsRefused, "1 pasted cell was not a value of its column and kept what it had.",
     "%1 pasted cells were not values of their columns and kept what they had."},
    {vnCounted::PasteRowsLeftOut, "1 row beyond the last channel was not pasted.",
     "%1 rows beyond the last channel were not pasted."},
    {vnCounted::PasteCellsLeftOut, "1 cell beyond the last column was not pasted.",
     "%1 cells beyond the last column were not pasted."},
    {vnCounted::ChannelsDiffer, "1 channel differs from the %2", "%1 channels differ from the %2"},
    {vnCounted::ChannelsEmptiedHere,
     "1 channel is empty here, but the %2 still holds what was sent on %3: %4. A one-way upload cannot clear it.",
     "%1 channels are empty here, but the %2 still holds what was sent on %3: %4. A one-way upload cannot clear "
     "them."},
    {vnCounted::LockThemOut, "Lock Them Out sends it again with Lockout set, so the scanner skips it.",
     "Lock Them Out sends them again with Lockout set, so the scanner skips them."},
    {vnCounted::ChannelsUpdated, "Channel %2 was updated", "Channels %2 were updated"},
    {vnCounted::ChannelsStillHold, "channel %2 still holds what it held before.",
     "channels %2 still hold what they held before."},
    {vnCounted::NumbersStillHold, "%2 still holds what it held before.", "%2 still hold what they held before."},
    {vnCounted::ChannelsOffStep, "1 channel is not on a channel step: %2. Check it for a typo.",
     "%1 channels are not on a channel step: %2. Check them for a typo."},
    {vnCounted::FrequenciesOffStep, "1 frequency is not on a channel step (channel %2): check it for a typo.",
     "%1 frequencies are not on a channel step (channels %2): check them for a typo."},
    {vnCounted::SentAsTheyAre, "It is sent as it is.", "They are sent as they are."},
    {vnCounted::NegativeLeftOut,
     "Channel %2 has a negative frequency, which CHIRP cannot hold: the file leaves it out.",
     "Channels %2 have negative frequencies, which CHIRP cannot hold: the file leaves them out."},
    {vnCounted::NothingToSend, "Channel %2 has no frequency: there is nothing to send.",
     "None of the %1 channels has a frequency: there is nothing to send."},
    {vnCounted::Drivers, "1 driver", "%1 drivers"},
    {vnCounted::FrequenciesLeftOut, "1 frequency left out: it did not fit",
     "%1 frequencies left out: they did not fit"},
    {vnCounted::ColumnsNotKept, "The %2 column is not kept.", "The %1 %2 columns are not kept."},
    {vnCounted::MoreLines, "1 more line", "%1 more lines"},
    {vnCounted::LinesNotRead, "1 line beyond the channel list was not read.",
     "%1 lines beyond the channel list were not read."},
    // The document's status texts and the serial port's errors.
    {vnCounted::ChannelsNumbered, "channel %2", "channels %2"},
    {vnCounted::SelectedChannels, "the selected channel", "the %1 selected channels"},
    {vnCounted::PastedOverFrequencies, "Pasted %2 into %3 (1 had a frequency before: Undo restores it).",
     "Pasted %2 into %3 (%1 had a frequency before: Undo restores them)."},
    {vnCounted::AlreadyLockedOut, "Nothing to change: the channel was already locked out.",
     "Nothing to change: the channels were already locked out."},
    {vnCounted::AlreadyUnlocked, "Nothing to change: the channel was already unlocked.",
     "Nothing to change: the channels were already unlocked."},
    {vnCounted::CarsNotInTable, "No car %2 in the table.", "No cars %2 in the table."},
    {vnCounted::BytesNotSent, "%2 did not send 1 byte in time", "%2 did not send %1 bytes in time"},
};

} // namespace

namespace vnWords {

std::string_view Text(int id)
{
    for (const StringEntry& entry : kStrings)
        if (entry.id == id)
            return entry.text;
    return {};
}

std::string Count(vnCounted phrase, std::int64_t count, const std::vector<std::string>& arguments)
{
    std::vector<std::string> all{vnText::Decimal(count)};
    all.insert(all.end(), arguments.begin(), arguments.end());
    for (const CountedForms& forms : kCounted)
        if (forms.phrase == phrase)
            return Format(count == 1 ? forms.one : forms.many, all);
    return {};
}

std::string Say(int id, const std::vector<std::string>& arguments)
{
    return Format(Text(id), arguments);
}

std::string List(const std::vector<std::string>& items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

std::string Format(std::string_view pattern, const std::vector<std::string>& arguments)
{
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < arguments.size()) {
            text += arguments[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace vnWords
