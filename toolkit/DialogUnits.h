#pragma once

#include <QFont>
#include <QRect>

// Dialog units: a dialog's layout is given in quarters of the dialog font's
// average character width (x) and eighths of its character height (y), so
// that a dialog grows with its font. The base units are measured as Windows
// measures them: the average width of the 52 letters A-Z, a-z, rounded, and
// the font's full height (ascent + descent).
class DialogUnits
{
public:
    DialogUnits(int baseX, int baseY);
    explicit DialogUnits(const QFont& font);

    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }

    int ToPixelsX(int dialogUnits) const;
    int ToPixelsY(int dialogUnits) const;
    // Position and size are converted each on their own, as a dialog
    // template's control is placed.
    QRect ToPixels(int x, int y, int cx, int cy) const;

    // The font that a template's face and point size stand for. The classic
    // shell dialog face ("MS Shell Dlg", "MS Shell Dlg 2") means the
    // platform's default user-interface font at the given size; any other
    // face is looked up by name.
    static QFont TemplateFont(const char* face, int pointSize);

private:
    int m_baseX;
    int m_baseY;
};
