#pragma once

#include <QIcon>
#include <QImage>

// The application icon with this id (a hand-held scanner with its antenna
// sending), drawn at the usual desktop sizes from 16 to 256 pixels. A null
// icon when there is no such icon.
QIcon LoadAppIcon(int id);

// One size of the drawing, for tests and for exporting the icon.
QImage DrawAppIcon(int size);
