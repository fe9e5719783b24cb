#include "res/ToolbarResource.h"

#include "res/ResourceIds.h"

namespace {

constexpr ToolbarButton kSeparator{0, nullptr};

constexpr ToolbarButton kMainFrameButtons[] = {
    {ID_FILE_NEW, "document-new"},
    {ID_FILE_OPEN, "document-open"},
    {ID_FILE_SAVE, "document-save"},
    kSeparator,
    {ID_EDIT_CUT, "edit-cut"},
    {ID_EDIT_COPY, "edit-copy"},
    {ID_EDIT_PASTE, "edit-paste"},
    kSeparator,
    // The naming scheme has no upload to a device: always the drawn icons.
    {ID_TRANSFER_UPLOAD_SELECTED, nullptr},
    {ID_TRANSFER_UPLOAD_ALL, nullptr},
    kSeparator,
    {ID_TOOLBAR_PRINT, "document-print"},
    kSeparator,
    {ID_HELP_TOPICS, "help-contents"},
};

constexpr ToolbarResource kMainFrameToolbar{16, kMainFrameButtons};

} // namespace

const ToolbarResource* FindToolbarResource(int id)
{
    return id == IDR_MAINFRAME ? &kMainFrameToolbar : nullptr;
}
