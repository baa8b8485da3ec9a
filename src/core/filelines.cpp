#include "core/filelines.h"

#include <QHash>

#include <array>
#include <optional>

namespace {

constexpr int firstUnmappableShown = 5;

QStringView endText(LineEnd end)
{
    switch (end) {
    case LineEnd::CrLf: return u"\r\n";
    case LineEnd::Lf: return u"\n";
    case LineEnd::Cr: return u"\r";
    case LineEnd::None: break;
    }
    return {};
}

// A line break in a text or in bytes: where it starts, how long it is, what it is.
struct Break
{
    qsizetype at = 0;
    qsizetype size = 0;
    LineEnd end = LineEnd::None;
    bool asciiAfter = true; // ISO-2022-JP: the bytes after it are read as ASCII
};

// The breaks of a text (a QStringView) or of bytes (a QByteArrayView) from `from` on: CR LF, a
// lone LF or a lone CR, as the edit control splits lines. `found(at, size, end)` is called for
// each. The search for each of the two characters runs at memchr speed.
template <typename View, typename Found> void forEachBreak(View units, qsizetype from, Found found)
{
    using Unit = typename View::value_type;
    qsizetype nextCr = units.indexOf(Unit('\r'), from);
    qsizetype nextLf = units.indexOf(Unit('\n'), from);
    while (nextCr >= 0 || nextLf >= 0) {
        if (nextLf < 0 || (nextCr >= 0 && nextCr < nextLf)) {
            const bool pair = nextLf == nextCr + 1;
            found(nextCr, pair ? 2 : 1, pair ? LineEnd::CrLf : LineEnd::Cr);
            from = nextCr + (pair ? 2 : 1);
            nextCr = units.indexOf(Unit('\r'), from);
            if (pair)
                nextLf = units.indexOf(Unit('\n'), from);
        } else {
            found(nextLf, 1, LineEnd::Lf);
            nextLf = units.indexOf(Unit('\n'), nextLf + 1);
        }
    }
}

template <typename View>
QList<Break> breaksIn(View units, qsizetype from = 0, qsizetype expected = 0)
{
    QList<Break> breaks;
    breaks.reserve(expected);
    forEachBreak(units, from, [&breaks](qsizetype at, qsizetype length, LineEnd end) {
        breaks.append({at, length, end});
    });
    return breaks;
}

// The breaks of UTF-16 bytes after the mark: the units CR and LF.
QList<Break> utf16Breaks(QByteArrayView bytes, qsizetype from, bool bigEndian)
{
    QList<Break> breaks;
    const qsizetype units = (bytes.size() - from) / 2;
    auto unitAt = [&](qsizetype n) {
        const uchar first = uchar(bytes[from + 2 * n]);
        const uchar second = uchar(bytes[from + 2 * n + 1]);
        return bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    };
    for (qsizetype n = 0; n < units; ++n) {
        const char16_t unit = unitAt(n);
        if (unit == u'\n') {
            breaks.append({from + 2 * n, 2, LineEnd::Lf});
        } else if (unit == u'\r') {
            const bool pair = n + 1 < units && unitAt(n + 1) == u'\n';
            breaks.append({from + 2 * n, pair ? 4 : 2, pair ? LineEnd::CrLf : LineEnd::Cr});
            if (pair)
                ++n;
        }
    }
    return breaks;
}

// ISO-2022-JP: the set an escape sequence switches to. An ESC byte is never part of a
// character, so the set in force anywhere is the one of the last escape sequence before it.
enum class Iso2022Set { Ascii, Roman, Other };

std::optional<Iso2022Set> escapeAt(QByteArrayView bytes, qsizetype i)
{
    if (i + 3 > bytes.size() || bytes[i] != '\x1B')
        return std::nullopt;
    const char first = bytes[i + 1];
    const char second = bytes[i + 2];
    if (first == '(' && second == 'B')
        return Iso2022Set::Ascii;
    if (first == '(' && second == 'J')
        return Iso2022Set::Roman;
    if ((first == '(' && second == 'I') || (first == '$' && (second == 'B' || second == '@')))
        return Iso2022Set::Other;
    return std::nullopt;
}

// ISO-2022-JP: CR and LF bytes are line breaks where ASCII or JIS X 0201 Roman is in force;
// in the two-byte and katakana sets they are bytes the reader keeps.
QList<Break> iso2022Breaks(QByteArrayView bytes)
{
    QList<Break> breaks;
    Iso2022Set set = Iso2022Set::Ascii;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char byte = bytes[i];
        if (byte == '\x1B') {
            if (const auto to = escapeAt(bytes, i)) {
                set = *to;
                i += 2;
            }
            continue;
        }
        if ((byte != '\r' && byte != '\n') || set == Iso2022Set::Other)
            continue;
        const bool pair = byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        breaks.append({i, pair ? 2 : 1,
                       byte == '\n' ? LineEnd::Lf
                       : pair       ? LineEnd::CrLf
                                    : LineEnd::Cr,
                       set == Iso2022Set::Ascii});
        if (pair)
            ++i;
    }
    return breaks;
}

