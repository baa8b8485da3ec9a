#include "core/encodings.h"
#include "support/documentfixture.h"
#include "support/gzipped.h"
#include "support/localhttpserver.h"
#include "support/scriptedinteraction.h"
#include "tags/head/downloadcommands.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTcpServer>
#include <QTest>

using namespace std::chrono_literals;

namespace {

const QString Original = QStringLiteral("<P>編集中の文書</P>");
const QString Japanese = QStringLiteral("日本語のページ");

QByteArray page(const QByteArray &head, TextEncoding encoding)
{
    return "<html><head>" + head + "</head><body>" + encodeText(Japanese, encoding)
           + "</body></html>";
}

QString pageText(const QString &head)
{
    return QStringLiteral("<html><head>") + head + QStringLiteral("</head><body>") + Japanese
           + QStringLiteral("</body></html>");
}

class Download : public DocumentFixture
{
protected:
    void SetUp() override
    {
        DocumentFixture::SetUp();
        setDownloadLimits({300ms, 1000, 5});
        text().setText(Original);
        doc->blnFlgDirty = false;
    }

    void TearDown() override
    {
        setDownloadLimits({});
        DocumentFixture::TearDown();
    }

    // Queues the question (answered OK) and the address typed into dlgURL.
    static void answerAddress(ScriptedInteraction &script, const QString &address)
    {
        script.expectMessage(QStringLiteral("現在編集中のソースは保存されません。"),
                             Interaction::Answer::Ok);
        script.expectDialog(QStringLiteral("dlgURL"), [address](QDialog &d) {
            d.findChild<QComboBox *>(QStringLiteral("cmbURL"))->setEditText(address);
            clickControl(d, QStringLiteral("OKButton"));
        });
    }

    // Queues the progress window, left open until the transfer ends.
    static void awaitTransfer(ScriptedInteraction &script)
    {
        script.expectDialog(QStringLiteral("frmDownload"), [](QDialog &d) {
            QSignalSpy closed(&d, &QDialog::finished);
            EXPECT_TRUE(closed.wait(5000)) << "the transfer never ended";
        });
    }

    void expectUntouched()
    {
        EXPECT_EQ(text().text(), Original);
        EXPECT_FALSE(doc->blnFlgDirty);
    }

