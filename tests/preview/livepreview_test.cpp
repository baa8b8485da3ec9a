#include "core/livepreview.h"

#include "core/encodings.h"
#include "core/livepreviewmarks.h"
#include "mainwindow/livepreviewpane.h"
#include "preview/livepagescheme.h"
#include "preview/previewpages.h"
#include "preview/weblivepreview.h"
#include "support/gifpicture.h"
#include "support/localhttpserver.h"
#include "support/qstringprinter.h"
#include "support/spinefixture.h"
#include "support/u8.h"

#include <QAction>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

// The program registers the scheme of large pages before its application object; so does the
// test program, before its main.
[[maybe_unused]] const bool largePageSchemeRegistered = (LivePageScheme::registerScheme(), true);

// The answer of `script` run in the page of `view`.
QVariant evaluate(QWebEngineView *view, const QString &script)
{
    QVariant result;
    bool arrived = false;
    view->page()->runJavaScript(script, [&](const QVariant &answer) {
        result = answer;
        arrived = true;
    });
    EXPECT_TRUE(waitFor([&] { return arrived; })) << script.toStdString();
    return result;
}

QString bodyText(QWebEngineView *view)
{
    return evaluate(view, QStringLiteral("document.body ? document.body.innerText : ''"))
        .toString()
        .trimmed();
}

// Hands `bytes` to `preview` and waits until it is shown.
void showAndWait(WebLivePreview &preview, const QByteArray &bytes, const QByteArray &charset,
                 const QUrl &base = {})
{
    QSignalSpy shown(&preview, &LivePreviewView::pageShown);
    preview.showPage(bytes, charset, base);
    ASSERT_TRUE(waitFor([&] { return !shown.isEmpty(); }));
}

class LivePreviewViewTest : public ::testing::Test
{
protected:
    LivePreviewViewTest()
    {
        preview.resize(600, 400);
        preview.show();
    }

    WebLivePreview preview;
};

// The page is read in the document's encoding, whatever its own meta tag claims: the bytes
// are what would be saved, the charset is the one they are saved in.
TEST_F(LivePreviewViewTest, JapanesePagesRenderInTheirEncoding)
{
    const QString words = u8("日本語のページ：表示と半角ｶﾅ");
    for (const TextEncoding encoding :
         {TextEncoding::ShiftJis, TextEncoding::EucJp, TextEncoding::Iso2022Jp, TextEncoding::Utf8,
          TextEncoding::Utf8Bom, TextEncoding::Utf16LeBom}) {
        SCOPED_TRACE(encodingName(encoding).toStdString());
        for (const QString &meta : {QString(), QStringLiteral("<meta charset=\"utf-8\">"),
                                    QStringLiteral("<meta charset=\"shift_jis\">")}) {
            const QString page
                = QStringLiteral("<html><head>%1</head><body><p>%2</p></body></html>")
                      .arg(meta, words);
            showAndWait(preview, encodeText(page, encoding), charsetOf(encoding));
            EXPECT_EQ(bodyText(preview.view()), words) << meta.toStdString();
        }
    }
}

TEST_F(LivePreviewViewTest, ScrollPositionSurvivesAnUpdate)
{
    const QString page = QStringLiteral("<html><body><div style=\"height:5000px\">%1</div>"
                                        "<p>end</p></body></html>");
    showAndWait(preview, page.arg(QStringLiteral("first")).toUtf8(), "UTF-8");
    evaluate(preview.view(), QStringLiteral("window.scrollTo(0, 1700)"));
    ASSERT_EQ(evaluate(preview.view(), QStringLiteral("window.scrollY")).toInt(), 1700);

    showAndWait(preview, page.arg(QStringLiteral("second")).toUtf8(), "UTF-8");
    EXPECT_TRUE(bodyText(preview.view()).startsWith(QStringLiteral("second")));
    EXPECT_EQ(evaluate(preview.view(), QStringLiteral("window.scrollY")).toInt(), 1700);
}

TEST_F(LivePreviewViewTest, RelativePictureLoadsFromThePagesFolder)
{
    PreviewPages pages;
    {
        QFile picture(pages.path(u8("絵 1.gif")));
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
        picture.write(gifPicture(QSize(37, 21)));
    }
    const QByteArray page
        = u8("<html><body><img id=\"p\" src=\"絵 1.gif\"></body></html>").toUtf8();
    const QString width = QStringLiteral("document.getElementById('p').naturalWidth");

    showAndWait(preview, page, "UTF-8", QUrl::fromLocalFile(pages.path(u8("ページ.htm"))));
    EXPECT_EQ(evaluate(preview.view(), width).toInt(), 37);

    // A page never saved has no folder: its relative picture finds nothing.
    showAndWait(preview, page, "UTF-8");
    EXPECT_EQ(evaluate(preview.view(), width).toInt(), 0);
}

