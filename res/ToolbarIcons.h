#pragma once

#include <QIcon>
#include <QImage>

#include <array>

struct ToolbarButton;

// The pixel sizes at which a 16-pixel toolbar icon is drawn: one for each
// common display scale from 100 % to 300 %, so no scale shows a blurred
// enlargement.
inline constexpr std::array kToolbarIconSizes{16, 20, 24, 32, 40, 48};

// A toolbar button's own drawing, size × size pixels, made from lines and
// shapes so that every size is sharp; a null image for a command that has
// none.
QImage DrawToolbarIcon(int command, int size);

// The button's icon: the desktop icon theme's icon of its name where the
// theme has one, else the program's drawing at every size of
// kToolbarIconSizes. A null icon when neither exists.
QIcon LoadToolbarIcon(const ToolbarButton& button);
