#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>

// The status line and header fields of one HTTP response.
struct HttpResponseHead
{
    int status = 0;
    QByteArray reason;
    QList<QPair<QByteArray, QByteArray>> fields; // names as sent, values without surrounding blanks

    // Every value of the field `name` (letter case ignored), in the order sent.
    QList<QByteArray> values(QByteArrayView name) const;
    // The first value of the field, or nothing.
    QByteArray value(QByteArrayView name) const;
    bool has(QByteArrayView name) const { return !values(name).isEmpty(); }
};

// Reads one HTTP/1.x response from the bytes of a connection, as they arrive in pieces of any
// size. The body counts as complete only when its framing says so: the Content-Length reached,
// the last chunk and its trailer read, or (without either) the connection closed. Anything
// else - a head or chunk line that cannot be read, lengths that disagree, a connection that
// ends early - is a failure, never a shorter body.
class HttpResponseReader
{
public:
    enum class State { Head, Body, Done, Failed };
    enum class Problem {
        None,
        BadHead, // the status line or a field cannot be read
        HeadTooLong,
        BadLength,       // Content-Length fields that are not numbers or disagree
        BadChunk,        // a chunk size line or chunk end that is not as chunked coding writes it
        UnknownTransfer, // a transfer coding other than chunked
        TooLarge,        // the body is longer than the limit
        CutOff,          // the connection ended before the response did
    };

    explicit HttpResponseReader(qint64 maxBody);

    void feed(QByteArrayView bytes);
    // The peer closed the connection: a body that runs to the close is complete now; any other
    // response still unfinished was cut off.
    void closed();

    State state() const { return m_state; }
    Problem problem() const { return m_problem; }
    // True once the final head (not an interim "100 Continue") has been read.
    bool headRead() const { return m_headDone; }
    const HttpResponseHead &head() const { return m_head; }
    // The body as sent, content codings (gzip) still applied. Complete only in Done.
    const QByteArray &body() const { return m_body; }
    // The length the head announced, or -1.
    qint64 announcedLength() const { return m_length; }

private:
    enum class Framing { None, Length, Chunked, Close };
    enum class ChunkStep { Size, Data, DataEnd, Trailer };

    void readHead(QByteArrayView bytes, qsizetype &at);
    bool parseHead();
    void startBody();
    void readBody(QByteArrayView bytes, qsizetype &at);
    void readChunked(QByteArrayView bytes, qsizetype &at);
    // Moves bytes up to and including the next LF into m_line; true once a whole line is there.
    bool takeLine(QByteArrayView bytes, qsizetype &at, qsizetype maxLine);
    bool appendBody(QByteArrayView bytes);
    void fail(Problem problem);

    qint64 m_maxBody;
    State m_state = State::Head;
    Problem m_problem = Problem::None;
    QByteArray m_headBytes;
    QByteArray m_line;
    HttpResponseHead m_head;
    bool m_headDone = false;
    Framing m_framing = Framing::None;
    ChunkStep m_chunkStep = ChunkStep::Size;
    qint64 m_length = -1;
    qint64 m_chunkLeft = 0;
    QByteArray m_body;
};
