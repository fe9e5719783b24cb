// The About box: its texts, its icon and how it closes.
#include "DialogTestSupport.h"

#include "ScanloreVersion.h"
#include "app/CAboutDlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

QStringList Texts(const CDialog& d)
{
    QStringList texts;
    for (QWidget* w : d.Controls().Items())
        if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull())
            texts << label->text();
    return texts;
}

TEST(CAboutDlgTest, ShowsNameVersionNoticesAndDownloadAddress)
{
    CAboutDlg dialog;
    QString title;
    QStringList texts;
    QPixmap icon;
    CDialog::ModalHookScope hook([&](CDialog& d) {
        title = d.windowTitle();
        texts = Texts(d);
        for (QWidget* w : d.Controls().Items())
            if (auto* label = qobject_cast<QLabel*>(w); label && !label->pixmap().isNull())
                icon = label->pixmap();
        return IDCANCEL;
    });
    dialog.DoModal();

    EXPECT_EQ(title, "About Scanlore");
    ASSERT_EQ(texts.size(), 5);
    EXPECT_EQ(texts[0], "Scanlore Version " SCANLORE_VERSION " Alpha");
    EXPECT_FALSE(texts[1].isEmpty());
    EXPECT_TRUE(texts[2].contains("GNU GPL version 3 or later")) << texts[2].toStdString();
    EXPECT_EQ(texts[3], "Download the latest version of Scanlore from");
    EXPECT_TRUE(texts[4].startsWith("https://")) << texts[4].toStdString();
    // The application icon, at the icon size.
    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(icon.deviceIndependentSize(), QSizeF(32, 32));
}

TEST(CAboutDlgTest, ClosesWithOkEnterOrEscape)
{
    struct Case
    {
        const char* name;
        std::function<void(CDialog&)> close;
        int result;
    };
    const std::vector<Case> cases{
        {"OK button", [](CDialog& d) { d.GetDlgItemAs<QPushButton>(IDOK)->click(); }, IDOK},
        {"Enter", [](CDialog&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }, IDOK},
        {"Escape", [](CDialog&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        QWidget owner;
        owner.show();
        CAboutDlg dialog(&owner);
        CDialog::ModalHookScope hook([&](CDialog& d) {
            d.show();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            EXPECT_EQ(QApplication::focusWidget(), d.GetDlgItem(IDOK)) << c.name;
            c.close(d);
            EXPECT_FALSE(d.isVisible()) << c.name;
            return d.result();
        });
        EXPECT_EQ(dialog.DoModal(), c.result) << c.name;
        owner.close();
    }
}

} // namespace