// A page too large to be handed to the web engine directly is served from memory: its
// Japanese, its relative picture and its scroll position as for a small page.
TEST_F(LivePreviewViewTest, LargePageShowsWithItsFolder)
{
    PreviewPages pages;
    {
        QFile picture(pages.path(u8("絵 1.gif")));
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
        picture.write(gifPicture(QSize(23, 9)));
    }
    // Long paragraphs: the size without a great many elements to lay out.
    const QString line
        = QStringLiteral("<p>%1</p>\n").arg(u8("長いページの一行です。").repeated(100));
    QString body;
    while (body.size() * 3 < 1700 * 1024)
        body += line;
    const auto page = [&](const QString &head) {
        return encodeText(QStringLiteral("<html><body><p id=\"h\">%1</p><img id=\"p\" src=\"%2\">%3"
                                         "</body></html>")
                              .arg(head, u8("絵 1.gif"), body),
                          TextEncoding::Utf8);
    };
    const QUrl base = QUrl::fromLocalFile(pages.path(u8("大きい ページ.htm")));
    ASSERT_TRUE(LivePageScheme::tooLargeForContent(page(u8("一")), QStringLiteral("text/html")));
    showAndWait(preview, page(u8("一")), "UTF-8", base);
    const QString head = QStringLiteral("document.getElementById('h').innerText");
    EXPECT_EQ(evaluate(preview.view(), head).toString(), u8("一"));
    EXPECT_EQ(evaluate(preview.view(), QStringLiteral("document.getElementById('p').naturalWidth"))
                  .toInt(),
              23);
    evaluate(preview.view(), QStringLiteral("window.scrollTo(0, 4000)"));

    showAndWait(preview, page(u8("二")), "UTF-8", base);
    EXPECT_EQ(evaluate(preview.view(), head).toString(), u8("二"));
    EXPECT_EQ(evaluate(preview.view(), QStringLiteral("window.scrollY")).toInt(), 4000);
}

TEST_F(LivePreviewViewTest, NetworkAddressesAreRefusedUnlessAllowed)
{
    LocalHttpServer server;
    LocalHttpServer::Reply reply;
    reply.headers = {{"Content-Type", "image/gif"}};
    reply.body = gifPicture(QSize(11, 7));
    server.route("/p.gif", reply);
    const QByteArray page = QStringLiteral("<html><body><img id=\"p\" src=\"%1\"></body></html>")
                                .arg(server.url("/p.gif"))
                                .toUtf8();
    const QString width = QStringLiteral("document.getElementById('p').naturalWidth");

    showAndWait(preview, page, "UTF-8");
    EXPECT_EQ(evaluate(preview.view(), width).toInt(), 0);
    EXPECT_EQ(server.requestCount(), 0);

    preview.setNetworkAllowed(true);
    showAndWait(preview, page + " ", "UTF-8");
    EXPECT_EQ(evaluate(preview.view(), width).toInt(), 11);
    EXPECT_EQ(server.requestCount(), 1);
}

// Pages handed faster than the view shows them: the ones overtaken are never loaded, the
// last one is what remains.
TEST_F(LivePreviewViewTest, OvertakenPagesAreDropped)
{
    QSignalSpy shown(&preview, &LivePreviewView::pageShown);
    for (int i = 1; i <= 5; ++i)
        preview.showPage(QStringLiteral("<p>page %1</p>").arg(i).toUtf8(), "UTF-8", {});
    ASSERT_TRUE(waitFor([&] { return shown.size() == 2 && !preview.busy(); }));
    EXPECT_EQ(bodyText(preview.view()), QStringLiteral("page 5"));
}

TEST_F(LivePreviewViewTest, ClickedLinkOpensTheExternalBrowser)
{
    ScriptedInteraction ui;
    ui.expectOpenUrl(true);
    showAndWait(preview,
                "<html><body><a id=\"a\" href=\"https://example.org/next.html\">next</a>"
                "</body></html>",
                "UTF-8");
    evaluate(preview.view(), QStringLiteral("document.getElementById('a').click()"));
    ASSERT_TRUE(waitFor([&] { return ui.pendingCount() == 0; }));
    EXPECT_EQ(ui.lastPrompt().text, QStringLiteral("https://example.org/next.html"));
    EXPECT_EQ(bodyText(preview.view()), QStringLiteral("next"));
}

