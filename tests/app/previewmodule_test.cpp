#include "app/previewplugin.h"
#include "core/browserwindow.h"
#include "core/htmlview.h"
#include "core/livepreview.h"
#include "mainwindow/livepreviewpane.h"
#include "mainwindow/previewcommands.h"
#include "support/programrun.h"
#include "support/qstringprinter.h"
#include "support/spinefixture.h"

#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Puts back the makers that were installed before the test.
class KeptMakers
{
public:
    KeptMakers()
        : m_browser(BrowserWindow::installMaker({})), m_html(HtmlView::installMaker({})),
          m_live(LivePreviewView::installMaker({}))
    {}
    ~KeptMakers()
    {
        BrowserWindow::installMaker(m_browser);
        HtmlView::installMaker(m_html);
        LivePreviewView::installMaker(m_live);
    }

private:
    BrowserWindow::Maker m_browser;
    HtmlView::Maker m_html;
    LivePreviewView::Maker m_live;
};

class BrokenPreviewModule : public SpineTest
{
protected:
    KeptMakers kept;
};

const QString CannotShow = QStringLiteral("ﾌﾟﾚﾋﾞｭｰを表示できません。");

} // namespace

// A broken installation (the module missing, or a file in its place that is no module) costs
// the user a message when a preview is asked for, and nothing else: no crash, no empty window.
TEST_F(BrokenPreviewModule, ShowingAPreviewSaysSoAndShowsNothing)
{
    const QString notAModule = path(QStringLiteral("orvine-preview.so"));
    writeBytes(notAModule, "<HTML>not a library</HTML>");
    const struct
    {
        const char *what;
        QString moduleFile;
        QString reason; // part of the message
    } cases[] = {
        {"missing", path(QStringLiteral("nowhere/orvine-preview.so")),
         QStringLiteral("orvine-preview.so が見つかりません。")},
        {"no file named", QString(), QStringLiteral("orvine-preview.so が見つかりません。")},
        {"not a module", notAModule, notAModule},
    };
    const QString page = path(QStringLiteral("page.htm"));
    writeBytes(page, "<HTML><BODY>a</BODY></HTML>");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        installPreviewOnDemand(c.moduleFile);
        ScriptedInteraction ui;
        ui.expectMessage(CannotShow).expectMessage(CannotShow).expectMessage(CannotShow);

        // The built-in browser, as the preview command shows it.
        EXPECT_EQ(showInBuiltInBrowser(*frame, page), nullptr);
        EXPECT_EQ(builtInBrowserWindow(), nullptr);
        EXPECT_TRUE(frame->mdiArea->subWindowList().isEmpty());

        // The live preview pane opens without a view, and the program goes on.
        setLivePreviewShown(*frame, true);
        EXPECT_TRUE(livePreviewShown(*frame));
        setLivePreviewShown(*frame, false);
        delete livePreviewPane(*frame);

        // Asked again, it tries again and says so again.
        EXPECT_EQ(BrowserWindow::make(page), nullptr);

        // The gradation preview falls back to the rich-text view without a word.
        std::unique_ptr<HtmlView> view(HtmlView::make(nullptr));
        ASSERT_NE(view, nullptr);
        EXPECT_NE(dynamic_cast<TextHtmlView *>(view.get()), nullptr);
        view->setHtml(QStringLiteral("<B>x</B>"));

        ASSERT_EQ(ui.log().size(), 3);
        for (const auto &prompt : ui.log()) {
            EXPECT_EQ(prompt.message.icon, Interaction::Icon::Warning);
            EXPECT_TRUE(prompt.message.text.contains(c.reason))
                << prompt.message.text.toStdString();
        }
    }
}

TEST(PreviewModuleFile, IsFoundBesideTheProgramOrInTheInstalledLibraryFolder)
{
    QTemporaryDir root;
    const auto make = [&root](const QString &relative) { makeEmptyFile(root.path(), relative); };
    QDir().mkpath(root.filePath(QStringLiteral("bare/bin")));
    make(QStringLiteral("build/orvine-preview.so"));
    make(QStringLiteral("usr/bin/orvine"));
    make(QStringLiteral("usr/lib/orvine/orvine-preview.so"));
    QDir().mkpath(root.filePath(QStringLiteral("dir/bin/orvine-preview.so"))); // a folder
    const struct
    {
        const char *programFolder;
        const char *module; // relative to root; empty: none
    } cases[] = {
        {"build", "build/orvine-preview.so"},
        {"usr/bin", "usr/lib/orvine/orvine-preview.so"},
        {"bare/bin", ""},
        {"dir/bin", ""},
    };
    for (const auto &c : cases) {
        const QString expected = *c.module ? root.filePath(QString::fromUtf8(c.module)) : QString();
        EXPECT_EQ(previewModuleFor(root.filePath(QString::fromUtf8(c.programFolder))), expected)
            << c.programFolder;
    }
}

#ifdef ORVINE_PROGRAM

// The program loads the web engine's module only for its first preview, from beside itself,
// and the module's windows show the saved page.
TEST(BuiltProgram, LoadsItsPreviewModuleAndShowsASavedPage)
{
    QTemporaryDir folder;
    const QString page = folder.filePath(QStringLiteral("ページ.htm"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<HTML><BODY><H1>preview</H1></BODY></HTML>\r\n");
    file.close();
    const QString output = previewRunOutput(QStringLiteral(ORVINE_PROGRAM), page);
    EXPECT_TRUE(output.contains(QStringLiteral("orvine: frame painted"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("orvine: preview painted in ")))
        << output.toStdString();
}

#endif
