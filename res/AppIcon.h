#pragma once

#include <QIcon>
#include <QImage>

#include <array>

// The sizes at which the icon is drawn, for the window and the desktop's
// icon theme alike.
inline constexpr std::array kAppIconSizes{16, 24, 32, 48, 64, 128, 256};

// The application icon with this id (a hand-held scanner with its antenna
// sending), drawn at the usual desktop sizes from 16 to 256 pixels. A null
// icon when there is no such icon.
QIcon LoadAppIcon(int id);

// One size of the drawing, for tests and for exporting the icon.
QImage DrawAppIcon(int size);
