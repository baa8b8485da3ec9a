#include "download/httpresponsereader.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

using State = HttpResponseReader::State;
using Problem = HttpResponseReader::Problem;

struct Outcome
{
    State state;
    Problem problem;
    QByteArray body;
    int status;

    bool operator==(const Outcome &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Outcome &o)
{
    return os << "state " << int(o.state) << ", problem " << int(o.problem) << ", status "
              << o.status << ", body \"" << o.body.toStdString() << '"';
}

Outcome outcomeOf(const HttpResponseReader &reader)
{
    return {reader.state(), reader.problem(),
            reader.state() == State::Done ? reader.body() : QByteArray(), reader.head().status};
}

// Feeds `bytes` in the pieces that start at `cuts`, then says the connection closed.
Outcome read(const QByteArray &bytes, const QList<qsizetype> &cuts, qint64 maxBody)
{
    HttpResponseReader reader(maxBody);
    qsizetype from = 0;
    for (const qsizetype cut : cuts) {
        reader.feed(QByteArrayView(bytes).sliced(from, cut - from));
        from = cut;
    }
    reader.feed(QByteArrayView(bytes).sliced(from));
    reader.closed();
    return outcomeOf(reader);
}

struct Case
{
    const char *what;
    QByteArray response;
    Outcome expected;
    qint64 maxBody = 1000;
};

const Case cases[] = {
    // Whole responses.
    {"length",
     "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello",
     {State::Done, Problem::None, "hello", 200}},
    {"bytes after the length are not the page",
     "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhello",
     {State::Done, Problem::None, "he", 200}},
    {"agreeing lengths",
     "HTTP/1.1 200 OK\r\nContent-Length: 5\r\ncontent-length: 5, 5\r\n\r\nhello",
     {State::Done, Problem::None, "hello", 200}},
    {"till the close", "HTTP/1.0 200 OK\r\n\r\nhello", {State::Done, Problem::None, "hello", 200}},
    {"bare line feeds",
     "HTTP/1.1 200 OK\nContent-Length: 5\n\nhello",
     {State::Done, Problem::None, "hello", 200}},
    {"blank lines before the status line",
     "\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhi",
     {State::Done, Problem::None, "hi", 200}},
    {"chunks",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n1;ext=1\r\n!\r\n0\r\n\r\n",
     {State::Done, Problem::None, "hello!", 200}},
    {"chunks with a trailer",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\n\r\nA\r\n0123456789\r\n0\r\nX-Sum: 1\r\n\r\n",
     {State::Done, Problem::None, "0123456789", 200}},
    {"chunked wins over a length",
     "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nabcd\r\n0\r\n\r\n",
     {State::Done, Problem::None, "abcd", 200}},
    {"an interim answer first",
     "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok",
     {State::Done, Problem::None, "ok", 200}},
    {"no content has no body",
     "HTTP/1.1 204 No Content\r\nContent-Length: 9\r\n\r\n",
     {State::Done, Problem::None, "", 204}},
    {"an empty page",
     "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n",
     {State::Done, Problem::None, "", 200}},
    {"a folded field",
     "HTTP/1.1 200 OK\r\nX-Long: a\r\n  b\r\nContent-Length: 1\r\n\r\nz",
     {State::Done, Problem::None, "z", 200}},

    // Bodies that did not arrive whole.
    {"cut inside the length",
     "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhello",
     {State::Failed, Problem::CutOff, "", 200}},
    {"cut inside a chunk",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\nhello",
     {State::Failed, Problem::CutOff, "", 200}},
    {"cut before the last chunk",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n",
     {State::Failed, Problem::CutOff, "", 200}},
    {"cut inside the trailer",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nhi\r\n0\r\n",
     {State::Failed, Problem::CutOff, "", 200}},
    {"cut inside the head",
     "HTTP/1.1 200 OK\r\nContent-Le",
     {State::Failed, Problem::CutOff, "", 0}},
    {"nothing at all", "", {State::Failed, Problem::CutOff, "", 0}},

    // Framing that cannot be trusted.
    {"a chunk size that is no number",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nhello\r\n0\r\n\r\n",
     {State::Failed, Problem::BadChunk, "", 200}},
    {"a bad second chunk size",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n-3\r\nabc\r\n0\r\n\r\n",
     {State::Failed, Problem::BadChunk, "", 200}},
    {"an empty chunk size line",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n\r\n5\r\nhello\r\n0\r\n\r\n",
     {State::Failed, Problem::BadChunk, "", 200}},
    {"a chunk longer than it said",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nhello\r\n0\r\n\r\n",
     {State::Failed, Problem::BadChunk, "", 200}},
    {"a chunk size past any limit",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFFFFFFFFFFFF\r\nx",
     {State::Failed, Problem::TooLarge, "", 200}},
    {"conflicting lengths",
     "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 3\r\n\r\nhello",
     {State::Failed, Problem::BadLength, "", 200}},
    {"conflicting lengths in one field",
     "HTTP/1.1 200 OK\r\nContent-Length: 3, 5\r\n\r\nhello",
     {State::Failed, Problem::BadLength, "", 200}},
    {"a length that is no number",
     "HTTP/1.1 200 OK\r\nContent-Length: 5x\r\n\r\nhello",
     {State::Failed, Problem::BadLength, "", 200}},
    {"a negative length",
     "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\nhello",
     {State::Failed, Problem::BadLength, "", 200}},
    {"a transfer coding nobody asked for",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n0\r\n\r\n",
     {State::Failed, Problem::UnknownTransfer, "", 200}},
    {"not HTTP", "SSH-2.0-OpenSSH\r\n\r\n", {State::Failed, Problem::BadHead, "", 0}},
    {"a status of two digits", "HTTP/1.1 20 OK\r\n\r\n", {State::Failed, Problem::BadHead, "", 0}},
    {"HTTP/2 in a status line", "HTTP/2 200 OK\r\n\r\n", {State::Failed, Problem::BadHead, "", 0}},
    {"switching protocols",
     "HTTP/1.1 101 Switching\r\n\r\n",
     {State::Failed, Problem::BadHead, "", 101}},

    // Limits.
    {"a length over the limit",
     "HTTP/1.1 200 OK\r\nContent-Length: 11\r\n\r\n",
     {State::Failed, Problem::TooLarge, "", 200},
     10},
    {"chunks over the limit",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n6\r\nabcdef\r\n6\r\nghijkl\r\n0\r\n\r\n",
     {State::Failed, Problem::TooLarge, "", 200},
     10},
    {"a body till the close over the limit",
     "HTTP/1.1 200 OK\r\n\r\n0123456789A",
     {State::Failed, Problem::TooLarge, "", 200},
     10},
    {"exactly the limit",
     "HTTP/1.1 200 OK\r\n\r\n0123456789",
     {State::Done, Problem::None, "0123456789", 200},
     10},
};

TEST(HttpResponseReader, ReadsTheSameInAnyPieces)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(read(c.response, {}, c.maxBody), c.expected) << "whole";
        QList<qsizetype> everyByte;
        for (qsizetype i = 1; i < c.response.size(); ++i)
            everyByte << i;
        EXPECT_EQ(read(c.response, everyByte, c.maxBody), c.expected) << "byte by byte";
        for (qsizetype cut = 1; cut < c.response.size(); ++cut)
            EXPECT_EQ(read(c.response, {cut}, c.maxBody), c.expected) << "cut at " << cut;
    }
}

