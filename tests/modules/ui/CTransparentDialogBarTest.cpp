// The bank bar: its controls, and that it paints no background of its own.
#include "app/CTransparentDialogBar.h"

#include "res/ResourceIds.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Stands in for a rebar band that paints a gradient of its own.
class GradientBand : public QWidget
{
public:
    GradientBand()
    {
        resize(600, 60);
        // A palette colour far from the gradient, which a bar filling its
        // background would show.
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::green);
        setPalette(p);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, width(), height());
        gradient.setColorAt(0, Qt::red);
        gradient.setColorAt(1, Qt::blue);
        painter.fillRect(rect(), gradient);
    }
};

// Compares the band painted with the bar against the band painted alone, at
// every pixel of the bar that none of its controls covers.
int DifferingBackgroundPixels(GradientBand& band, CTransparentDialogBar& bar)
{
    bar.hide();
    const QImage alone = band.grab().toImage();
    bar.show();
    const QImage with = band.grab().toImage();
    const qreal ratio = with.devicePixelRatio();

    int differing = 0;
    for (int y = 0; y < bar.height(); ++y) {
        for (int x = 0; x < bar.width(); ++x) {
            const QPoint local(x, y);
            if (bar.childAt(local))
                continue;
            const QPoint at = bar.mapTo(&band, local) * ratio;
            if (alone.pixel(at) != with.pixel(at))
                ++differing;
        }
    }
    return differing;
}

TEST(CTransparentDialogBarTest, HoldsBankLabelAndItsList)
{
    CTransparentDialogBar bar;
    auto* label = qobject_cast<QLabel*>(bar.Controls().Items().at(1));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Bank:");
    EXPECT_TRUE(label->alignment() & Qt::AlignRight);
    auto* combo = bar.GetDlgItemAs<QComboBox>(IDC_BANK_COMBO);
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(bar.size(), QSize(bar.Units().ToPixelsX(128), bar.Units().ToPixelsY(16)));
    EXPECT_LE(combo->geometry().bottom(), bar.height());
}

TEST(CTransparentDialogBarTest, BandBackgroundShowsThroughAlsoAfterTheBarMoves)
{
    GradientBand band;
    CTransparentDialogBar bar(&band);
    bar.move(10, 4);
    band.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&band));

    EXPECT_EQ(DifferingBackgroundPixels(band, bar), 0);
    bar.move(200, 20);
    QCoreApplication::processEvents();
    EXPECT_EQ(DifferingBackgroundPixels(band, bar), 0);
    band.close();
}

} // namespace
