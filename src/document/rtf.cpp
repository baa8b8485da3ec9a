#include "document/rtf.h"

#include "core/codec.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <climits>
#include <iconv.h>
#include <vector>

void appendRtfSpan(QList<RtfSpan> &spans, const QString &text, int color, bool bold)
{
    if (text.isEmpty())
        return;
    if (!spans.isEmpty() && spans.last().color == color && spans.last().bold == bold)
        spans.last().text += text;
    else
        spans.append(RtfSpan{text, color, bold});
}

namespace {

// ---------------------------------------------------------------------------------------
// Writing

void writeEscaped(QString &out, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (u == '\r') {
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            out += QLatin1String("\\par\r\n");
        } else if (u == '\n') {
            out += QLatin1String("\\par\r\n");
        } else if (u == '\t') {
            out += QLatin1String("\\tab ");
        } else if (u == '\\' || u == '{' || u == '}') {
            out += u'\\';
            out += c;
        } else if (u < 0x20 || u >= 0x7F) {
            // Signed 16-bit, as RTF readers expect; the "?" is the one-character fallback.
            out += QLatin1String("\\u") + QString::number(static_cast<qint16>(u)) + u'?';
        } else {
            out += c;
        }
    }
}

QString colorEntry(int color)
{
    return QStringLiteral("\\red%1\\green%2\\blue%3;")
        .arg(color & 0xFF)
        .arg((color >> 8) & 0xFF)
        .arg((color >> 16) & 0xFF);
}

// ---------------------------------------------------------------------------------------
// Reading

int codePageOfCharset(int charset, int documentCodePage)
{
    switch (charset) {
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    default: return documentCodePage; // ANSI, default, symbol and the rest
    }
}

