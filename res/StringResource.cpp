#include "res/StringResource.h"

#include "res/ResourceIds.h"

namespace {

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
    {IDS_PASTE_CELL_REFUSED, "1 pasted cell was not a value of its column and kept what it had."},
    {IDS_PASTE_CELLS_REFUSED, "%1 pasted cells were not values of their columns and kept what they had."},
    {IDS_PASTE_ROW_LEFT_OUT, "1 row beyond the last channel was not pasted."},
    {IDS_PASTE_ROWS_LEFT_OUT, "%1 rows beyond the last channel were not pasted."},
    {IDS_PASTE_CELL_LEFT_OUT, "1 cell beyond the last column was not pasted."},
    {IDS_PASTE_CELLS_LEFT_OUT, "%1 cells beyond the last column were not pasted."},
    {IDS_PASTE_NOT_SENDABLE, "%1 pasted channels need a look before an upload; the first: %2"},
    {IDS_CHANNEL_FILE_FILTER, "Delimited Text File (*.csv, *.txt)|*.csv;*.txt|All Files (*.*)|*.*||"},
    {IDS_SAVE_AS_FILTER,
     "Delimited Text File (*.csv, *.txt)|*.csv;*.txt|CHIRP CSV, export (*.csv)|*.csv|All Files (*.*)|*.*||"},
    {IDS_TRANSFER_ERROR, "A transfer error has occurred."},
    {IDS_TRANSFER_ACCESS_HINT,
     "On Linux, serial ports belong to the group \"dialout\": add your user to it "
     "(sudo usermod -aG dialout $USER), then log out and in again."},
    {IDS_UPLOAD_PROGRESS, "%1 of %2 channels sent%3, %4 of %5 KB"},
    {IDS_STARTUP_ERROR, "Scanlore could not create its main window."},
    {IDS_UPLOAD_PROGRESS_SELECTED, "%1 of %2 channels sent%3"},
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
};

} // namespace

std::string_view LoadStringResource(int id)
{
    for (const StringEntry& entry : kStrings)
        if (entry.id == id)
            return entry.text;
    return {};
}

QString LoadStringText(int id)
{
    const std::string_view text = LoadStringResource(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string_view LoadCommandPrompt(int command)
{
    const std::string_view text = LoadStringResource(command);
    return text.substr(0, text.find('\n'));
}

std::string_view LoadCommandTooltip(int command)
{
    const std::string_view text = LoadStringResource(command);
    const std::size_t newline = text.find('\n');
    return newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
}