// ISO-2022-JP: whether bytes written from the ASCII state leave another set in force.
bool leavesAscii(QByteArrayView bytes)
{
    for (qsizetype i = bytes.lastIndexOf('\x1B'); i >= 0;
         i = i > 0 ? bytes.first(i).lastIndexOf('\x1B') : -1)
        if (const auto set = escapeAt(bytes, i))
            return *set != Iso2022Set::Ascii;
    return false;
}

bool isUtf16(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf16LeBom || encoding == TextEncoding::Utf16BeBom;
}

QByteArray markOf(TextEncoding encoding)
{
    return encodeText(QString(), encoding);
}

void addReport(EncodeReport *total, const EncodeReport &part)
{
    if (!total)
        return;
    total->unmappable += part.unmappable;
    for (const QString &character : part.firstUnmappable)
        if (total->firstUnmappable.size() < firstUnmappableShown
            && !total->firstUnmappable.contains(character))
            total->firstUnmappable.append(character);
}

// A line of the text to write.
struct TextLine
{
    qsizetype start = 0;
    qsizetype length = 0;
};

QList<TextLine> linesOf(const QString &text)
{
    QList<TextLine> lines;
    lines.reserve(text.size() / 32 + 1);
    qsizetype start = 0;
    forEachBreak(QStringView(text), 0, [&](qsizetype at, qsizetype size, LineEnd) {
        lines.append({start, at - start});
        start = at + size;
    });
    lines.append({start, text.size() - start});
    return lines;
}

// For each line of the text, the line of `previous` with the same text that it is taken to be,
// or -1. Lines alike at the start and at the end pair in order; the lines between pair by
// their text, each line of `previous` once, first come first served.
QList<qsizetype> matchLines(const QString &text, const QList<TextLine> &lines,
                            const FileLines &previous)
{
    const QList<FileLines::Line> &old = previous.lines();
    auto same = [&](qsizetype line, qsizetype oldLine) {
        return QStringView(text).sliced(lines[line].start, lines[line].length)
               == previous.textOf(old[oldLine]);
    };
    QList<qsizetype> match(lines.size(), -1);
    qsizetype head = 0;
    while (head < lines.size() && head < old.size() && same(head, head)) {
        match[head] = head;
        ++head;
    }
    qsizetype end = lines.size();
    qsizetype oldEnd = old.size();
    while (end > head && oldEnd > head && same(end - 1, oldEnd - 1))
        match[--end] = --oldEnd;
    if (head == end || head == oldEnd)
        return match;

    struct Waiting
    {
        QList<qsizetype> lines;
        qsizetype next = 0;
    };
    QHash<QStringView, Waiting> waiting;
    waiting.reserve(oldEnd - head);
    for (qsizetype i = head; i < oldEnd; ++i)
        waiting[previous.textOf(old[i])].lines.append(i);
    for (qsizetype i = head; i < end; ++i) {
        const auto found = waiting.find(QStringView(text).sliced(lines[i].start, lines[i].length));
        if (found != waiting.end() && found->next < found->lines.size())
            match[i] = found->lines[found->next++];
    }
    return match;
}