bool isDoubleByteCodePage(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

bool isLeadByte(int codePage, unsigned char b)
{
    if (codePage == 932)
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    return isDoubleByteCodePage(codePage) && b >= 0x81 && b <= 0xFE;
}

QString decodeWithIconv(const QByteArray &bytes, const QByteArray &name)
{
    iconv_t cd = iconv_open("UTF-16LE", name.constData());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(bytes);
    QString result;
    QByteArray out(bytes.size() * 4 + 8, Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char *o = out.data();
        size_t outLeft = out.size();
        const size_t rc = iconv(cd, &in, &inLeft, &o, &outLeft);
        result += QStringView(reinterpret_cast<const char16_t *>(out.constData()),
                              (out.size() - outLeft) / 2);
        if (rc == static_cast<size_t>(-1) && inLeft > 0) {
            // A byte the code page does not define: mark it and go on after it.
            result += QChar::ReplacementCharacter;
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return result;
}

QString decodeBytes(const QByteArray &bytes, int codePage)
{
    switch (codePage) {
    case 932: return decodeCp932(bytes);
    case 10000: return decodeWithIconv(bytes, "MACINTOSH");
    case 65001: return QString::fromUtf8(bytes);
    default:
        if (codePage <= 0)
            return QString::fromLatin1(bytes);
        return decodeWithIconv(bytes, "CP" + QByteArray::number(codePage));
    }
}

// Groups whose content is not text of the document.
const QSet<QString> &skippedDestinations()
{
    static const QSet<QString> names = {
        QStringLiteral("stylesheet"),
        QStringLiteral("info"),
        QStringLiteral("pict"),
        QStringLiteral("header"),
        QStringLiteral("headerl"),
        QStringLiteral("headerr"),
        QStringLiteral("headerf"),
        QStringLiteral("footer"),
        QStringLiteral("footerl"),
        QStringLiteral("footerr"),
        QStringLiteral("footerf"),
        QStringLiteral("footnote"),
        QStringLiteral("fldinst"),
        QStringLiteral("object"),
        QStringLiteral("objdata"),
        QStringLiteral("themedata"),
        QStringLiteral("colorschememapping"),
        QStringLiteral("datastore"),
        QStringLiteral("latentstyles"),
        QStringLiteral("listtable"),
        QStringLiteral("listoverridetable"),
        QStringLiteral("rsidtbl"),
        QStringLiteral("generator"),
        QStringLiteral("xmlnstbl"),
        QStringLiteral("filetbl"),
        QStringLiteral("revtbl"),
        QStringLiteral("pgdsctbl"),
        QStringLiteral("annotation"),
        QStringLiteral("atnid"),
        QStringLiteral("atnauthor"),
        QStringLiteral("private"),
        QStringLiteral("template"),
        QStringLiteral("userprops"),
        QStringLiteral("nonshppict"),
        QStringLiteral("shpinst"),
        QStringLiteral("txe"),
        QStringLiteral("xe"),
        QStringLiteral("tc"),
        QStringLiteral("bkmkstart"),
        QStringLiteral("bkmkend"),
        QStringLiteral("mmathPr"),
        QStringLiteral("author"),
        QStringLiteral("operator"),
        QStringLiteral("title"),
        QStringLiteral("subject"),
        QStringLiteral("keywords"),
        QStringLiteral("comment"),
        QStringLiteral("doccomm"),
    };
    return names;
}

// Control words that stand for one character.
QChar specialCharacter(QStringView word)
{
    static const QHash<QString, char16_t> chars = {
        {QStringLiteral("tab"), u'\t'},        {QStringLiteral("cell"), u'\t'},
        {QStringLiteral("emdash"), 0x2014},    {QStringLiteral("endash"), 0x2013},
        {QStringLiteral("emspace"), 0x2003},   {QStringLiteral("enspace"), 0x2002},
        {QStringLiteral("qmspace"), 0x2005},   {QStringLiteral("bullet"), 0x2022},
        {QStringLiteral("lquote"), 0x2018},    {QStringLiteral("rquote"), 0x2019},
        {QStringLiteral("ldblquote"), 0x201C}, {QStringLiteral("rdblquote"), 0x201D},
        {QStringLiteral("zwj"), 0x200D},       {QStringLiteral("zwnj"), 0x200C},
        {QStringLiteral("ltrmark"), 0x200E},   {QStringLiteral("rtlmark"), 0x200F},
        {QStringLiteral("par"), u'\n'},        {QStringLiteral("line"), u'\n'},
        {QStringLiteral("row"), u'\n'},        {QStringLiteral("sect"), u'\n'},
        {QStringLiteral("page"), u'\n'},
    };
    return QChar(chars.value(word.toString(), 0));
}

class RtfReader
{
public:
    explicit RtfReader(QStringView input) : in(input) {}

    QList<RtfSpan> read()
    {
        while (pos < in.size()) {
            const char16_t c = in.at(pos).unicode();
            if (c == '{') {
                ++pos;
                flushBytes();
                fallbackLeft = 0;
                stack.push_back(state);
            } else if (c == '}') {
                ++pos;
                flushBytes();
                fallbackLeft = 0;
                endGroup();
            } else if (c == '\\') {
                ++pos;
                readControl();
            } else {
                ++pos;
                if (c != '\r' && c != '\n' && c != 0)
                    character(c);
            }
        }
        flushBytes();
        return spans;
    }

private:
    enum class Destination { Text, FontTable, ColorTable, Skipped };
    // The kind of characters a run is marked as. Office suites give bold Japanese text as
    // associated bold (\ab) of \loch, \hich and \dbch runs; \ab after \rtlch is meant for
    // right-to-left scripts only.
    enum class Run { Unmarked, LeftToRight, RightToLeft, ByteClass };

    struct State
    {
        Destination destination = Destination::Text;
        int color = 0;
        bool bold = false;
        bool associatedBold = false; // \ab
        Run run = Run::Unmarked;
        bool hidden = false; // \v
        int font = -1;
        int fallbackLength = 1; // \ucN
    };

    // Plain characters of the input.
    void character(char16_t c)
    {
        if (consumeFallback())
            return;
        switch (state.destination) {
        case Destination::ColorTable:
            if (c == ';')
                endColorEntry();
            return;
        case Destination::FontTable:
            if (c == ';')
                tableFont = -1;
            return;
        case Destination::Skipped: return;
        case Destination::Text: break;
        }
        if (c >= 0x80 && c <= 0xFF) {
            addByte(static_cast<unsigned char>(c));
        } else if (c >= 0x40 && c < 0x7F && awaitingTrailByte()) {
            // A writer that leaves the second byte of a double-byte character unescaped.
            addByte(static_cast<unsigned char>(c));
        } else {
            flushBytes();
            text(QString(QChar(c)));
        }
    }

    void readControl()
    {
        if (pos >= in.size())
            return;
        const QChar c = in.at(pos);
        if (isAsciiLetter(c)) {
            const qsizetype start = pos;
            while (pos < in.size() && isAsciiLetter(in.at(pos)))
                ++pos;
            const QStringView word = in.mid(start, pos - start);
            bool hasParameter = false;
            long long parameter = 0;
            bool negative = false;
            if (pos + 1 < in.size() && in.at(pos) == u'-' && in.at(pos + 1).isDigit()) {
                negative = true;
                ++pos;
            }
            while (pos < in.size() && in.at(pos).unicode() >= '0' && in.at(pos).unicode() <= '9') {
                hasParameter = true;
                // Saturate: absurd numbers must not overflow.
                parameter
                    = std::min<long long>(parameter * 10 + (in.at(pos).unicode() - '0'), INT_MAX);
                ++pos;
            }
            if (pos < in.size() && in.at(pos) == u' ')
                ++pos;
            controlWord(word, hasParameter, static_cast<int>(negative ? -parameter : parameter));
            return;
        }
        ++pos;
        controlSymbol(c.unicode());
    }

    void controlSymbol(char16_t c)
    {
        if (c == '\'') {
            int value = 0;
            int digits = 0;
            while (digits < 2 && pos < in.size() && isHexDigit(in.at(pos))) {
                value = value * 16 + hexValue(in.at(pos));
                ++pos;
                ++digits;
            }
            if (consumeFallback() || state.destination != Destination::Text || digits == 0)
                return;
            addByte(static_cast<unsigned char>(value));
            return;
        }
        if (c == '*') {
            // An optional destination: nothing in it is text we could show.
            state.destination = Destination::Skipped;
            return;
        }
        flushBytes();
        if (consumeFallback() || state.destination != Destination::Text)
            return;
        switch (c) {
        case '\\':
        case '{':
        case '}': text(QString(QChar(c))); break;
        case '~': text(QString(QChar(0x00A0))); break;
        case '_': text(QString(QChar(0x2011))); break;
        case '\r':
        case '\n': text(QStringLiteral("\n")); break;
        case '\t': text(QStringLiteral("\t")); break;
        default: break; // \- (optional hyphen), \: and unknown symbols
        }
    }

    void controlWord(QStringView word, bool hasParameter, int parameter)
    {
        flushBytes();
        if (word == u"bin") {
            // Raw binary data follows; it may contain anything, braces included.
            pos += std::clamp<qsizetype>(hasParameter ? parameter : 0, 0, in.size() - pos);
            return;
        }
        if (state.destination == Destination::Skipped)
            return;
        if (consumeFallback())
            return;
        if (state.destination == Destination::FontTable) {
            fontTableWord(word, parameter);
            return;
        }
        if (state.destination == Destination::ColorTable) {
            colorTableWord(word, parameter);
            return;
        }
        if (word == u"fonttbl") {
            state.destination = Destination::FontTable;
        } else if (word == u"colortbl") {
            state.destination = Destination::ColorTable;
            colors.clear();
            pendingColor = -1;
        } else if (skippedDestinations().contains(word.toString())) {
            state.destination = Destination::Skipped;
        } else if (word == u"u" && hasParameter) {
            // Negative values stand for code units above 32767.
            const int unit = parameter < 0 ? parameter + 65536 : parameter;
            if (unit >= 0 && unit <= 0xFFFF && unit != 0)
                text(QString(QChar(static_cast<char16_t>(unit))));
            fallbackLeft = state.fallbackLength;
        } else if (word == u"uc") {
            state.fallbackLength = std::clamp(parameter, 0, 16);
        } else if (word == u"cf") {
            state.color = colors.value(parameter, -1) < 0 ? 0 : colors.at(parameter);
        } else if (word == u"b") {
            state.bold = !hasParameter || parameter != 0;
        } else if (word == u"ab") {
            if (state.run != Run::RightToLeft)
                state.associatedBold = !hasParameter || parameter != 0;
        } else if (word == u"loch" || word == u"hich" || word == u"dbch") {
            state.run = Run::ByteClass;
        } else if (word == u"ltrch") {
            state.run = Run::LeftToRight;
        } else if (word == u"rtlch") {
            state.run = Run::RightToLeft;
        } else if (word == u"v") {
            state.hidden = !hasParameter || parameter != 0;
        } else if (word == u"plain") {
            state.color = 0;
            state.bold = false;
            state.associatedBold = false;
            state.run = Run::Unmarked;
            state.hidden = false;
            state.font = defaultFont;
        } else if (word == u"f") {
            state.font = parameter;
        } else if (word == u"deff") {
            defaultFont = parameter;
            if (state.font < 0)
                state.font = parameter;
        } else if (word == u"ansicpg") {
            documentCodePage = parameter;
        } else if (word == u"ansi") {
            documentCodePage = 1252;
        } else if (word == u"mac") {
            documentCodePage = 10000;
        } else if (word == u"pc") {
            documentCodePage = 437;
        } else if (word == u"pca") {
            documentCodePage = 850;
        } else if (const QChar special = specialCharacter(word); !special.isNull()) {
            text(QString(special));
        }
    }

    void fontTableWord(QStringView word, int parameter)
    {
        if (word == u"f")
            tableFont = parameter;
        else if (word == u"fcharset" && tableFont >= 0)
            fontCharsets.insert(tableFont, parameter);
        else if (word == u"cpg" && tableFont >= 0)
            fontCodePages.insert(tableFont, parameter);
    }

    void colorTableWord(QStringView word, int parameter)
    {
        const int component = std::clamp(parameter, 0, 255);
        if (pendingColor < 0)
            pendingColor = 0;
        if (word == u"red")
            pendingColor = (pendingColor & 0xFFFF00) | component;
        else if (word == u"green")
            pendingColor = (pendingColor & 0xFF00FF) | (component << 8);
        else if (word == u"blue")
            pendingColor = (pendingColor & 0x00FFFF) | (component << 16);
    }

    void endColorEntry()
    {
        colors.append(pendingColor); // -1: the automatic colour
        pendingColor = -1;
    }

    void endGroup()
    {
        if (stack.empty())
            return; // a stray "}"
        const Destination leaving = state.destination;
        state = stack.back();
        stack.pop_back();
        if (leaving == Destination::FontTable && state.destination != Destination::FontTable)
            tableFont = -1;
    }

    // Fallback characters after \uN are skipped, each counted as one whatever its form.
    bool consumeFallback()
    {
        if (fallbackLeft <= 0)
            return false;
        --fallbackLeft;
        return true;
    }

    int currentCodePage() const
    {
        if (const auto cp = fontCodePages.constFind(state.font); cp != fontCodePages.cend())
            return cp.value();
        if (const auto cs = fontCharsets.constFind(state.font); cs != fontCharsets.cend())
            return codePageOfCharset(cs.value(), documentCodePage);
        return documentCodePage;
    }

    void addByte(unsigned char b)
    {
        const int codePage = currentCodePage();
        if (!bytes.isEmpty() && codePage != bytesCodePage)
            flushBytes();
        bytesCodePage = codePage;
        bytes.append(static_cast<char>(b));
        trailPending = !trailPending && isLeadByte(codePage, b);
    }

    // Whether the pending bytes end with the lead byte of a double-byte character.
    bool awaitingTrailByte() const { return trailPending; }

    void flushBytes()
    {
        if (bytes.isEmpty())
            return;
        const QString decoded = decodeBytes(bytes, bytesCodePage);
        bytes.clear();
        trailPending = false;
        text(decoded);
    }

    void text(const QString &t)
    {
        if (!state.hidden)
            appendRtfSpan(spans, t, state.color, isBold());
    }

    bool isBold() const
    {
        return state.bold || (state.associatedBold && state.run == Run::ByteClass);
    }

    static bool isAsciiLetter(QChar c)
    {
        const char16_t u = c.unicode();
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
    }
    static bool isHexDigit(QChar c) { return hexValue(c) >= 0; }
    static int hexValue(QChar c)
    {
        const char16_t u = c.unicode();
        if (u >= '0' && u <= '9')
            return u - '0';
        if (u >= 'a' && u <= 'f')
            return u - 'a' + 10;
        if (u >= 'A' && u <= 'F')
            return u - 'A' + 10;
        return -1;
    }

    QStringView in;
    qsizetype pos = 0;
    State state;
    std::vector<State> stack;
    QList<RtfSpan> spans;

    int documentCodePage = 1252;
    int defaultFont = -1;
    int tableFont = -1;
    QHash<int, int> fontCharsets;
    QHash<int, int> fontCodePages;
    QList<int> colors;
    int pendingColor = -1;
    int fallbackLeft = 0;

    QByteArray bytes;
    int bytesCodePage = 1252;
    bool trailPending = false;
};

} // namespace

QString rtfFromSpans(const QList<RtfSpan> &spans)
{
    // Index 0 is the automatic colour, 1 is black; other colours follow in order of use.
    QList<int> table{0};
    for (const RtfSpan &span : spans)
        if (!table.contains(span.color & 0xFFFFFF))
            table.append(span.color & 0xFFFFFF);

    QString out = QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg932\\deff0\\uc1"
        "{\\fonttbl{\\f0\\fmodern\\fcharset128 Noto Sans Mono CJK JP;}}{\\colortbl;");
    for (int color : std::as_const(table))
        out += colorEntry(color);
    out += QLatin1String("}\r\n\\pard\\plain\\f0\\fs27 ");

    int currentIndex = 0;
    bool currentBold = false;
    for (const RtfSpan &span : spans) {
        if (span.text.isEmpty())
            continue;
        const int index = table.indexOf(span.color & 0xFFFFFF) + 1;
        if (index != currentIndex) {
            out += QStringLiteral("\\cf%1 ").arg(index);
            currentIndex = index;
        }
        if (span.bold != currentBold) {
            out += span.bold ? QLatin1String("\\b ") : QLatin1String("\\b0 ");
            currentBold = span.bold;
        }
        writeEscaped(out, span.text);
    }
    out += u'}';
    return out;
}

QList<RtfSpan> spansFromRtf(QStringView rtf)
{
    qsizetype start = 0;
    while (start < rtf.size() && rtf.at(start).isSpace())
        ++start;
    if (!rtf.mid(start).startsWith(u"{\\rtf")) {
        QString plain = rtf.toString();
        plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        plain.replace(u'\r', u'\n');
        QList<RtfSpan> spans;
        appendRtfSpan(spans, plain, 0, false);
        return spans;
    }
    return RtfReader(rtf).read();
}

QString plainTextOf(const QList<RtfSpan> &spans)
{
    QString text;
    for (const RtfSpan &span : spans)
        text += span.text;
    return text;
}

QByteArray rtfToBytes(const QString &rtf)
{
    QByteArray bytes;
    bytes.reserve(rtf.size());
    for (QChar c : rtf) {
        if (c.unicode() <= 0xFF)
            bytes.append(static_cast<char>(c.unicode()));
        else
            bytes += "\\u" + QByteArray::number(static_cast<qint16>(c.unicode())) + '?';
    }
    return bytes;
}

QString rtfFromBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}
