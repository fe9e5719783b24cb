// Writes the application icon into a hicolor icon theme folder, one PNG per
// size, for installing with the program. Run by the build; the window icon
// and these files come from the same drawing.
//
//   scanlore-icon-export <theme folder> <icon name>
//
// writes <theme folder>/<size>x<size>/apps/<icon name>.png.
#include "res/AppIcon.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("Usage: scanlore-icon-export THEME-FOLDER ICON-NAME\n", stderr);
        return 2;
    }
    const QString theme = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int size : kAppIconSizes) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(theme).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
        if (!QDir().mkpath(folder) || !DrawAppIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "scanlore-icon-export: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
