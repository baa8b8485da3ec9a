#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// A stretch of rich text with one look. Line breaks inside `text` are "\n".
struct RtfSpan
{
    QString text;
    int color = 0; // 0x00BBGGRR
    bool bold = false;

    bool operator==(const RtfSpan &) const = default;
};

// Appends text in one look, extending the last span when it has the same look.
void appendRtfSpan(QList<RtfSpan> &spans, const QString &text, int color, bool bold);

// RTF of the spans: a colour table, bold, "\par" for line breaks and "\uN?" for everything
// outside printable ASCII, so the result is plain 7-bit text that any reader takes.
QString rtfFromSpans(const QList<RtfSpan> &spans);

// Text, colours and bold read from RTF as office suites and browsers write it. Characters
// U+0080..U+00FF in `rtf` stand for raw bytes of the document's code page (the string is
// the bytes read as Latin-1). A string that does not start with "{\rtf" is taken as plain
// text. Malformed RTF gives what could be read; it never fails.
QList<RtfSpan> spansFromRtf(QStringView rtf);

// The plain text of the spans, line breaks "\n".
QString plainTextOf(const QList<RtfSpan> &spans);

// RTF strings travel as bytes: every character up to U+00FF is one byte; anything above is
// written as "\uN?" so no text is lost.
QByteArray rtfToBytes(const QString &rtf);
QString rtfFromBytes(const QByteArray &bytes);
