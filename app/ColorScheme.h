#pragma once

class QApplication;

// Takes a light or dark look from the environment variable
// SCANLORE_COLOR_SCHEME ("light" or "dark") on desktops whose theme Qt
// cannot read: the Fusion style with its own palette, or with a dark one.
// Without the variable the desktop's own style and palette stay.
void ApplyColorSchemeFromEnvironment(QApplication& application);
