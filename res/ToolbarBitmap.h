#pragma once

#include <QImage>

// The toolbar bitmap with this id: the button images side by side in one
// row, 8-bit indexed with the standard 16-colour palette. Silver (index
// kToolbarFaceColor) is the button face: a toolbar shows it as transparent.
// A null image when there is no such bitmap.
QImage LoadToolbarBitmap(int id);

inline constexpr int kToolbarFaceColor = 7;
