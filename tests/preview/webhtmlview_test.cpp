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

// Even with the dialog made as small as it goes, a one-line gradation shows in the preview
// without a scroll bar.
TEST(WebHtmlView, GradationPreviewHoldsALineWithoutScrolling)
{
    const HtmlView::Maker before = HtmlView::installMaker({});
    installWebHtmlViews();
    {
        frmGradation dialog;
        dialog.show();
        dialog.resize(dialog.minimumSizeHint());
        auto *preview = qobject_cast<WebHtmlView *>(dialog.WebBrowser1);
        ASSERT_TRUE(preview);
        QSignalSpy loaded(preview->view(), &QWebEngineView::loadFinished);
        dialog.apply({QStringLiteral("グラデーション文字"), 0x0000FF, 0xFF0000, false});
        dialog.cmdGradetion_Click();
        ASSERT_TRUE(loaded.wait(10000));
        bool arrived = false;
        int overflow = -1;
        preview->view()->page()->runJavaScript(
            QStringLiteral("document.documentElement.scrollHeight - window.innerHeight"),
            [&](const QVariant &result) {
                overflow = result.toInt();
                arrived = true;
            });
        ASSERT_TRUE(QTest::qWaitFor([&] { return arrived; }, 10000));
        EXPECT_LE(overflow, 0) << "preview height " << preview->height();
    }
    HtmlView::installMaker(before);
}

} // namespace
