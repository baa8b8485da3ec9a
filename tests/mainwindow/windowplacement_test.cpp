#include "mainwindow/windowplacement.h"

#include "support/qstringprinter.h"
#include "support/spinefixture.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

TEST(WindowPlacement, AFrameOffEveryScreenComesBack)
{
    const QList<QRect> screens = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
    const QRect fallback(160, 128, 960, 768);
    const struct
    {
        const char *what;
        QRect stored;
        QRect expected;
    } cases[] = {
        {"on the first screen", QRect(100, 100, 800, 600), QRect(100, 100, 800, 600)},
        {"on the second screen", QRect(1500, 50, 800, 600), QRect(1500, 50, 800, 600)},
        {"on a monitor now unplugged", QRect(3500, 100, 800, 600), fallback},
        {"far above", QRect(100, -5000, 800, 600), fallback},
        {"garbage", QRect(-2000000, -2000000, 800, 600), fallback},
        {"no size", QRect(100, 100, 0, 0), fallback},
        {"taller than the screen", QRect(0, 0, 800, 5000), QRect(0, 0, 800, 1024)},
        {"title strip barely below the top edge", QRect(100, 1020, 800, 600), fallback},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(reachableFrameRect(c.stored, screens, fallback), c.expected);
    }
}

TEST(WindowPlacement, DocumentWindowsStepAndWrapInsideTheArea)
{
    const QSize area(800, 600);
    const QSize size = documentWindowSize(area);
    EXPECT_EQ(size, QSize(600, 450));
    const QList<QRect> rects = cascadeRects(area, size, 12, 30);
    ASSERT_EQ(rects.size(), 12);
    EXPECT_EQ(rects[0].topLeft(), QPoint(0, 0));
    EXPECT_EQ(rects[1].topLeft(), QPoint(30, 30));
    for (int i = 0; i < rects.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(QRect(QPoint(0, 0), area).contains(rects[i]));
        EXPECT_EQ(rects[i].size(), size);
    }
    // (600 - 450) / 30 = 5 steps fit; the sixth window starts at the corner again.
    EXPECT_EQ(rects[5].topLeft(), QPoint(150, 150));
    EXPECT_EQ(rects[6].topLeft(), QPoint(0, 0));
}

using FramePlacementTest = SpineTest;

TEST_F(FramePlacementTest, DocumentWindowsOpenFullyVisibleAndCascadeKeepsTheirSize)
{
    frame->resize(1000, 800);
    QCoreApplication::processEvents();
    const QRect area = frame->mdiArea->viewport()->rect();
    ScriptedInteraction ui;
    QList<frmDocument *> docs;
    for (int i = 0; i < 12; ++i)
        docs << newDocument(ui);
    for (int i = 0; i < docs.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(docs[i]);
        EXPECT_TRUE(area.contains(docs[i]->geometry()));
        if (i > 0) {
            EXPECT_NE(docs[i]->pos(), docs[i - 1]->pos());
        }
    }
    docs[0]->run(QStringLiteral("mnuWindowCascade_Click"));
    for (frmDocument *doc : docs) {
        EXPECT_EQ(doc->size(), QSize(area.width() * 3 / 4, area.height() * 3 / 4));
        EXPECT_TRUE(area.contains(doc->geometry()));
    }
}

TEST_F(FramePlacementTest, AStoredFramePositionOffEveryScreenIsNotKept)
{
    frame.reset();
    SettingsStore::set(QStringLiteral("Settings"), QStringLiteral("MainState"),
                       QStringLiteral("0"));
    SettingsStore::set(QStringLiteral("Settings"), QStringLiteral("MainLeft"),
                       QStringLiteral("-30000000"));
    SettingsStore::set(QStringLiteral("Settings"), QStringLiteral("MainTop"),
                       QStringLiteral("90000000"));
    frame = std::make_unique<frmMain>();
    frame->show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(frame->geometry()));
    SaveSettings();
    EXPECT_NE(SettingsStore::get(QStringLiteral("Settings"), QStringLiteral("MainLeft")),
              QStringLiteral("-30000000"));
    EXPECT_NE(SettingsStore::get(QStringLiteral("Settings"), QStringLiteral("MainTop")),
              QStringLiteral("90000000"));
}