// Damaged responses (bytes changed, dropped or doubled anywhere) read the same in any pieces,
// and whatever they say, a body that counts is never longer than the limit.
TEST(HttpResponseReader, DamagedResponsesReadTheSameInAnyPieces)
{
    QRandomGenerator random(28);
    for (const Case &c : cases) {
        for (int round = 0; round < 200; ++round) {
            QByteArray damaged = c.response;
            const int changes = 1 + int(random.bounded(3));
            for (int i = 0; i < changes && !damaged.isEmpty(); ++i) {
                const qsizetype at = random.bounded(int(damaged.size()));
                switch (random.bounded(3)) {
                case 0: damaged[at] = char(random.bounded(256)); break;
                case 1: damaged.remove(at, 1); break;
                default: damaged.insert(at, damaged.at(at)); break;
                }
            }
            QList<qsizetype> cuts;
            for (qsizetype at = 1; at < damaged.size(); at += 1 + random.bounded(5))
                cuts << at;
            const Outcome whole = read(damaged, {}, c.maxBody);
            ASSERT_EQ(read(damaged, cuts, c.maxBody), whole)
                << c.what << ": " << damaged.toPercentEncoding().toStdString();
            EXPECT_LE(whole.body.size(), c.maxBody);
        }
    }
}

TEST(HttpResponseReader, KnowsTheEndOfAFramedBodyBeforeTheClose)
{
    const struct
    {
        const char *what;
        QByteArray response;
        bool done;
    } cases[] = {
        {"length", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhi", true},
        {"chunks", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nhi\r\n0\r\n\r\n",
         true},
        {"no content", "HTTP/1.1 304 Not Modified\r\n\r\n", true},
        {"till the close", "HTTP/1.1 200 OK\r\n\r\nhi", false},
    };
    for (const auto &c : cases) {
        HttpResponseReader reader(100);
        reader.feed(c.response);
        EXPECT_EQ(reader.state() == State::Done, c.done) << c.what;
        EXPECT_TRUE(reader.headRead()) << c.what;
    }
}

TEST(HttpResponseReader, AHeadWithoutEndIsRefusedBeforeItFillsMemory)
{
    HttpResponseReader reader(100);
    reader.feed("HTTP/1.1 200 OK\r\n");
    const QByteArray field = "X-Filler: " + QByteArray(1000, 'x') + "\r\n";
    for (int i = 0; i < 100 && reader.state() == State::Head; ++i)
        reader.feed(field);
    EXPECT_EQ(reader.state(), State::Failed);
    EXPECT_EQ(reader.problem(), Problem::HeadTooLong);
}

TEST(HttpResponseReader, FieldsAreFoundWithoutLetterCase)
{
    HttpResponseReader reader(100);
    reader.feed(
        "HTTP/1.1 302 Found\r\nLOCATION:  /next \r\nSet-Cookie: a\r\nset-cookie: b\r\nbroken line\r\n\r\n");
    ASSERT_TRUE(reader.headRead());
    EXPECT_EQ(reader.head().status, 302);
    EXPECT_EQ(reader.head().reason, "Found");
    EXPECT_EQ(reader.head().value("location"), "/next");
    EXPECT_EQ(reader.head().values("Set-Cookie"), (QList<QByteArray>{"a", "b"}));
    EXPECT_FALSE(reader.head().has("Content-Length"));
}

} // namespace