// Puts the file together: the bytes of reused lines as they are, the other lines encoded in
// runs. Each run is encoded in one piece, starting after a line end (or at the start).
class LineWriter
{
public:
    LineWriter(TextEncoding encoding, EncodeReport *report)
        : m_encoding(encoding), m_report(report), m_markSize(markOf(encoding).size())
    {}

    QByteArray &out() { return m_out; }

    void addText(QStringView text, LineEnd end)
    {
        m_run.append(text);
        m_run.append(endText(end));
    }

    // Whether bytes may follow what has been written: what the runs wrote must leave the
    // reader in its first state. Only ISO-2022-JP has states; once a run leaves JIS X 0201
    // Roman in force, the rest of the text goes into that run.
    bool readyForBytes()
    {
        if (m_run.isEmpty())
            return true;
        if (m_stateful)
            return false;
        EncodeReport part;
        QByteArray bytes = encodeText(m_run, m_encoding, &part);
        if (m_encoding == TextEncoding::Iso2022Jp && leavesAscii(bytes)) {
            m_stateful = true;
            return false;
        }
        append(bytes, part);
        return true;
    }

    void finish()
    {
        if (m_run.isEmpty())
            return;
        EncodeReport part;
        append(encodeText(m_run, m_encoding, &part), part);
    }

private:
    void append(const QByteArray &bytes, const EncodeReport &part)
    {
        m_out.append(QByteArrayView(bytes).sliced(m_markSize));
        addReport(m_report, part);
        m_run.clear();
    }

    TextEncoding m_encoding;
    EncodeReport *m_report;
    qsizetype m_markSize;
    QByteArray m_out;
    QString m_run;
    bool m_stateful = false;
};

} // namespace

FileLines::FileLines(QByteArray bytes, TextEncoding encoding, LineEnd finalBreak)
    : m_bytes(std::move(bytes)), m_encoding(encoding)
{
    m_text = decodeText(m_bytes, encoding);
    const QByteArray mark = markOf(encoding);
    if (!mark.isEmpty() && m_bytes.startsWith(mark))
        m_markSize = mark.size();
    splitText();
    findLineBytes();
    mergeFinalBreak(finalBreak);
    findUsualEnd();
}

void FileLines::splitText()
{
    m_lines.reserve(m_text.size() / 32 + 1);
    qsizetype start = 0;
    forEachBreak(QStringView(m_text), 0, [&](qsizetype at, qsizetype size, LineEnd end) {
        Line line;
        line.textStart = start;
        line.textLength = at - start;
        line.end = end;
        m_lines.append(line);
        start = at + size;
    });
    Line last;
    last.textStart = start;
    last.textLength = m_text.size() - start;
    m_lines.append(last);
}

// Pairs the breaks of the text with those of the bytes. A break of the text comes from the
// same break in the bytes in every encoding here, in the same order; the bytes between two
// breaks read alone as the text between them, since every reader starts afresh after a break
// (ISO-2022-JP: where ASCII is in force after it).
void FileLines::findLineBytes()
{
    QList<Break> breaks;
    const QByteArrayView bytes(m_bytes);
    switch (m_encoding) {
    case TextEncoding::Utf16LeBom:
    case TextEncoding::Utf16BeBom:
        breaks = utf16Breaks(bytes, m_markSize, m_encoding == TextEncoding::Utf16BeBom);
        break;
    case TextEncoding::Iso2022Jp: breaks = iso2022Breaks(bytes); break;
    default: breaks = breaksIn(bytes, m_markSize, m_lines.size()); break;
    }
    if (breaks.size() != m_lines.size() - 1)
        return; // not expected to happen: the lines are then written as text
    for (qsizetype i = 0; i < breaks.size(); ++i)
        if (breaks[i].end != m_lines[i].end)
            return;

    const bool iso2022 = m_encoding == TextEncoding::Iso2022Jp;
    qsizetype start = m_markSize;
    bool asciiBefore = true;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        Line &line = m_lines[i];
        const bool last = i == breaks.size();
        line.byteStart = start;
        line.byteLength = (last ? m_bytes.size() : breaks[i].at) - start;
        line.endLength = last ? 0 : breaks[i].size;
        const bool asciiAfter = last || breaks[i].asciiAfter;
        line.reusable = !iso2022 || (asciiBefore && asciiAfter);
        line.onlyWithItsEnd = iso2022;
        line.onlyLast = isUtf16(m_encoding) && line.byteLength % 2 != 0;
        if (!last)
            start = breaks[i].at + breaks[i].size;
        asciiBefore = asciiAfter;
    }
}

