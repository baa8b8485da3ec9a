#include "mainwindow/explorerpane.h"
#include "mainwindow/twips.h"
#include "support/spinefixture.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>

namespace {

const char *const LayoutKeys[]
    = {"ToolBar",   "StatusBar", "TreeView", "TreeViewWidth", "ImageViewHeight",
       "MainState", "MainLeft",  "MainTop",  "MainWidth",     "MainHeight"};

class FrameLayoutTest : public SpineTest
{
protected:
    void SetUp() override
    {
        SpineTest::SetUp();
        for (const char *key : LayoutKeys)
            SettingsStore::remove(QStringLiteral("Settings"), QLatin1String(key));
        reopen();
    }

    // A new frame reading the store, as at the next start (not shown yet).
    void reopen()
    {
        frame.reset();
        frame = std::make_unique<frmMain>();
    }

    static QString stored(const char *key)
    {
        return SettingsStore::get(QStringLiteral("Settings"), QLatin1String(key));
    }

    static void store(const char *key, const QString &value)
    {
        SettingsStore::set(QStringLiteral("Settings"), QLatin1String(key), value);
    }

    int twipsX(int pixels) const { return pixelsToTwips(pixels, frame->logicalDpiX()); }
    int twipsY(int pixels) const { return pixelsToTwips(pixels, frame->logicalDpiY()); }

    // Mouse events straight to the pane, in pixels.
    void mouse(QEvent::Type type, int x, int y, Qt::MouseButtons buttons = Qt::NoButton)
    {
        const QPointF at(x, y);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, frame->picTree->mapToGlobal(at), button, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(frame->picTree, &event);
    }

