#include "res/AcceleratorResource.h"

#include "res/ResourceIds.h"

namespace {

// The complete table. Every key a menu label names is bound here.
constexpr AcceleratorResource kMainFrameAccelerators[] = {
    {Qt::CTRL | Qt::Key_C, ID_EDIT_COPY},
    {Qt::CTRL | Qt::Key_Insert, ID_EDIT_COPY},
    {Qt::SHIFT | Qt::Key_Delete, ID_EDIT_CUT},
    {Qt::CTRL | Qt::Key_X, ID_EDIT_CUT},
    {QKeyCombination(Qt::Key_Delete), ID_EDIT_DELETE},
    {Qt::CTRL | Qt::Key_V, ID_EDIT_PASTE},
    {Qt::SHIFT | Qt::Key_Insert, ID_EDIT_PASTE},
    {Qt::ALT | Qt::Key_Backspace, ID_EDIT_UNDO},
    {Qt::CTRL | Qt::Key_Z, ID_EDIT_UNDO},
    {Qt::CTRL | Qt::Key_Y, ID_EDIT_REDO},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, ID_EDIT_REDO},
    {Qt::CTRL | Qt::Key_N, ID_FILE_NEW},
    {Qt::CTRL | Qt::Key_O, ID_FILE_OPEN},
    {Qt::CTRL | Qt::Key_P, ID_FILE_PRINT},
    {Qt::CTRL | Qt::Key_S, ID_FILE_SAVE},
    {Qt::CTRL | Qt::Key_A, ID_EDIT_SELECT_ALL},
    {Qt::CTRL | Qt::Key_F, ID_EDIT_FIND},
    {QKeyCombination(Qt::Key_F3), ID_EDIT_FIND_NEXT},
    {Qt::SHIFT | Qt::Key_F3, ID_EDIT_FIND_PREVIOUS},
    {Qt::CTRL | Qt::Key_G, ID_EDIT_GOTO},
    {QKeyCombination(Qt::Key_F6), ID_NEXT_PANE},
    {Qt::SHIFT | Qt::Key_F6, ID_PREV_PANE},
    {QKeyCombination(Qt::Key_F5), ID_TRANSFER_UPLOAD_SELECTED},
    {Qt::CTRL | Qt::Key_F5, ID_TRANSFER_UPLOAD_ALL},
    {Qt::SHIFT | Qt::Key_F5, ID_TRANSFER_UPLOAD_ALL},
    {QKeyCombination(Qt::Key_F1), ID_HELP_TOPICS},
};

// The grid's keys: they act while the grid or its editor has the focus, and
// not in the bank box or the help window.
constexpr AcceleratorResource kGridAccelerators[] = {
    {Qt::CTRL | Qt::Key_Plus, ID_EDIT_INSERT_CHANNEL},  {Qt::CTRL | Qt::Key_Equal, ID_EDIT_INSERT_CHANNEL},
    {Qt::CTRL | Qt::Key_Minus, ID_EDIT_REMOVE_CHANNEL}, {Qt::ALT | Qt::Key_Up, ID_EDIT_MOVE_UP},
    {Qt::ALT | Qt::Key_Down, ID_EDIT_MOVE_DOWN},        {Qt::CTRL | Qt::Key_L, ID_EDIT_LOCK_OUT},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_L, ID_EDIT_UNLOCK},
};

} // namespace

std::span<const AcceleratorResource> FindAcceleratorResource(int id)
{
    if (id == IDR_MAINFRAME)
        return kMainFrameAccelerators;
    if (id == IDR_GRID)
        return kGridAccelerators;
    return {};
}
