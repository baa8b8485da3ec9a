#include "core/nativepath.h"

#include <QUrl>

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace {

// The same reserved units as the codecs' kept bytes; a path keeps only bytes from 0x80 up
// (every byte below is ASCII and reads as itself).
constexpr char16_t keptBase = 0xDC00;

bool isKeptUnit(char16_t unit)
{
    return unit >= keptBase + 0x80 && unit <= keptBase + 0xFF;
}

void appendCodePoint(QString &out, char32_t codePoint)
{
    if (codePoint < 0x10000) {
        out.append(QChar(char16_t(codePoint)));
    } else {
        out.append(QChar(QChar::highSurrogate(codePoint)));
        out.append(QChar(QChar::lowSurrogate(codePoint)));
    }
}

// The length of the well-formed UTF-8 sequence at `at` and its code point; 0 when the bytes
// there do not form one (overlong forms, surrogates and values above U+10FFFF included).
int utf8Sequence(const uchar *bytes, qsizetype size, qsizetype at, char32_t *codePoint)
{
    const uchar lead = bytes[at];
    int length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (size - at < length)
        return 0;
    for (int k = 1; k < length; ++k) {
        const uchar next = bytes[at + k];
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *codePoint = value;
    return length;
}

void appendUtf8(QByteArray &out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out.append(char(codePoint));
    } else if (codePoint < 0x800) {
        out.append(char(0xC0 | (codePoint >> 6)));
        out.append(char(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.append(char(0xE0 | (codePoint >> 12)));
        out.append(char(0x80 | ((codePoint >> 6) & 0x3F)));
        out.append(char(0x80 | (codePoint & 0x3F)));
    } else {
        out.append(char(0xF0 | (codePoint >> 18)));
        out.append(char(0x80 | ((codePoint >> 12) & 0x3F)));
        out.append(char(0x80 | ((codePoint >> 6) & 0x3F)));
        out.append(char(0x80 | (codePoint & 0x3F)));
    }
}

} // namespace

QString pathFromNative(const QByteArray &native)
{
    const auto *bytes = reinterpret_cast<const uchar *>(native.constData());
    const qsizetype size = native.size();
    QString path;
    path.reserve(size);
    for (qsizetype i = 0; i < size;) {
        if (bytes[i] < 0x80) {
            path.append(QChar(char16_t(bytes[i])));
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        const int length = utf8Sequence(bytes, size, i, &codePoint);
        if (length == 0) {
            // Only this byte is kept: the next one may start a sequence of its own.
            path.append(QChar(char16_t(keptBase + bytes[i])));
            ++i;
            continue;
        }
        appendCodePoint(path, codePoint);
        i += length;
    }
    return path;
}

QString pathFromNative(const char *native)
{
    return native ? pathFromNative(QByteArray(native)) : QString();
}

QByteArray nativePath(const QString &path)
{
    QByteArray native;
    native.reserve(path.size() * 3);
    const qsizetype size = path.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = path.at(i).unicode();
        if (isKeptUnit(unit)) {
            native.append(char(unit - keptBase));
        } else if (QChar::isHighSurrogate(unit) && i + 1 < size
                   && path.at(i + 1).isLowSurrogate()) {
            appendUtf8(native, QChar::surrogateToUcs4(unit, path.at(i + 1).unicode()));
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            appendUtf8(native, QChar::ReplacementCharacter); // no file system name holds it
        } else {
            appendUtf8(native, unit);
        }
    }
    return native;
}

bool hasKeptBytes(const QString &path)
{
    for (const QChar c : path)
        if (isKeptUnit(c.unicode()))
            return true;
    return false;
}

QString displayPath(const QString &path)
{
    if (!hasKeptBytes(path))
        return path;
    QString shown;
    shown.reserve(path.size() + 16);
    for (const QChar c : path) {
        if (isKeptUnit(c.unicode()))
            shown += QStringLiteral("\\x")
                     + QString::number(uint(c.unicode() - keptBase), 16)
                           .toUpper()
                           .rightJustified(2, u'0');
        else
            shown += c;
    }
    return shown;
}

QString localPathOf(const QUrl &url)
{
    if (!url.isLocalFile())
        return {};
    // The fully encoded path is ASCII: every byte that is not a plain character comes as %XX,
    // whether or not the bytes are UTF-8.
    QByteArray native = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    const QString host = url.host();
    if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        native = "//" + host.toUtf8() + native; // a network share, as Qt's own reading gives it
    return pathFromNative(native);
}

QUrl urlOf(const QString &text)
{
    if (!hasKeptBytes(text))
        return QUrl(text);
    QString encoded;
    encoded.reserve(text.size() + 16);
    for (const QChar c : text) {
        if (isKeptUnit(c.unicode()))
            encoded += u'%' + QString::number(uint(c.unicode() - keptBase), 16).toUpper();
        else
            encoded += c;
    }
    return QUrl(encoded);
}

QUrl fileUrlOf(const QString &path)
{
    if (!hasKeptBytes(path))
        return QUrl::fromLocalFile(path);
    return QUrl::fromEncoded("file://" + nativePath(path).toPercentEncoding("/"), QUrl::StrictMode);
}

QStringList nativeArguments(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 0; i < argc && argv[i]; ++i)
        arguments << pathFromNative(argv[i]);
    return arguments;
}

QString nativeCurrentFolder()
{
    std::vector<char> buffer(4096);
    while (!::getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE || buffer.size() > (1u << 20))
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return pathFromNative(buffer.data());
}
