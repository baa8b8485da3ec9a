#include "tags/shared/tagoption.h"

#include <QHash>
#include <QStringBuilder>

namespace {

char16_t asciiLowerUnit(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

char16_t asciiUpperUnit(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}

// The blanks of HTML: space, tab, line feed, form feed and carriage return. A tag written over
// several lines reads like one written on a single line.
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

struct AttributeSpan
{
    qsizetype nameStart;
    qsizetype nameEnd;
    qsizetype valueStart;
    qsizetype valueEnd;
    qsizetype end; // after the closing quote of a quoted value
    bool hasValue;
};

// Walks the start tag whose "<" is at `from` as an HTML tokenizer does and hands every
// attribute to `onAttribute`. Answers the position of the tag's ">", or the text's length when
// the text ends first (inside a quoted value, for instance). One pass, each unit looked at once.
template <class OnAttribute>
qsizetype walkStartTag(QStringView text, qsizetype from, OnAttribute onAttribute)
{
    const qsizetype size = text.size();
    qsizetype at = from;
    if (at < size && text[at] == u'<')
        ++at;
    while (at < size && !isBlank(text[at]) && text[at] != u'/' && text[at] != u'>')
        ++at;
    while (true) {
        // Between attributes: blanks, and a "/" that does not close the tag.
        while (at < size && (isBlank(text[at]) || text[at] == u'/'))
            ++at;
        if (at >= size)
            return size;
        if (text[at] == u'>')
            return at;
        // A name may begin with any other character, "=" and quotes included.
        AttributeSpan span{};
        span.nameStart = at++;
        while (at < size && !isBlank(text[at]) && text[at] != u'/' && text[at] != u'>'
               && text[at] != u'=')
            ++at;
        span.nameEnd = at;
        qsizetype look = at;
        while (look < size && isBlank(text[look]))
            ++look;
        if (look >= size || text[look] != u'=') {
            span.valueStart = span.valueEnd = span.end = span.nameEnd;
            span.hasValue = false;
            onAttribute(span);
            continue;
        }
        at = look + 1;
        while (at < size && isBlank(text[at]))
            ++at;
        span.hasValue = true;
        if (at < size && (text[at] == u'"' || text[at] == u'\'')) {
            const QChar quote = text[at];
            span.valueStart = ++at;
            while (at < size && text[at] != quote)
                ++at;
            span.valueEnd = at;
            if (at < size)
                ++at;
            span.end = at;
        } else {
            span.valueStart = at;
            while (at < size && !isBlank(text[at]) && text[at] != u'>')
                ++at;
            span.valueEnd = span.end = at;
        }
        onAttribute(span);
    }
}

const TagAttribute *findAttribute(const QList<TagAttribute> &attributes, QStringView name)
{
    for (const TagAttribute &attribute : attributes) {
        if (equalsAsciiCaseless(attribute.name, name))
            return &attribute;
    }
    return nullptr;
}

// The attributes of a tag by name (ASCII letters lower-cased), the first of each name only: a
// tag of many thousand attributes is looked up without a search per attribute.
class AttributesByName
{
public:
    explicit AttributesByName(const QList<TagAttribute> &attributes)
    {
        for (const TagAttribute &attribute : attributes) {
            const QString key = lowerSameLength(attribute.name);
            if (!m_first.contains(key))
                m_first.insert(key, &attribute);
        }
    }
    const TagAttribute *find(const QString &name) const
    {
        return m_first.value(lowerSameLength(name), nullptr);
    }
    bool isFirst(const TagAttribute &attribute) const { return find(attribute.name) == &attribute; }

private:
    QHash<QString, const TagAttribute *> m_first;
};

// Two attributes (either may be absent) say the same: both absent, or both present with the
// same value ("&quot;" read as a quote; a bare attribute has the empty value), the same as
// `sameMeaning` sees it when one is given.
bool sameValue(const TagAttribute *a, const TagAttribute *b, SameMeaning sameMeaning = nullptr)
{
    if (!a || !b)
        return !a && !b;
    const QString va = decodedQuotes(a->value);
    const QString vb = decodedQuotes(b->value);
    return sameMeaning ? sameMeaning(a->name, va, vb) : va == vb;
}

bool sameTextWithoutCase(QStringView, const QString &oldValue, const QString &written)
{
    return equalsAsciiCaseless(oldValue, written);
}

// Where attributes appended to the start tag at the beginning of `tag` go: before its ">", or
// before the "/" of a closing "/>".
qsizetype appendPosition(const QString &tag)
{
    const qsizetype end = startTagEnd(tag);
    return end > 0 && end < tag.size() && tag[end - 1] == u'/' ? end - 1 : end;
}

} // namespace

QString lowerSameLength(const QString &text)
{
    QString lower(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        lower[i] = QChar(asciiLowerUnit(text[i].unicode()));
    return lower;
}

QString asciiUpper(const QString &text)
{
    QString upper(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        upper[i] = QChar(asciiUpperUnit(text[i].unicode()));
    return upper;
}

bool equalsAsciiCaseless(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiLowerUnit(a[i].unicode()) != asciiLowerUnit(b[i].unicode()))
            return false;
    }
    return true;
}

bool startsWithAsciiCaseless(QStringView text, QStringView prefix)
{
    return text.size() >= prefix.size() && equalsAsciiCaseless(text.left(prefix.size()), prefix);
}

bool endsWithAsciiCaseless(QStringView text, QStringView suffix)
{
    return text.size() >= suffix.size() && equalsAsciiCaseless(text.right(suffix.size()), suffix);
}

bool containsAsciiCaseless(const QStringList &names, QStringView name)
{
    for (const QString &candidate : names) {
        if (equalsAsciiCaseless(candidate, name))
            return true;
    }
    return false;
}

QString decodedQuotes(const QString &value)
{
    if (!value.contains(u'&'))
        return value;
    return QString(value).replace(QLatin1String("&quot;"), QLatin1String("\""));
}

qsizetype startTagEndAt(QStringView text, qsizetype from)
{
    return walkStartTag(text, from, [](const AttributeSpan &) {});
}

qsizetype startTagEnd(const QString &tag)
{
    return startTagEndAt(tag, 0);
}

QList<TagAttribute> readTagAttributes(const QString &tag)
{
    QList<TagAttribute> list;
    walkStartTag(tag, 0, [&](const AttributeSpan &span) {
        TagAttribute attribute;
        attribute.name = tag.mid(span.nameStart, span.nameEnd - span.nameStart);
        attribute.value = tag.mid(span.valueStart, span.valueEnd - span.valueStart);
        attribute.hasValue = span.hasValue;
        attribute.spelled = tag.mid(span.nameStart, span.end - span.nameStart);
        attribute.start = span.nameStart;
        list << attribute;
    });
    return list;
}

QString GetTagOption(const QString &tag, const QString &name)
{
    const QList<TagAttribute> attributes = readTagAttributes(tag);
    if (const TagAttribute *attribute = findAttribute(attributes, name))
        return decodedQuotes(attribute->value);
    return NoOpt;
}

QString keepUnmanagedAttributes(const QString &newTag, const QString &oldTag,
                                const QStringList &managed)
{
    QString kept;
    for (const TagAttribute &attribute : readTagAttributes(oldTag)) {
        if (!containsAsciiCaseless(managed, attribute.name))
            kept += QLatin1Char(' ') + attribute.spelled;
    }
    if (kept.isEmpty())
        return newTag;
    const qsizetype at = appendPosition(newTag);
    return newTag.left(at) + kept + newTag.mid(at);
}

QString mergeReEditedTag(const QString &result, const QString &untouched, const QString &oldTag,
                         const QStringList &managed, SameMeaning sameMeaning)
{
    if (!sameMeaning)
        sameMeaning = sameTextWithoutCase;
    const QList<TagAttribute> writtenList = readTagAttributes(result);
    const QList<TagAttribute> shownList = readTagAttributes(untouched);
    const QList<TagAttribute> oldList = readTagAttributes(oldTag);
    const AttributesByName written(writtenList), shown(shownList), old(oldList);

    // The result's own attributes, each as the dialog wrote it or as the old tag spelled it.
    QString merged;
    qsizetype copied = 0;
    for (const TagAttribute &attribute : writtenList) {
        if (!written.isFirst(attribute) || !containsAsciiCaseless(managed, attribute.name))
            continue;
        const TagAttribute *before = old.find(attribute.name);
        const TagAttribute *atOpening = shown.find(attribute.name);
        const bool leftAsShown = sameValue(&attribute, atOpening);
        if (before && leftAsShown && !sameValue(before, atOpening, sameMeaning)) {
            merged += QStringView(result).mid(copied, attribute.start - copied) % before->spelled;
            copied = attribute.start + attribute.spelled.size();
        }
    }

    // The old attributes that come back after them.
    QString kept;
    for (const TagAttribute &attribute : oldList) {
        bool keep = !containsAsciiCaseless(managed, attribute.name);
        if (!keep && old.isFirst(attribute))
            keep = !written.find(attribute.name) && !shown.find(attribute.name);
        if (keep)
            kept += QLatin1Char(' ') + attribute.spelled;
    }
    const qsizetype at = appendPosition(result);
    merged += QStringView(result).mid(copied, at - copied) % kept % QStringView(result).mid(at);
    return merged;
}