// The source positions in the copy handed to the view change nothing a reader or a script of
// the page sees: the same document comes out, the marks taken away, for a page whose markup
// hides tags in every place a careless marking would touch.
TEST_F(LivePreviewViewTest, MarkedPageRendersAsThePage)
{
    const QString page = QStringLiteral(
        "<html><head><title>a <b> title</title>\r\n"
        "<style>p > b { color: red } /* <i> */ .x[title] { color: blue }</style>\r\n"
        "<script>var s = \"<p>\"; document.write('<span id=\"w\">' + s.length + '</span>');"
        "</script>\r\n"
        "<script><!-- document.write('<script>var t = \"<b>\";</script>'); --></script>\r\n"
        "<script>document.write('<u id=\"n\">' + document.scripts.length + '</u>');</script>\r\n"
        "</head><body>\r\n<!-- <p>hidden</p> -->\r\n"
        "<p id=\"a\" title=\"<b>x</b>\" class=x>text <b>bold</b></p>\r\n"
        "<textarea id=\"t\"><p>typed</p></textarea><xmp><i>as text</i></xmp>\r\n"
        "<noscript><p>no script</p></noscript><title>second</title>\r\n"
        "<table><tr><td>cell<td>cell 2</table>\r\n"
        "<p>unclosed <a href='x.html'>リンク<br/>日本語\r\n"
        "<script>document.write(document.getElementById('t').value.length);</script>\r\n"
        "</body></html>");
    const QString document
        = QStringLiteral(
              "document.querySelectorAll('[%1]').forEach(function (e) { e.removeAttribute('%1'); });"
              "document.documentElement.outerHTML")
              .arg(QLatin1StringView(sourcePositionAttribute));
    showAndWait(preview, encodeText(page, TextEncoding::ShiftJis), "Shift_JIS");
    const QString plain = evaluate(preview.view(), document).toString();
    const QString plainText = bodyText(preview.view());

    const QString marked = markSourcePositions(page);
    ASSERT_NE(marked, page);
    showAndWait(preview, encodeText(marked, TextEncoding::ShiftJis), "Shift_JIS");
    EXPECT_GT(evaluate(preview.view(), QStringLiteral("document.querySelectorAll('[%1]').length")
                                           .arg(QLatin1StringView(sourcePositionAttribute)))
                  .toInt(),
              10);
    EXPECT_EQ(bodyText(preview.view()), plainText);
    EXPECT_EQ(evaluate(preview.view(), document).toString(), plain);
}

// A page whose script never ends holds up the view only for a while; the next page shows.
TEST_F(LivePreviewViewTest, LoopingScriptDoesNotHoldTheViewForever)
{
    QSignalSpy shown(&preview, &LivePreviewView::pageShown);
    preview.showPage("<html><body><script>for(;;){}</script></body></html>", "UTF-8", {});
    preview.showPage("<p>after</p>", "UTF-8", {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 20000));
    EXPECT_EQ(bodyText(preview.view()), QStringLiteral("after"));
}

class LivePreviewPaneTest : public SpineTest
{
protected:
    void SetUp() override
    {
        before = LivePreviewView::installMaker({});
        installWebLivePreview();
        storeLivePreviewSettings({});
        SpineTest::SetUp();
    }

    void TearDown() override
    {
        SpineTest::TearDown();
        storeLivePreviewSettings({});
        LivePreviewView::installMaker(before);
    }

    LivePreviewPane *pane() const { return livePreviewPane(*frame); }
    QWebEngineView *web() const { return qobject_cast<WebLivePreview *>(pane()->view())->view(); }

    frmDocument *page(const QString &name, const QString &body, TextEncoding encoding)
    {
        writeBytes(path(name), encodeText(QStringLiteral("<html><head><meta charset=\"%1\"></head>"
                                                         "<body><p>%2</p></body></html>")
                                              .arg(encodingName(encoding), body),
                                          encoding));
        return open(path(name));
    }

    bool shows(const QString &text) const
    {
        if (waitFor([&] { return bodyText(web()) == text; }))
            return true;
        ADD_FAILURE() << "shown: " << bodyText(web()).toStdString();
        return false;
    }

    LivePreviewView::Maker before;
};

