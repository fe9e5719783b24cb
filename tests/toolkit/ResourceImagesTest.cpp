// The toolbar icons and the program icon that the program draws itself.
#include "res/AppIcon.h"
#include "res/ResourceIds.h"
#include "res/ToolbarIcons.h"
#include "res/ToolbarResource.h"

#include <QBuffer>
#include <QFile>
#include <QIcon>
#include <QImageReader>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

TEST(ToolbarIcons, EveryButtonHasItsOwnDrawingAtEachScale)
{
    const ToolbarResource* toolbar = FindToolbarResource(IDR_MAINFRAME);
    ASSERT_NE(toolbar, nullptr);
    std::set<QByteArray> images;
    int buttons = 0;
    for (const ToolbarButton& button : toolbar->buttons) {
        if (button.command == 0)
            continue;
        ++buttons;
        // Drawn for each scale, not an enlargement of the smallest.
        const QIcon icon = LoadToolbarIcon(ToolbarButton{button.command, nullptr});
        for (int size : {16, 32})
            EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << button.command;
        const QImage image = DrawToolbarIcon(button.command, 32);
        int drawn = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                drawn += qAlpha(image.pixel(x, y)) > 0;
        EXPECT_GT(drawn, 150) << button.command << " is nearly empty";
        images.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(buttons, 10);
    EXPECT_EQ(images.size(), 10u) << "two buttons look the same";
    EXPECT_TRUE(DrawToolbarIcon(4711, 16).isNull());
}

TEST(AppIcon, IsDrawnAtTheDesktopSizes)
{
    const QIcon icon = LoadAppIcon(IDR_MAINFRAME);
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 32, 48, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;

    // Not blank: the body covers the middle, the corners stay transparent.
    const QImage image = DrawAppIcon(64);
    EXPECT_EQ(qAlpha(image.pixel(32, 44)), 255);
    EXPECT_EQ(qAlpha(image.pixel(0, 63)), 0);
    EXPECT_TRUE(LoadAppIcon(4711).isNull());
}

// The images of an .ico file by their width, as Windows would pick them.
std::map<int, QImage> IcoImages(QByteArray ico)
{
    QBuffer buffer(&ico);
    QImageReader reader(&buffer, "ico");
    std::map<int, QImage> images;
    for (int i = 0; i < reader.imageCount(); ++i) {
        reader.jumpToImage(i);
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        images[image.width()] = image;
    }
    return images;
}

void ExpectTheDrawing(const std::map<int, QImage>& images)
{
    ASSERT_EQ(images.size(), kAppIconSizes.size());
    for (int size : kAppIconSizes) {
        ASSERT_TRUE(images.contains(size)) << size;
        EXPECT_EQ(images.at(size), DrawAppIcon(size).convertToFormat(QImage::Format_ARGB32)) << size;
    }
}

TEST(AppIcon, WindowsIconFileHoldsEverySizeOfTheDrawing)
{
    ExpectTheDrawing(IcoImages(AppIconIco()));
}

#ifdef SCANLORE_SOURCE_DIR
// The Windows build and its installer take the icon from the repository:
// it must be the drawing as it is now (scanlore-icon-export --ico remakes it).
TEST(AppIcon, RepositoryWindowsIconIsTheCurrentDrawing)
{
    QFile file(QStringLiteral(SCANLORE_SOURCE_DIR "/dist/windows/scanlore.ico"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    ExpectTheDrawing(IcoImages(file.readAll()));
}
#endif

} // namespace
