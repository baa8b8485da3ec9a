#include "core/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace {

bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

int lastSeparator(const QString &path)
{
    for (int i = int(path.size()) - 1; i >= 0; --i) {
        if (isSeparator(path[i]))
            return i;
    }
    return -1;
}

// The path split at every separator; n separators give n + 1 segments.
QStringList segments(const QString &path)
{
    QStringList parts;
    qsizetype begin = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (isSeparator(path[i])) {
            parts.append(path.mid(begin, i - begin));
            begin = i + 1;
        }
    }
    parts.append(path.mid(begin));
    return parts;
}

// Segment `i`, empty beyond the last one.
QString segmentAt(const QStringList &parts, qsizetype i)
{
    return i < parts.size() ? parts[i] : QString();
}

bool isPlainFile(const QString &path)
{
    return QFileInfo(path).isFile();
}

// Whether any plain file in the path's folder matches its last segment as a pattern of "*"
// and "?".
bool patternMatchesFile(const QString &path)
{
    const int cut = lastSeparator(path);
    const QString pattern = path.mid(cut + 1);
    if (!pattern.contains(u'*') && !pattern.contains(u'?'))
        return false;
    QString folder = cut < 0 ? QStringLiteral(".") : path.left(cut);
    if (cut == 0)
        folder = QStringLiteral("/");
    // Brackets are ordinary characters in the classic patterns.
    QString escaped = pattern;
    escaped.replace(u'[', QLatin1String("[[]"));
    QDir dir(folder);
    dir.setNameFilters({escaped});
    return !dir.isEmpty(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

QString FolderOf(const QString &path)
{
    const int cut = lastSeparator(path);
    // A file in the root of a native path lies in the root itself: an empty folder would
    // leave the caller in its default folder instead.
    if (cut == 0 && path[0] == u'/')
        return QStringLiteral("/");
    return cut < 0 ? QString() : path.left(cut);
}

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    if (isPlainFile(path))
        return true;
    QString native = path;
    native.replace(u'\\', u'/');
    return (native != path && isPlainFile(native)) || patternMatchesFile(native);
}

QString RelativePath(const QString &base, const QString &target)
{
    const QStringList a = segments(base);
    const QStringList b = segments(target);
    const qsizetype k = a.size() - 1;
    const qsizetype m = b.size() - 1;
    const qsizetype last = std::max(k, m);

    qsizetype c = 0;
    while (c <= last && samePath(segmentAt(a, c), segmentAt(b, c)))
        ++c;
    // The same file: its own name refers to it.
    if (c > last)
        return b[m];

    QString result;
    for (qsizetype i = c; i < k; ++i)
        result += QLatin1String("../");
    for (qsizetype n = c; n <= m; ++n) {
        result += b[n];
        if (n < m)
            result += u'/';
    }
    return result;
}

int HexDigitValue(const QString &ch)
{
    if (ch.size() != 1)
        return 0;
    const char16_t c = ch[0].unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return 0;
}

int HexByteValue(const QString &s)
{
    if (s.isEmpty())
        return 0;
    return HexDigitValue(s.left(1)) * 16 + HexDigitValue(s.right(1));
}

QString ColorToHtml(int color)
{
    // Only the 24 colour bits count; negative system colour codes would otherwise give
    // negative components.
    const unsigned value = static_cast<unsigned>(color) & 0xFFFFFFu;
    const unsigned red = value & 0xFF;
    const unsigned green = (value >> 8) & 0xFF;
    const unsigned blue = (value >> 16) & 0xFF;
    return QStringLiteral("#%1%2%3")
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString NextToken(const QString &text, int &start, const QString &separator)
{
    if (start <= 0)
        start = 1;
    if (start > text.size())
        return {};
    const qsizetype from = start - 1;
    const qsizetype at = text.indexOf(separator, from);
    return at < 0 ? text.mid(from) : text.mid(from, at - from);
}

bool samePath(const QString &a, const QString &b)
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}