TEST_F(LivePreviewPaneTest, OffByDefaultAndRememberedThroughMenuAndButton)
{
    EXPECT_FALSE(livePreviewShown(*frame));
    // The frame's View menu works without a document; the button, as the other document
    // buttons, waits for one.
    ASSERT_TRUE(frame->run(QStringLiteral("mnuViewLivePreview_Click")));
    ASSERT_TRUE(livePreviewShown(*frame));
    ASSERT_TRUE(frame->run(QStringLiteral("mnuViewLivePreview_Click")));
    ASSERT_FALSE(livePreviewShown(*frame));
    QAction *button = frame->tbToolBar->findChild<QAction *>(QStringLiteral("LivePreview"));
    ASSERT_TRUE(button);
    EXPECT_FALSE(button->isEnabled());
    frmDocument *doc = page(QStringLiteral("a.htm"), QStringLiteral("A"), TextEncoding::Utf8);
    ASSERT_TRUE(doc);
    ASSERT_TRUE(button->isEnabled());
    button->trigger();
    ASSERT_TRUE(livePreviewShown(*frame));
    EXPECT_TRUE(button->isChecked());
    EXPECT_TRUE(storedLivePreviewSettings().shown);

    // The document window's View menu has the same entry.
    ASSERT_TRUE(doc->run(QStringLiteral("mnuViewLivePreview_Click")));
    EXPECT_FALSE(livePreviewShown(*frame));
    EXPECT_FALSE(button->isChecked());
    EXPECT_FALSE(storedLivePreviewSettings().shown);

    ASSERT_TRUE(frame->run(QStringLiteral("mnuViewLivePreview_Click")));
    EXPECT_TRUE(livePreviewShown(*frame));
    // A new frame opens with the pane as the last one left it.
    SpineTest::TearDown();
    SpineTest::SetUp();
    EXPECT_TRUE(livePreviewShown(*frame));
}

TEST_F(LivePreviewPaneTest, TypingShowsInThePageAfterTheQuietTime)
{
    frmDocument *doc
        = page(QStringLiteral("typed.htm"), QStringLiteral("before"), TextEncoding::ShiftJis);
    ASSERT_TRUE(doc);
    setLivePreviewShown(*frame, true);
    ASSERT_TRUE(shows(QStringLiteral("before")));

    QSignalSpy shown(pane()->view(), &LivePreviewView::pageShown);
    const int handed = pane()->pagesHanded();
    QElapsedTimer sinceTyping;
    sinceTyping.start();
    // Keystrokes closer together than the quiet time make one update.
    const QString text = doc->txtText->text();
    for (const QString &word : {u8("文"), u8("文字"), u8("文字列")})
        doc->txtText->setText(QString(text).replace(QStringLiteral("before"), word));
    ASSERT_TRUE(shows(u8("文字列")));
    EXPECT_GE(sinceTyping.elapsed(), 300);
    EXPECT_EQ(pane()->pagesHanded(), handed + 1);
    // Nothing was written.
    EXPECT_TRUE(readBytes(path(QStringLiteral("typed.htm"))).contains("before"));
}

// With the option on, the page scrolls to the element at the caret; with the other, a click
// in the page puts the caret on the start tag of what was clicked. The text stays as typed.
TEST_F(LivePreviewPaneTest, FollowsTheCaretAndAClickFindsItsSource)
{
    LivePreviewSettings settings;
    settings.followCaret = true;
    settings.clickToSource = true;
    storeLivePreviewSettings(settings);
    SpineTest::TearDown();
    SpineTest::SetUp(); // a frame whose pane reads the options

    const QString tall = QStringLiteral("<div style=\"height:3000px\">%1</div>\r\n");
    frmDocument *doc
        = page(QStringLiteral("caret.htm"),
               tall.arg(QStringLiteral("top")) + QStringLiteral("<p id=\"far\">far</p>")
                   + tall.arg(QStringLiteral("bottom")),
               TextEncoding::ShiftJis);
    ASSERT_TRUE(doc);
    const QString text = doc->txtText->text();
    setLivePreviewShown(*frame, true);
    ASSERT_TRUE(waitFor([&] { return bodyText(web()).startsWith(QStringLiteral("top")); }));
    ASSERT_TRUE(waitFor([&] { return !pane()->updateTimer()->isActive(); }));
    ASSERT_EQ(evaluate(web(), QStringLiteral("window.scrollY")).toInt(), 0);

    const QString farTop = QStringLiteral(
        "(function () { var r = document.getElementById('far').getBoundingClientRect();"
        " return r.top >= 0 && r.bottom <= window.innerHeight; })()");
    doc->txtText->select(int(text.indexOf(QStringLiteral(">far<")) + 2), 0);
    EXPECT_TRUE(waitFor([&] { return evaluate(web(), farTop).toBool(); }))
        << "scrolled to " << evaluate(web(), QStringLiteral("window.scrollY")).toInt();

    // A real click on the first block puts the caret on its <div>.
    doc->txtText->select(int(text.size()), 0);
    const QVariantList box
        = evaluate(web(), QStringLiteral("(function () { window.scrollTo(0, 0);"
                                         " var r = document.querySelector('div')"
                                         ".getBoundingClientRect();"
                                         " return [r.left + 20, r.top + 10]; })()"))
              .toList();
    ASSERT_EQ(box.size(), 2);
    QWidget *surface = web()->focusProxy() ? web()->focusProxy() : web();
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(box[0].toInt(), box[1].toInt()));
    EXPECT_TRUE(waitFor([&] {
        return doc->txtText->selStart() == text.indexOf(QStringLiteral("<div"));
    })) << "caret at "
        << doc->txtText->selStart();
    EXPECT_EQ(doc->txtText->text(), text);
    EXPECT_FALSE(doc->blnFlgDirty);
}