void FileLines::mergeFinalBreak(LineEnd finalBreak)
{
    if (finalBreak == LineEnd::None || m_lines.size() < 2)
        return;
    const Line &last = m_lines.constLast();
    Line &before = m_lines[m_lines.size() - 2];
    if (last.textLength != 0 || last.byteLength != 0 || before.end != finalBreak)
        return;
    m_lines.removeLast();
}

void FileLines::findUsualEnd()
{
    int count[4] = {};
    for (const Line &line : std::as_const(m_lines))
        ++count[int(line.end)];
    m_usualEnd = LineEnd::CrLf;
    for (LineEnd end : {LineEnd::Lf, LineEnd::Cr})
        if (count[int(end)] > count[int(m_usualEnd)])
            m_usualEnd = end;
}

WrittenLines writeLines(const QString &text, TextEncoding encoding, const FileLines *previous,
                        EncodeReport *report)
{
    if (report)
        *report = EncodeReport();
    const QList<TextLine> lines = linesOf(text);
    const bool sameEncoding = previous && previous->encoding() == encoding;
    const LineEnd usualEnd = previous ? previous->usualEnd() : LineEnd::CrLf;
    WrittenLines written;
    written.finalBreak = previous ? previous->lines().constLast().end : LineEnd::CrLf;
    const QList<qsizetype> match
        = previous ? matchLines(text, lines, *previous) : QList<qsizetype>(lines.size(), -1);

    // Nothing changed: the file as it is, whatever its lines hold.
    bool unchanged = sameEncoding && lines.size() == previous->lines().size();
    for (qsizetype i = 0; unchanged && i < match.size(); ++i)
        unchanged = match[i] == i;
    if (unchanged) {
        written.bytes = previous->bytes();
        written.unchanged = true;
        return written;
    }

    LineWriter writer(encoding, report);
    QByteArray &out = writer.out();
    out.reserve(previous ? previous->bytes().size() + text.size() / 8 : text.size() * 2);
    const QByteArray mark = markOf(encoding);
    out.append(sameEncoding ? previous->mark() : QByteArrayView(mark));
    std::array<QByteArray, 4> endBytes;
    for (LineEnd end : {LineEnd::CrLf, LineEnd::Lf, LineEnd::Cr})
        endBytes[int(end)] = encodeText(endText(end).toString(), encoding).sliced(mark.size());

    QList<LineEnd> ends(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const FileLines::Line *old = match[i] >= 0 ? &previous->lines()[match[i]] : nullptr;
        ends[i] = i == lines.size() - 1              ? written.finalBreak
                  : old && old->end != LineEnd::None ? old->end
                                                     : usualEnd;
    }
    // A lone CR just before an empty line that ends with LF would read as one CR LF: the
    // line before ends with CR LF instead.
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        if (ends[i] == LineEnd::Cr && lines[i + 1].length == 0 && ends[i + 1] == LineEnd::Lf)
            ends[i] = LineEnd::CrLf;

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const FileLines::Line *old = match[i] >= 0 ? &previous->lines()[match[i]] : nullptr;
        const LineEnd end = ends[i];
        const bool reuse = sameEncoding && old && old->reusable
                           && (!old->onlyWithItsEnd || end == old->end)
                           && (!old->onlyLast || end == LineEnd::None);
        if (reuse && writer.readyForBytes()) {
            out.append(previous->bytesOf(*old));
            out.append(end == old->end ? previous->endBytesOf(*old)
                                       : QByteArrayView(endBytes[int(end)]));
        } else {
            writer.addText(QStringView(text).sliced(lines[i].start, lines[i].length), end);
        }
    }
    writer.finish();
    written.bytes = std::move(out);
    return written;
}
