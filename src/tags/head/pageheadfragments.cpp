#include "tags/head/pageheadfragments.h"

namespace {
const QString Quote = QStringLiteral("\"");
const QString CrLf = QStringLiteral("\r\n");
} // namespace

QString metaNameTag(const QString &name, const QString &content)
{
    return QStringLiteral("<META name=\"") + name + QStringLiteral("\" content=\"") + content
           + QStringLiteral("\">") + CrLf;
}

QString joinKeywords(const QStringList &keywords)
{
    QStringList present;
    for (const QString &keyword : keywords) {
        if (!keyword.isEmpty())
            present << keyword;
    }
    return present.join(QLatin1Char(','));
}

QString refreshTag(const QString &seconds, const QString &url)
{
    QString tag = QStringLiteral("<META http-equiv=\"refresh\" content=\"") + seconds;
    if (!url.isEmpty())
        tag += QStringLiteral(";URL=") + url;
    return tag + QStringLiteral("\">");
}

QString baseHrefTag(const QString &url, const QString &target)
{
    QString tag = QStringLiteral("<BASE href=") + Quote + url + Quote;
    if (!target.isEmpty())
        tag += QStringLiteral(" target=") + Quote + target + Quote;
    return tag + QStringLiteral(">");
}

QString nameAnchor(const QString &name, const QString &text)
{
    return QStringLiteral("<A name=\"") + name + QStringLiteral("\">") + text
           + QStringLiteral("</A>");
}

UrlHistory updatedUrlHistory(const UrlHistory &old, const QString &entered)
{
    UrlHistory history;
    history[0] = entered;
    size_t next = 1;
    for (size_t i = 0; i + 1 < old.size() && next < history.size(); ++i) {
        if (old[i] != entered)
            history[next++] = old[i];
    }
    return history;
}
