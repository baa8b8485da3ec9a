#include "preview/webhtmlview.h"

#include "support/qstringprinter.h"
#include "tags/gradation/frmgradation.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

namespace {

// The text the web engine shows for the page in `view`, once it has loaded.
QString renderedText(WebHtmlView &view)
{
    QString text;
    bool arrived = false;
    view.view()->page()->toPlainText([&](const QString &shown) {
        text = shown;
        arrived = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return arrived; }, 10000));
    return text;
}

TEST(WebHtmlView, ShowsTheGivenPageInTheWebEngine)
{
    WebHtmlView view;
    QSignalSpy loaded(view.view(), &QWebEngineView::loadFinished);
    view.setHtml(QStringLiteral(
        "<HTML><BODY><FONT color=\"#FF0000\">グ</FONT><FONT color=\"#0000FF\">ラ</FONT></BODY></HTML>"));
    ASSERT_TRUE(loaded.wait(10000));
    EXPECT_EQ(renderedText(view).trimmed(), QStringLiteral("グラ"));
}

// With the web engine installed, the gradation dialog's preview is a web view holding the
// coloured page.
TEST(WebHtmlView, GradationPreviewIsAWebViewWhenTheProgramInstallsIt)
{
    const HtmlView::Maker before = HtmlView::installMaker({});
    installWebHtmlViews();
    {
        frmGradation dialog;
        EXPECT_TRUE(qobject_cast<WebHtmlView *>(dialog.WebBrowser1));
        EXPECT_EQ(dialog.WebBrowser1->objectName(), QStringLiteral("WebBrowser1"));
    }
    HtmlView::installMaker(before);
}

} // namespace
