#pragma once

#include <span>

// One toolbar button: its command and the name of its icon in the
// freedesktop icon naming scheme, null for one that only the program
// draws. A command of 0 stands for a separator.
struct ToolbarButton
{
    int command;
    const char* iconName;
};

// A toolbar as data: the size of a button image in device-independent
// pixels and the buttons in order.
struct ToolbarResource
{
    int imageSize;
    std::span<const ToolbarButton> buttons;
};

// The toolbar with this id, or null when there is none.
const ToolbarResource* FindToolbarResource(int id);
