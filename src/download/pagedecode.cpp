#include "download/pagedecode.h"

#include <QRegularExpression>

namespace {

// The charset parameter of a Content-Type value ("text/html; charset=\"UTF-8\"").
QByteArray charsetParameter(const QByteArray &contentType)
{
    static const QRegularExpression charset(QStringLiteral(R"(;\s*charset\s*=\s*["']?([^"';\s]+))"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = charset.match(QString::fromLatin1(contentType));
    return match.hasMatch() ? match.captured(1).toLatin1() : QByteArray();
}

} // namespace

TextEncoding pageEncoding(const QByteArray &body, const QByteArray &contentType)
{
    if (const auto mark = encodingOfMark(body))
        return *mark;
    if (const auto named = encodingNamed(charsetParameter(contentType)))
        return *named;
    if (const auto meta = encodingOfMeta(body))
        return *meta;
    return TextEncoding::ShiftJis;
}

QString decodePage(const QByteArray &body, const QByteArray &contentType)
{
    return decodeText(body, pageEncoding(body, contentType));
}
