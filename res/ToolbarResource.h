#pragma once

#include <span>

// A toolbar as data: the size of one button image and the buttons in order,
// 0 standing for a separator. The n-th button that is not a separator shows
// the n-th image of the toolbar bitmap with the same id.
struct ToolbarResource
{
    int imageWidth;
    int imageHeight;
    std::span<const int> buttons;
};

// The toolbar with this id, or null when there is none.
const ToolbarResource* FindToolbarResource(int id);
