#pragma once

#include "core/codec.h"
#include "core/encodings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

// How a line of a file ends.
enum class LineEnd : quint8 { None, CrLf, Lf, Cr };

// A document file as it was read or last written, line by line: the text of each line, how it
// ends and the bytes it was read from. Saving writes the lines the user left alone as those
// bytes again, so that a file comes back as it was: its own line breaks, its last line with or
// without a break, and the codes that read as the same character as another code.
class FileLines
{
public:
    struct Line
    {
        qsizetype textStart = 0;
        qsizetype textLength = 0;
        qsizetype byteStart = 0;
        qsizetype byteLength = 0; // the line without its end
        qsizetype endLength = 0;  // the bytes of its end
        LineEnd end = LineEnd::None;
        // The line's bytes (with its end) read as its text wherever they are written after a
        // line end, so a save may write them again.
        bool reusable = false;
        // ... only when they end as they did (ISO-2022-JP: what follows the line end is read in
        // the state the line leaves).
        bool onlyWithItsEnd = false;
        // ... only as the last bytes of the file (UTF-16: an odd number of bytes).
        bool onlyLast = false;
    };

    // The lines of `bytes` read in `encoding`. `finalBreak`: the line end that the writer put
    // after the last line of the text (a new page is saved with one); it ends that line here
    // instead of starting an empty one.
    FileLines(QByteArray bytes, TextEncoding encoding, LineEnd finalBreak = LineEnd::None);

    TextEncoding encoding() const { return m_encoding; }
    const QByteArray &bytes() const { return m_bytes; }
    // What the bytes read as, with the line breaks of the file.
    const QString &text() const { return m_text; }
    // The byte-order mark the file starts with; empty when it has none.
    QByteArrayView mark() const { return QByteArrayView(m_bytes).first(m_markSize); }
    // One line at least. Every line but the last ends with a break; the last ends with the
    // final break given above, usually none.
    const QList<Line> &lines() const { return m_lines; }
    QStringView textOf(const Line &line) const
    {
        return QStringView(m_text).sliced(line.textStart, line.textLength);
    }
    QByteArrayView bytesOf(const Line &line) const
    {
        return QByteArrayView(m_bytes).sliced(line.byteStart, line.byteLength);
    }
    QByteArrayView endBytesOf(const Line &line) const
    {
        return QByteArrayView(m_bytes).sliced(line.byteStart + line.byteLength, line.endLength);
    }
    // The end most lines have (CR LF on a tie); CR LF when no line has one.
    LineEnd usualEnd() const { return m_usualEnd; }

private:
    void splitText();
    void findLineBytes();
    void mergeFinalBreak(LineEnd finalBreak);
    void findUsualEnd();

    QByteArray m_bytes;
    TextEncoding m_encoding;
    QString m_text;
    qsizetype m_markSize = 0;
    QList<Line> m_lines;
    LineEnd m_usualEnd = LineEnd::CrLf;
};

struct WrittenLines
{
    QByteArray bytes;
    LineEnd finalBreak = LineEnd::None; // what was written after the text's last line
    bool unchanged = false;             // the bytes are those of `previous`, untouched
};
// `text` (line breaks CR LF, LF or a lone CR) as the bytes of a file in `encoding`.
// `previous` is the file as it was read or last written, or null for a page never saved: then
// every break is written CR LF and one more CR LF ends the file. With it, a line found
// unchanged in it is written as the bytes it was read from, with its own end; the other lines
// end as most lines of that file do, and the last line ends as the file's last line did.
// Characters the encoding cannot hold are counted in `report`.
WrittenLines writeLines(const QString &text, TextEncoding encoding, const FileLines *previous,
                        EncodeReport *report = nullptr);
