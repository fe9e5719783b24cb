// Writes the application icon into a hicolor icon theme folder, one PNG per
// size, for installing with the program. Run by the build; the window icon
// and these files come from the same drawing.
//
//   scanlore-icon-export <theme folder> <icon name>
//
// writes <theme folder>/<size>x<size>/apps/<icon name>.png, and
//
//   scanlore-icon-export --ico <file>
//
// the Windows icon file (dist/windows/scanlore.ico is made so).
#include "res/AppIcon.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("Usage: scanlore-icon-export THEME-FOLDER ICON-NAME\n"
                   "       scanlore-icon-export --ico FILE\n",
                   stderr);
        return 2;
    }
    if (QByteArray(argv[1]) == "--ico") {
        QFile file(QString::fromLocal8Bit(argv[2]));
        const QByteArray ico = AppIconIco();
        if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size() || !file.flush()) {
            std::fprintf(stderr, "scanlore-icon-export: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
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
