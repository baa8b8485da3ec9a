#include "download/pagefetch.h"

#include "support/gzipped.h"
#include "support/localhttpserver.h"
#include "support/qstringprinter.h"

#include <QFile>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslConfiguration>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const QByteArray Page = "<html><body>" + QByteArray("日本語のページ") + "</body></html>";

struct Fetched
{
    FetchFailure failure;
    QByteArray body;
    QString detail;
};

Fetched fetch(const QString &address, FetchLimits limits = {2000ms, 100000, 5})
{
    PageFetch transfer(address, limits);
    QSignalSpy finished(&transfer, &PageFetch::finished);
    transfer.start();
    EXPECT_TRUE(finished.wait(10000)) << "the fetch never ended";
    EXPECT_EQ(finished.count(), 1);
    return {transfer.failure(), transfer.body(), transfer.detail()};
}

QByteArray head(const QByteArray &fields)
{
    return "HTTP/1.1 200 OK\r\n" + fields + "Connection: close\r\n\r\n";
}

QByteArray chunked(const QByteArray &body, int pieceSize)
{
    QByteArray out;
    for (qsizetype at = 0; at < body.size(); at += pieceSize) {
        const QByteArray piece = body.mid(at, pieceSize);
        out += QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n";
    }
    return out + "0\r\n\r\n";
}

