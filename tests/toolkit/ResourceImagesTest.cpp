// The toolbar bitmap and the icon that the program draws itself.
#include "res/AppIcon.h"
#include "res/ResourceIds.h"
#include "res/ToolbarBitmap.h"
#include "res/ToolbarResource.h"

#include <QBuffer>
#include <QFile>
#include <QIcon>
#include <QImageReader>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

TEST(ToolbarBitmap, HoldsOneDistinctSixteenColourImagePerButton)
{
    const ToolbarResource* toolbar = FindToolbarResource(IDR_MAINFRAME);
    ASSERT_NE(toolbar, nullptr);
    const int buttons = static_cast<int>(
        std::count_if(toolbar->buttons.begin(), toolbar->buttons.end(), [](int id) { return id != 0; }));
    EXPECT_EQ(buttons, 5);

    const QImage bitmap = LoadToolbarBitmap(IDR_MAINFRAME);
    ASSERT_EQ(bitmap.size(), QSize(5 * 16, 15));
    EXPECT_EQ(bitmap.colorCount(), 16);
    std::set<QByteArray> images;
    for (int i = 0; i < 5; ++i) {
        const QImage image = bitmap.copy(i * 16, 0, 16, 15);
        int drawn = 0;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                drawn += image.pixelIndex(x, y) != kToolbarFaceColor;
        EXPECT_GT(drawn, 20) << "image " << i << " is nearly empty";
        images.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(images.size(), 5u);
    EXPECT_TRUE(LoadToolbarBitmap(4711).isNull());
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
