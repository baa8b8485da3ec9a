#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Code page 932 (Shift-JIS) through glibc iconv "CP932". Bytes that do not decode become
// reserved code units (0x80..0xFF → U+DC80..U+DCFF) and are written back as the same bytes,
// so any byte sequence survives decode and encode unchanged.
QString decodeCp932(const QByteArray &bytes);

struct EncodeReport
{
    int unmappable = 0;            // characters written as numeric character references
    QStringList firstUnmappable;   // the first few of them
    QList<qsizetype> unmappableAt; // where each of them starts in the text, in order
};
// Characters that code page 932 cannot hold are written as "&#xHHHH;". The JIS forms typed on
// Linux (U+301C wave dash and six more) are written as the codes of their code page forms.
// The output always reads back as the text: a character that would pair with a kept byte
// before it is written in another of its codes, and where it has none (or the kept byte pairs
// with a kept byte) as a reference, reported like a character the code page cannot hold.
QByteArray encodeCp932(const QString &text, EncodeReport *report = nullptr);
