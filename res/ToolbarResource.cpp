#include "res/ToolbarResource.h"

#include "res/ResourceIds.h"

namespace {

constexpr int kMainFrameButtons[] = {
    ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0, ID_TOOLBAR_PRINT, 0, ID_HELP_TOPICS,
};

constexpr ToolbarResource kMainFrameToolbar{16, 15, kMainFrameButtons};

} // namespace

const ToolbarResource* FindToolbarResource(int id)
{
    return id == IDR_MAINFRAME ? &kMainFrameToolbar : nullptr;
}