    void showAt(int width, int height)
    {
        frame->resize(width, height);
        frame->show();
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(FrameLayoutTest, FirstRunDefaults)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int dpiX = qRound(screen->logicalDotsPerInchX());
    const int dpiY = qRound(screen->logicalDotsPerInchY());
    const int screenW = pixelsToTwips(screen->geometry().width(), dpiX);
    const int screenH = pixelsToTwips(screen->geometry().height(), dpiY);

    EXPECT_TRUE(frame->toolBarShown());
    EXPECT_TRUE(frame->statusBarShown());
    EXPECT_TRUE(frame->treeViewShown());
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_EQ(frame->picTree->widthTwips(), PaneLayout::DesignWidth);
    EXPECT_EQ(frame->picTree->previewHeightTwips(), screenH * 6 / 8 / 5);
    EXPECT_EQ(frame->pos(),
              QPoint(twipsToPixels(screenW / 8, dpiX), twipsToPixels(screenH / 8, dpiY)));
    EXPECT_EQ(frame->size(),
              QSize(twipsToPixels(screenW * 6 / 8, dpiX), twipsToPixels(screenH * 6 / 8, dpiY)));
    for (const char *key : LayoutKeys)
        EXPECT_TRUE(stored(key).isEmpty()) << key << ": nothing is written while reading";
}

TEST_F(FrameLayoutTest, NormalFrameStoresItsLayout)
{
    frame->move(40, 30);
    frame->resize(640, 480);
    frame->setToolBarShown(false);
    SaveSettings();
    EXPECT_EQ(stored("ToolBar"), QStringLiteral("False"));
    EXPECT_EQ(stored("StatusBar"), QStringLiteral("True"));
    EXPECT_EQ(stored("MainState"), QStringLiteral("0"));
    EXPECT_EQ(stored("MainLeft").toInt(), twipsX(40));
    EXPECT_EQ(stored("MainTop").toInt(), twipsY(30));
    EXPECT_EQ(stored("MainWidth").toInt(), twipsX(640));
    EXPECT_EQ(stored("MainHeight").toInt(), twipsY(480));
    EXPECT_EQ(stored("TreeViewWidth").toInt(), PaneLayout::DesignWidth);

    reopen();
    EXPECT_FALSE(frame->toolBarShown());
    EXPECT_EQ(frame->pos(), QPoint(40, 30));
    EXPECT_EQ(frame->size(), QSize(640, 480));
}

TEST_F(FrameLayoutTest, MaximisedFrameReopensMaximisedWithTheLastNormalGeometry)
{
    frame->move(40, 30);
    frame->resize(640, 480);
    SaveSettings();
    frame->setWindowState(Qt::WindowMaximized);
    SaveSettings();
    EXPECT_EQ(stored("MainState"), QStringLiteral("2"));
    EXPECT_EQ(stored("MainLeft").toInt(), twipsX(40));
    EXPECT_EQ(stored("MainWidth").toInt(), twipsX(640));

    reopen();
    EXPECT_TRUE(frame->isMaximized());
    // The normal geometry is the stored one, for when the frame is restored.
    EXPECT_EQ(frame->pos(), QPoint(40, 30));
    EXPECT_EQ(frame->size(), QSize(640, 480));
}

TEST_F(FrameLayoutTest, MinimisedFrameLeavesStateAndPositionAlone)
{
    store("MainState", QStringLiteral("2"));
    store("MainLeft", QStringLiteral("1500"));
    store("MainWidth", QStringLiteral("9000"));
    reopen();
    frame->setWindowState(Qt::WindowMinimized);
    SaveSettings();
    EXPECT_EQ(stored("MainState"), QStringLiteral("2"));
    EXPECT_EQ(stored("MainLeft"), QStringLiteral("1500"));
    EXPECT_EQ(stored("MainWidth"), QStringLiteral("9000"));
}

TEST_F(FrameLayoutTest, StoredStateIsAppliedButNeverMinimised)
{
    const struct
    {
        const char *stored;
        bool maximised;
        bool positioned;
    } cases[] = {
        {"0", false, true}, {"1", false, true}, {"2", true, true},
        {"5", false, true}, {"x", false, true},
    };
    store("MainLeft", QString::number(twipsX(25)));
    for (const auto &c : cases) {
        store("MainState", QLatin1String(c.stored));
        reopen();
        EXPECT_FALSE(frame->isMinimized()) << c.stored;
        EXPECT_EQ(frame->isMaximized(), c.maximised) << c.stored;
        EXPECT_EQ(frame->pos().x(), 25) << c.stored;
    }
}

TEST_F(FrameLayoutTest, HiddenPaneStaysHiddenNextStart)
{
    ScriptedInteraction ui;
    frame->action(QStringLiteral("mnuViewTreeVew"))->trigger();
    ui.expectMessage(QStringLiteral("終了しますか？"), Interaction::Answer::Yes);
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(stored("TreeView"), QStringLiteral("False"));

    reopen();
    EXPECT_FALSE(frame->treeViewShown());
    frame->menu(QStringLiteral("mnuView"))->aboutToShow();
    EXPECT_FALSE(frame->action(QStringLiteral("mnuViewTreeVew"))->isChecked());
}

TEST_F(FrameLayoutTest, PointerShapeFollowsTheMouseOverThePane)
{
    showAt(800, 600);
    ExplorerPane *pane = frame->picTree;
    const PaneLayout &g = pane->geometryTwips();
    const int edge = pane->width() - 1;
    const int gap = g.preview.top * pane->logicalDpiY() / TwipsPerInch; // just above the preview

    const struct
    {
        int x;
        int y;
        int shape;
        Qt::CursorShape cursor;
    } cases[] = {
        {edge, 100, 9, Qt::SizeHorCursor},
        {edge / 2, gap, 7, Qt::SizeVerCursor},
        {edge / 2, 10, 0, Qt::ArrowCursor},
    };
    for (const auto &c : cases) {
        mouse(QEvent::MouseMove, c.x, c.y);
        EXPECT_EQ(pane->pointerShape(), c.shape) << c.x << "," << c.y;
        EXPECT_EQ(pane->cursor().shape(), c.cursor) << c.x << "," << c.y;
        EXPECT_EQ(frame->flgMouse, 0);
    }

    // Moving onto the tree ends the splitter pointer.
    mouse(QEvent::MouseMove, edge, 100);
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(pane->trvTV, &enter);
    EXPECT_EQ(pane->pointerShape(), 0);
}

TEST_F(FrameLayoutTest, DraggingThePaneEdgeSetsTheWidths)
{
    showAt(800, 600);
    ExplorerPane *pane = frame->picTree;
    const int dpi = pane->logicalDpiX();
    const int edge = pane->width() - 1;
    mouse(QEvent::MouseMove, edge, 100);
    mouse(QEvent::MouseButtonPress, edge, 100, Qt::LeftButton);
    EXPECT_EQ(frame->flgMouse, 9);

    const int x = twipsToPixels(3000, dpi);
    mouse(QEvent::MouseMove, x, 100, Qt::LeftButton);
    EXPECT_EQ(pane->widthTwips(), pixelsToTwips(x, dpi));
    EXPECT_EQ(pane->width(), x);
    EXPECT_EQ(pane->TabStrip1->width(), twipsToPixels(pixelsToTwips(x, dpi) - 100, dpi));
    EXPECT_EQ(pane->trvTV->width(), twipsToPixels(pixelsToTwips(x, dpi) - 220, dpi));
    EXPECT_EQ(frame->mdiArea->geometry().left(), x);

    // Far to the left the pane keeps a usable width.
    mouse(QEvent::MouseMove, -300, 100, Qt::LeftButton);
    EXPECT_EQ(pane->widthTwips(), PaneLayout::MinWidth);
    EXPECT_GT(pane->trvTV->width(), 0);

    mouse(QEvent::MouseButtonRelease, 50, 100);
    EXPECT_EQ(frame->flgMouse, 0);
    EXPECT_EQ(pane->pointerShape(), 0);
    SaveSettings();
    EXPECT_EQ(stored("TreeViewWidth").toInt(), PaneLayout::MinWidth);
}

TEST_F(FrameLayoutTest, DraggingAbovePreviewSetsItsHeight)
{
    showAt(800, 600);
    ExplorerPane *pane = frame->picTree;
    const int dpi = pane->logicalDpiY();
    const PaneLayout &g = pane->geometryTwips();
    const int top = g.preview.top;
    const int height = g.preview.height;
    const int y = top * dpi / TwipsPerInch;
    mouse(QEvent::MouseMove, 20, y);
    mouse(QEvent::MouseButtonPress, 20, y, Qt::LeftButton);
    EXPECT_EQ(frame->flgMouse, 7);

    mouse(QEvent::MouseMove, 20, y - 40, Qt::LeftButton);
    const int expected = height + top - pixelsToTwips(y - 40, dpi);
    EXPECT_EQ(pane->previewHeightTwips(), expected);
    EXPECT_EQ(g.preview.top, g.height - expected - g.imageName.height);
    EXPECT_EQ(pane->picHyouji->height(), twipsToPixels(expected, dpi));

    // Up past the tab strip: the tree keeps a height of zero or more.
    mouse(QEvent::MouseMove, 20, -500, Qt::LeftButton);
    EXPECT_GE(g.page.height, 0);
    EXPECT_GE(pane->picTR1->height(), 0);
    mouse(QEvent::MouseButtonRelease, 20, 0);
    EXPECT_EQ(frame->flgMouse, 0);

    SaveSettings();
    EXPECT_EQ(stored("ImageViewHeight").toInt(), pane->previewHeightTwips());
    reopen();
    EXPECT_EQ(frame->picTree->previewHeightTwips(), stored("ImageViewHeight").toInt());
}

TEST_F(FrameLayoutTest, PaneHoldsItsNamedControls)
{
    ExplorerPane *pane = frame->picTree;
    EXPECT_EQ(pane->objectName(), QStringLiteral("picTree"));
    EXPECT_EQ(pane->TabStrip1->count(), 1);
    EXPECT_EQ(pane->TabStrip1->tabText(0), QStringLiteral("ﾌｧｲﾙ"));
    EXPECT_EQ(pane->TabStrip1->tabToolTip(0), QStringLiteral("ドライブ全体を表示します。"));
    EXPECT_EQ(pane->trvTV->editTriggers(), QAbstractItemView::NoEditTriggers);
    for (const char *name : {"picTR1", "trvTV", "picHyouji", "picImgRef", "lblImageName", "picWork",
                             "picDummy", "Drive1", "lstFile", "lstDir"})
        EXPECT_TRUE(pane->findChild<QWidget *>(QLatin1String(name))) << name;
    for (const char *hidden : {"picWork", "picDummy", "Drive1", "lstFile", "lstDir"})
        EXPECT_TRUE(pane->findChild<QWidget *>(QLatin1String(hidden))->isHidden()) << hidden;
}