    LocalHttpServer server;
};

TEST_F(Download, ReplacesTheTextWithThePageDecodedByItsCharset)
{
    struct Case
    {
        const char *name;
        LocalHttpServer::Reply reply;
        QString expected;
    };
    const QByteArray metaEuc
        = R"(<meta http-equiv="Content-Type" content="text/html; charset=EUC-JP">)";
    const Case cases[] = {
        {"Shift-JIS without any charset",
         {200, "OK", {}, page("", TextEncoding::ShiftJis)},
         pageText({})},
        {"UTF-8 named by the header",
         {200, "OK", {{"Content-Type", "text/html; charset=UTF-8"}}, page("", TextEncoding::Utf8)},
         pageText({})},
        {"the header wins over the meta line",
         {200,
          "OK",
          {{"Content-Type", "text/html; charset=utf-8"}},
          page("<meta charset=\"Shift_JIS\">", TextEncoding::Utf8)},
         pageText(QStringLiteral("<meta charset=\"Shift_JIS\">"))},
        {"only a meta charset",
         {200,
          "OK",
          {{"Content-Type", "text/html"}},
          page("<meta charset=utf-8>", TextEncoding::Utf8)},
         pageText(QStringLiteral("<meta charset=utf-8>"))},
        {"only an http-equiv line",
         {200, "OK", {}, page(metaEuc, TextEncoding::EucJp)},
         pageText(QString::fromLatin1(metaEuc))},
        {"a body ended by the closing connection",
         {200, "OK", {}, page("", TextEncoding::ShiftJis), false},
         pageText({})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        text().setText(Original);
        doc->blnFlgDirty = false;
        server.route("/page", c.reply);
        {
            ScriptedInteraction script;
            answerAddress(script, server.url("/page"));
            awaitTransfer(script);
            doc->run(QStringLiteral("mnuToolDownload_Click"));
        }
        EXPECT_EQ(text().text(), c.expected);
        EXPECT_TRUE(doc->blnFlgDirty);
        EXPECT_EQ(text().selStart(), text().textLength()); // the caret ends after the source
        EXPECT_EQ(doc->strFileName, frmDocument::NewFileName);
    }
}

TEST_F(Download, FollowsRedirectsAndIsUndoneInOneStep)
{
    server.route("/page", {200, "OK", {}, page("", TextEncoding::ShiftJis)});
    server.redirect("/old", "/moved");
    server.redirect("/moved", server.url("/page").toLatin1());
    {
        ScriptedInteraction script;
        answerAddress(script, server.url("/old"));
        awaitTransfer(script);
        doc->run(QStringLiteral("mnuToolDownload_Click"));
    }
    EXPECT_EQ(text().text(), pageText({}));
    text().undo();
    EXPECT_EQ(text().text(), Original);
}

TEST_F(Download, EveryFailureIsReportedAndKeepsTheText)
{
    server.redirect("/loop", "/loop");
    server.redirect("/tofile", "file:///etc/passwd");
    server.route("/stall", {.stall = true});
    server.route("/big", {200, "OK", {}, QByteArray(1001, 'x')});
    server.route("/bigstream", {200, "OK", {}, QByteArray(5000, 'x'), false});
    const QByteArray gz = packed(page("", TextEncoding::ShiftJis));
    server.route("/gzip-cut",
                 LocalHttpServer::rawReply("HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\n\r\n"
                                           + gz.left(gz.size() / 2)));
    server.route("/bad-chunk",
                 LocalHttpServer::rawReply("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                           "x1\r\n<html>\r\n0\r\n\r\n"));
    server.route("/two-lengths",
                 LocalHttpServer::rawReply(
                     "HTTP/1.1 200 OK\r\nContent-Length: 6\r\nContent-Length: 14\r\n\r\n"
                     "<html>  </html>"));
    server.route("/204", LocalHttpServer::rawReply("HTTP/1.1 204 No Content\r\n\r\n"));
    server.route("/304", LocalHttpServer::rawReply("HTTP/1.1 304 Not Modified\r\n\r\n"));
    server.route("/302",
                 LocalHttpServer::rawReply("HTTP/1.1 302 Found\r\nContent-Length: 0\r\n\r\n"));
    server.route("/empty", {200, "OK", {}, {}});
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();

    struct Case
    {
        const char *name;
        QString address;
        const char *reason;
    };
    const Case cases[] = {
        {"not found", server.url("/missing"), "HTTP 404 Not Found"},
        {"redirect loop", server.url("/loop"), "転送（リダイレクト）が多すぎます。"},
        {"redirect to a file", server.url("/tofile"),
         "http / https 以外のアドレスへ転送されました（file:///etc/passwd）"},
        {"stalling server", server.url("/stall"), "時間切れ"},
        {"body over the cap", server.url("/big"), "ページが大きすぎます（1000 バイトまで）。"},
        {"streamed body over the cap", server.url("/bigstream"), "ページが大きすぎます"},
        {"connection refused", refused, "サーバが接続を拒否しました。"},
        {"gzip body cut in the middle", server.url("/gzip-cut"),
         "圧縮されたページが途中で切れているか、壊れています"},
        {"bad chunk size", server.url("/bad-chunk"), "チャンクの区切りを読めません"},
        {"two Content-Length fields that disagree", server.url("/two-lengths"), "Content-Length"},
        {"no content", server.url("/204"), "ページの内容が届きませんでした（HTTP 204 No Content）"},
        {"not modified", server.url("/304"),
         "ページの内容が届きませんでした（HTTP 304 Not Modified）"},
        {"a redirect without Location", server.url("/302"),
         "転送先の書かれていない転送（HTTP 302 Found）"},
        {"an empty page", server.url("/empty"), "ページの内容が届きませんでした（HTTP 200 OK）"},
        {"file address", QStringLiteral("file:///etc/passwd"), "http:// または https://"},
        {"ftp address", QStringLiteral("ftp://127.0.0.1/x.html"), "http:// または https://"},
        {"script address", QStringLiteral("javascript:alert(1)"), "http:// または https://"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        {
            ScriptedInteraction script;
            answerAddress(script, c.address);
            awaitTransfer(script);
            script.expectMessage(QString::fromUtf8(c.reason));
            doc->run(QStringLiteral("mnuToolDownload_Click"));
            EXPECT_TRUE(script.lastPrompt().message.text.contains(c.address));
            EXPECT_EQ(script.lastPrompt().message.icon, Interaction::Icon::Warning);
        }
        expectUntouched();
    }
    // One request each, but six for the loop: it stops after the fifth redirect.
    EXPECT_EQ(server.requestedPaths().count("/loop"), 6);
    // Addresses of other schemes never reach any server.
    EXPECT_FALSE(server.requestedPaths().contains("/x.html"));
    EXPECT_FALSE(server.requestedPaths().contains("/etc/passwd"));
}

// Every byte is a sign of life: a head sent in slow pieces, each well within the time-out but
// all of them together longer, is waited for.
TEST_F(Download, AServerSendingItsHeadSlowlyIsWaitedFor)
{
    const QByteArray body = page("", TextEncoding::ShiftJis);
    server.route("/slow",
                 {.raw = {{500, "HTTP/1.1 200 OK\r\n"},
                          {500, "Content-Length: " + QByteArray::number(body.size()) + "\r\n"},
                          {500, "Content-Type: text/html\r\n\r\n"},
                          {500, body}}});
    setDownloadLimits({1200ms, 1000, 5});
    {
        ScriptedInteraction script;
        answerAddress(script, server.url("/slow"));
        awaitTransfer(script);
        doc->run(QStringLiteral("mnuToolDownload_Click"));
    }
    EXPECT_EQ(text().text(), pageText({}));
}

TEST_F(Download, AnHttpsPageRedirectedToPlainHttpKeepsTheText)
{
    const QSslConfiguration saved = QSslConfiguration::defaultConfiguration();
    QSslConfiguration trusting = saved;
    trusting.addCaCertificate(LocalHttpServer::certificate());
    QSslConfiguration::setDefaultConfiguration(trusting);
    setDownloadLimits({5s, 1000, 5});
    LocalHttpServer secure(LocalHttpServer::Transport::Tls);
    server.route("/page", {200, "OK", {}, page("", TextEncoding::ShiftJis)});
    secure.redirect("/moved", server.url("/page").toLatin1());
    {
        ScriptedInteraction script;
        answerAddress(script, secure.url("/moved"));
        awaitTransfer(script);
        script.expectMessage(
            QStringLiteral("https のページから暗号化されない http のアドレスへ転送されたため"));
        doc->run(QStringLiteral("mnuToolDownload_Click"));
        EXPECT_TRUE(script.lastPrompt().message.text.contains(server.url("/page")));
    }
    QSslConfiguration::setDefaultConfiguration(saved);
    expectUntouched();
    EXPECT_TRUE(server.requestedPaths().isEmpty());
    EXPECT_EQ(secure.requestedPaths(), QList<QByteArray>{"/moved"});
}

TEST_F(Download, CancelAtEachStepKeepsTheText)
{
    server.route("/stall", {.stall = true});
    setDownloadLimits({30s, 1000, 5}); // only Cancel may end the stalled transfer here
    {
        ScriptedInteraction script;
        script.expectMessage(QStringLiteral("現在編集中"), Interaction::Answer::Cancel);
        doc->run(QStringLiteral("mnuToolDownload_Click"));
        EXPECT_EQ(script.lastPrompt().message.icon, Interaction::Icon::Question);
        EXPECT_EQ(script.lastPrompt().message.buttons, Interaction::Buttons::OkCancel);
    }
    expectUntouched();
    {
        ScriptedInteraction script;
        script.expectMessage(QStringLiteral("現在編集中"), Interaction::Answer::Ok);
        script.expectDialog(QStringLiteral("dlgURL"),
                            [](QDialog &d) { clickControl(d, QStringLiteral("CancelButton")); });
        doc->run(QStringLiteral("mnuToolDownload_Click"));
    }
    expectUntouched();
    {
        ScriptedInteraction script;
        answerAddress(script, server.url("/stall"));
        script.expectDialog(QStringLiteral("frmDownload"), [&](QDialog &d) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return server.requestCount() == 1; }, 5000));
            clickControl(d, QStringLiteral("cmdCancel"));
        });
        doc->run(QStringLiteral("mnuToolDownload_Click")); // no message after a cancel
    }
    expectUntouched();
}

} // namespace
