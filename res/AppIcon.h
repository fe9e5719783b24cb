#pragma once

#include <QByteArray>
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

// The icon as a Windows .ico file with every size of kAppIconSizes: 32-bit
// bitmaps with their transparency mask, and 256 pixels as PNG, as Windows
// stores large icons. The Windows programs and their installer carry it.
QByteArray AppIconIco();