// A page saved under a new name finds its pictures in the new folder at once, not at the next
// edit.
TEST_F(LivePreviewPaneTest, SaveAsMovesTheBaseAtOnce)
{
    {
        QFile picture(path(QStringLiteral("pic.gif")));
        ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
        picture.write(gifPicture(QSize(37, 21)));
    }
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    doc->txtText->setText(
        QStringLiteral("<html><body><img id=\"p\" src=\"pic.gif\"></body></html>"));
    setLivePreviewShown(*frame, true);
    const QString width = QStringLiteral(
        "document.getElementById('p') ? document.getElementById('p').naturalWidth : -1");
    ASSERT_TRUE(waitFor(
        [&] { return !pane()->updateTimer()->isActive() && evaluate(web(), width).toInt() == 0; }));
    const int handed = pane()->pagesHanded();

    ui.expectSaveFile(path(QStringLiteral("saved.htm")));
    ASSERT_TRUE(doc->run(QStringLiteral("mnuFileAdd_Click")));
    EXPECT_EQ(doc->strFileName, path(QStringLiteral("saved.htm")));
    EXPECT_TRUE(waitFor([&] { return evaluate(web(), width).toInt() == 37; }));
    EXPECT_EQ(pane()->pagesHanded(), handed + 1);
}

TEST_F(LivePreviewPaneTest, FollowsTheActiveDocumentAndRestsWhileHidden)
{
    frmDocument *sjis = page(QStringLiteral("s.htm"), u8("シフトJIS"), TextEncoding::ShiftJis);
    frmDocument *euc = page(QStringLiteral("e.htm"), u8("日本語EUC"), TextEncoding::EucJp);
    ASSERT_TRUE(sjis && euc);
    setLivePreviewShown(*frame, true);
    ASSERT_TRUE(shows(u8("日本語EUC")));
    frame->mdiArea->setActiveSubWindow(sjis);
    EXPECT_TRUE(shows(u8("シフトJIS")));

    setLivePreviewShown(*frame, false);
    const int handed = pane()->pagesHanded();
    sjis->txtText->setText(QStringLiteral("<p>hidden</p>"));
    EXPECT_FALSE(pane()->updateTimer()->isActive());
    EXPECT_EQ(pane()->pagesHanded(), handed);
    // Shown again, it catches up.
    setLivePreviewShown(*frame, true);
    EXPECT_TRUE(shows(QStringLiteral("hidden")));
}

} // namespace

namespace {

// An edit of a 1 MB Shift-JIS page is shown again; how long that takes is the benchmark's
// business.
TEST_F(LivePreviewPaneTest, EditOfALargePageIsShown)
{
    const QString paragraph
        = QStringLiteral("<p>%1</p>\r\n").arg(u8("大きなページの段落です。").repeated(8));
    QString body;
    while (body.size() * 2 < 1024 * 1024)
        body += paragraph;
    frmDocument *doc = page(QStringLiteral("large.htm"), body, TextEncoding::ShiftJis);
    ASSERT_TRUE(doc);
    setLivePreviewShown(*frame, true);
    const auto edited = [&] {
        return evaluate(web(), QStringLiteral("!!document.getElementById('new')")).toBool();
    };
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !pane()->updateTimer()->isActive() && bodyText(web()).size() > 1000; },
        30000));
    ASSERT_FALSE(edited());

    doc->txtText->setSelStart(0);
    doc->txtText->setSelText(QStringLiteral("<p id=\"new\">edited</p>"));
    EXPECT_TRUE(QTest::qWaitFor(edited, 60000));
}

} // namespace