// Whole pages in every framing and packing servers use arrive as they were sent.
TEST(PageFetch, AWholeBodyArrivesInEveryFraming)
{
    LocalHttpServer server;
    const QByteArray gz = packed(Page);
    const struct
    {
        const char *path;
        LocalHttpServer::Reply reply;
    } cases[] = {
        {"/length",
         LocalHttpServer::rawReply(
             head("Content-Length: " + QByteArray::number(Page.size()) + "\r\n") + Page)},
        {"/close", LocalHttpServer::rawReply(head({}) + Page)},
        {"/chunked",
         LocalHttpServer::rawReply(head("Transfer-Encoding: chunked\r\n") + chunked(Page, 7))},
        {"/gzip", LocalHttpServer::rawReply(head("Content-Encoding: gzip\r\nContent-Length: "
                                                 + QByteArray::number(gz.size()) + "\r\n")
                                            + gz)},
        {"/gzip-chunked",
         LocalHttpServer::rawReply(head("Content-Encoding: gzip\r\nTransfer-Encoding: chunked\r\n")
                                   + chunked(gz, 10))},
        {"/deflate", LocalHttpServer::rawReply(head("Content-Encoding: deflate\r\n")
                                               + packed(Page, Packing::Zlib))},
        {"/continue", LocalHttpServer::rawReply("HTTP/1.1 100 Continue\r\n\r\n" + head({}) + Page)},
        {"/in-pieces",
         {.raw = {{0, "HTTP/1.1 200 OK\r\nContent-"},
                  {30, "Length: " + QByteArray::number(Page.size()) + "\r\n\r\n"},
                  {30, Page.left(5)},
                  {30, Page.mid(5)}}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        server.route(c.path, c.reply);
        const Fetched got = fetch(server.url(c.path));
        EXPECT_EQ(got.failure, FetchFailure::None) << got.detail.toStdString();
        EXPECT_EQ(got.body, Page);
    }
    // The request asks for the packings the fetch can undo, and for one response only.
    ASSERT_FALSE(server.requests().isEmpty());
    EXPECT_TRUE(server.requests().constFirst().contains("Accept-Encoding: gzip, deflate\r\n"));
    EXPECT_TRUE(server.requests().constFirst().contains("Connection: close\r\n"));
    EXPECT_TRUE(
        server.requests().constFirst().startsWith("GET /length HTTP/1.1\r\nHost: 127.0.0.1:"));
}

// Real Japanese pages in each encoding arrive byte for byte, whatever framing and packing the
// server chose and however its bytes were cut on the way.
TEST(PageFetch, RealPagesArriveByteForByte)
{
    LocalHttpServer server;
    int served = 0;
    for (const char *name : {"shift_jis.txt", "euc-jp.txt", "iso-2022-jp.txt", "utf-8.txt"}) {
        QFile file(QStringLiteral(ORVINE_TEST_DATA "/ja-encodings/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        const QByteArray gz = packed(bytes);
        const QList<LocalHttpServer::Reply> replies = {
            LocalHttpServer::rawReply(
                head("Content-Length: " + QByteArray::number(bytes.size()) + "\r\n") + bytes),
            LocalHttpServer::rawReply(head("Transfer-Encoding: chunked\r\n") + chunked(bytes, 1)),
            LocalHttpServer::rawReply(head("Transfer-Encoding: chunked\r\n") + chunked(bytes, 13)),
            LocalHttpServer::rawReply(
                head("Content-Encoding: gzip\r\nTransfer-Encoding: chunked\r\n") + chunked(gz, 5)),
            LocalHttpServer::rawReply(head("Content-Encoding: deflate\r\n")
                                      + packed(bytes, Packing::RawDeflate)),
            {.raw = {{0, head("Content-Encoding: gzip\r\n") + gz.left(3)},
                     {20, gz.mid(3, 11)},
                     {20, gz.mid(14)}}},
        };
        for (const LocalHttpServer::Reply &reply : replies) {
            const QByteArray path = "/page" + QByteArray::number(++served);
            server.route(path, reply);
            const Fetched got = fetch(server.url(path));
            EXPECT_EQ(got.failure, FetchFailure::None)
                << name << ' ' << path.constData() << ' ' << got.detail.toStdString();
            EXPECT_EQ(got.body, bytes) << name << ' ' << path.constData();
        }
    }
}

// A body is used only when all of it arrived: each of these once replaced the page with a part
// of it, or with nothing.
TEST(PageFetch, APartOrNoBodyIsRefused)
{
    LocalHttpServer server;
    const QByteArray gz = packed(Page);
    const struct
    {
        const char *path;
        LocalHttpServer::Reply reply;
        FetchFailure failure;
    } cases[] = {
        {"/gzip-cut",
         LocalHttpServer::rawReply(head("Content-Encoding: gzip\r\nContent-Length: 20\r\n")
                                   + gz.left(20)),
         FetchFailure::BadResponse},
        {"/gzip-cut-at-close",
         LocalHttpServer::rawReply(head("Content-Encoding: gzip\r\n") + gz.left(gz.size() - 4)),
         FetchFailure::BadResponse},
        {"/length-cut", LocalHttpServer::rawReply(head("Content-Length: 500\r\n") + Page),
         FetchFailure::CutOff},
        {"/bad-chunk-size",
         LocalHttpServer::rawReply(head("Transfer-Encoding: chunked\r\n") + "zz\r\n" + Page
                                   + "\r\n0\r\n\r\n"),
         FetchFailure::BadResponse},
        {"/bad-second-chunk",
         LocalHttpServer::rawReply(head("Transfer-Encoding: chunked\r\n") + "5\r\n<html\r\nq\r\n"),
         FetchFailure::BadResponse},
        {"/chunks-cut",
         LocalHttpServer::rawReply(head("Transfer-Encoding: chunked\r\n") + "5\r\n<html\r\n"),
         FetchFailure::CutOff},
        {"/two-lengths",
         LocalHttpServer::rawReply(head("Content-Length: 6\r\nContent-Length: "
                                        + QByteArray::number(Page.size()) + "\r\n")
                                   + Page),
         FetchFailure::BadResponse},
        {"/204", LocalHttpServer::rawReply("HTTP/1.1 204 No Content\r\n\r\n"),
         FetchFailure::NoPage},
        {"/304", LocalHttpServer::rawReply("HTTP/1.1 304 Not Modified\r\n\r\n"),
         FetchFailure::NoPage},
        {"/206",
         LocalHttpServer::rawReply(
             "HTTP/1.1 206 Partial Content\r\nContent-Length: 5\r\n\r\n<html"),
         FetchFailure::NoPage},
        {"/empty-200", LocalHttpServer::rawReply(head("Content-Length: 0\r\n")),
         FetchFailure::NoPage},
        {"/empty-200-at-close", LocalHttpServer::rawReply(head({})), FetchFailure::NoPage},
        {"/empty-gzip", LocalHttpServer::rawReply(head("Content-Encoding: gzip\r\n") + packed({})),
         FetchFailure::NoPage},
        {"/302-nowhere",
         LocalHttpServer::rawReply("HTTP/1.1 302 Found\r\nContent-Length: 5\r\n\r\nmoved"),
         FetchFailure::RedirectNowhere},
        {"/302-empty",
         LocalHttpServer::rawReply("HTTP/1.1 302 Found\r\nLocation: \r\nContent-Length: 0\r\n\r\n"),
         FetchFailure::RedirectNowhere},
        {"/301-unreadable",
         LocalHttpServer::rawReply("HTTP/1.1 301 Moved\r\nLocation: http://[bad\r\n\r\n"),
         FetchFailure::RedirectNowhere},
        {"/brotli", LocalHttpServer::rawReply(head("Content-Encoding: br\r\n") + Page),
         FetchFailure::BadResponse},
        {"/no-http", LocalHttpServer::rawReply("<html>an answer without a head</html>\r\n\r\n"),
         FetchFailure::BadResponse},
        {"/silent-close", LocalHttpServer::rawReply({}), FetchFailure::CutOff},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        server.route(c.path, c.reply);
        const Fetched got = fetch(server.url(c.path));
        EXPECT_EQ(got.failure, c.failure) << got.detail.toStdString();
        EXPECT_TRUE(got.body.isEmpty());
    }
}

// A server that sent its head and then nothing is given up after the time-out.
TEST(PageFetch, SilenceAfterTheHeadTimesOut)
{
    LocalHttpServer server;
    server.route("/head-then-silence",
                 {.raw = {{0, "HTTP/1.1 200 OK\r\nContent-Length: "
                                  + QByteArray::number(Page.size()) + "\r\n\r\n"}},
                  .keepOpen = true});
    EXPECT_EQ(fetch(server.url("/head-then-silence"), {300ms, 100000, 5}).failure,
              FetchFailure::TimedOut);
}

class TrustedTestCertificate : public testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = QSslConfiguration::defaultConfiguration();
        QSslConfiguration trusting = m_saved;
        trusting.addCaCertificate(LocalHttpServer::certificate());
        QSslConfiguration::setDefaultConfiguration(trusting);
    }
    void TearDown() override { QSslConfiguration::setDefaultConfiguration(m_saved); }

private:
    QSslConfiguration m_saved;
};

// An https page that redirects to plain http is not followed: the page would come over the
// network in the clear. https to https is followed.
TEST_F(TrustedTestCertificate, AnHttpsPageIsNeverFollowedToPlainHttp)
{
    LocalHttpServer secure(LocalHttpServer::Transport::Tls);
    LocalHttpServer plain;
    plain.route("/page", {200, "OK", {}, Page});
    secure.route("/page", {200, "OK", {}, Page});
    secure.redirect("/down", plain.url("/page").toLatin1());
    secure.redirect("/across", secure.url("/page").toLatin1());
    plain.redirect("/up", secure.url("/page").toLatin1());

    const struct
    {
        const char *what;
        QString address;
        FetchFailure failure;
    } cases[] = {
        {"https page", secure.url("/page"), FetchFailure::None},
        {"https to https", secure.url("/across"), FetchFailure::None},
        {"http to https", plain.url("/up"), FetchFailure::None},
        {"https to http", secure.url("/down"), FetchFailure::Downgrade},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Fetched got = fetch(c.address);
        EXPECT_EQ(got.failure, c.failure) << got.detail.toStdString();
        EXPECT_EQ(got.body, c.failure == FetchFailure::None ? Page : QByteArray());
    }
    // The plain server was never asked for the page on behalf of an https one.
    EXPECT_EQ(plain.requestedPaths(), (QList<QByteArray>{"/up"}));
}

TEST(PageFetch, AnUntrustedCertificateIsRefused)
{
    LocalHttpServer secure(LocalHttpServer::Transport::Tls);
    secure.route("/page", {200, "OK", {}, Page});
    const Fetched got = fetch(secure.url("/page"));
    EXPECT_EQ(got.failure, FetchFailure::Network);
    EXPECT_TRUE(got.body.isEmpty());
    EXPECT_TRUE(secure.requestedPaths().isEmpty());
}

} // namespace
