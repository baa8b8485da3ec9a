#include "document/completion.h"

#include "document/markupscan.h"
#include "document/tagvocabulary.h"

namespace {

bool isNameChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
           || c == u'-' || c == u':' || c == u'_';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == QChar(0x3000);
}

bool allNameChars(QStringView text)
{
    for (QChar c : text)
        if (!isNameChar(c))
            return false;
    return true;
}

// The request inside the attributes of a start tag: `text` runs from the end of the tag's name
// to the caret, and starts at `offset` in the scanned text.
CompletionRequest attributeRequest(const QString &tag, QStringView text, qsizetype offset)
{
    CompletionRequest request;
    request.tag = tag;
    const qsizetype size = text.size();
    qsizetype i = 0;
    if (size == 0 || !isBlank(text[0]))
        return request; // still the tag's name, or something that is no name
    while (true) {
        while (i < size && isBlank(text[i]))
            ++i;
        const qsizetype nameStart = i;
        while (i < size && isNameChar(text[i]))
            ++i;
        if (i == size) {
            request.kind = CompletionKind::AttributeName;
            request.prefixStart = offset + nameStart;
            request.prefix = text.mid(nameStart).toString();
            return request;
        }
        const QString name = text.mid(nameStart, i - nameStart).toString().toLower();
        if (!name.isEmpty())
            request.present << name;
        qsizetype j = i;
        while (j < size && isBlank(text[j]))
            ++j;
        if (j < size && text[j] == u'=') {
            ++j;
            while (j < size && isBlank(text[j]))
                ++j;
            request.attribute = name;
            if (j == size) {
                request.kind = CompletionKind::AttributeValue;
                request.prefixStart = offset + j;
                return request;
            }
            const QChar first = text[j];
            if (first == u'"' || first == u'\'') {
                const qsizetype close = text.indexOf(first, j + 1);
                if (close < 0) {
                    request.kind = CompletionKind::AttributeValue;
                    request.quote = first;
                    request.prefixStart = offset + j + 1;
                    request.prefix = text.mid(j + 1).toString();
                    return request;
                }
                i = close + 1;
                if (i == size)
                    return {}; // the value was just closed
            } else {
                qsizetype end = j;
                while (end < size && !isBlank(text[end]))
                    ++end;
                if (end == size) {
                    request.kind = CompletionKind::AttributeValue;
                    request.prefixStart = offset + j;
                    request.prefix = text.mid(j).toString();
                    return request;
                }
                i = end;
            }
            request.attribute.clear();
            continue;
        }
        if (i == nameStart)
            ++i; // a character that belongs to no attribute ("/", a stray quote)
        if (i >= size) {
            request.kind = CompletionKind::AttributeName;
            request.prefixStart = offset + size;
            return request;
        }
    }
}

// The open elements after `tag`, as a browser nests them.
void follow(OpenElements &open, const ScannedTag &tag)
{
    if (tag.open || tag.name.isEmpty())
        return;
    if (!tag.isEnd) {
        if (!tag.selfClosed && !isEmptyElement(tag.name))
            open.push(tag.name);
    } else if (const qsizetype at = open.find(tag.name); at >= 0) {
        open.closeFrom(at); // closes the elements left open inside it too
    }
}

QString inCase(const QString &name, bool lowerCase)
{
    return lowerCase ? name.toLower() : name.toUpper();
}

QStringList startingWith(const QStringList &names, const QString &prefix)
{
    QStringList found;
    for (const QString &name : names)
        if (name.startsWith(prefix, Qt::CaseInsensitive))
            found << name;
    return found;
}

} // namespace

bool mayComplete(QStringView lineBefore)
{
    const qsizetype open = lineBefore.lastIndexOf(u'<');
    return open >= 0 && lineBefore.indexOf(u'>', open) < 0;
}

MarkupContext markupContextAfter(QStringView text)
{
    MarkupContext context;
    const ScanEnd end = scanMarkup(text, [&](const ScannedTag &tag) {
        follow(context.open, tag);
        return true;
    });
    context.inContent = end == ScanEnd::Text;
    return context;
}

CompletionRequest completionAt(QStringView before, const OpenElements &openBefore)
{
    OpenElements openElements = openBefore;
    ScannedTag last;
    const ScanEnd end = scanMarkup(before, [&](const ScannedTag &tag) {
        last = tag;
        follow(openElements, tag);
        return true;
    });
    if (end != ScanEnd::Tag)
        return {};
    CompletionRequest request;
    const QStringView text = before.mid(last.start);
    if (last.isEnd) {
        const QStringView typed = text.mid(2);
        if (!allNameChars(typed))
            return {};
        request.kind = CompletionKind::EndTag;
        request.prefixStart = last.start + 2;
        request.prefix = typed.toString();
        request.innermost = openElements.innermost();
        return request;
    }
    const QStringView typed = text.mid(1);
    if (allNameChars(typed)) {
        request.kind = CompletionKind::TagName;
        request.prefixStart = last.start + 1;
        request.prefix = typed.toString();
        return request;
    }
    const qsizetype nameLength = last.name.size();
    return attributeRequest(last.name, typed.mid(nameLength), last.start + 1 + nameLength);
}

QStringList completionItems(const CompletionRequest &request, const TagVocabulary &vocabulary,
                            bool lowerCase)
{
    QStringList items;
    switch (request.kind) {
    case CompletionKind::None: break;
    case CompletionKind::TagName:
        for (const QString &tag : startingWith(vocabulary.tags(), request.prefix))
            items << inCase(tag, lowerCase);
        break;
    case CompletionKind::EndTag:
        if (!request.innermost.isEmpty()
            && request.innermost.startsWith(request.prefix, Qt::CaseInsensitive))
            items << inCase(request.innermost, lowerCase);
        break;
    case CompletionKind::AttributeName:
        for (const QString &name :
             startingWith(vocabulary.attributesOf(request.tag), request.prefix))
            if (!request.present.contains(name.toLower())
                || name.compare(request.prefix, Qt::CaseInsensitive) == 0)
                items << name;
        break;
    case CompletionKind::AttributeValue:
        items = startingWith(vocabulary.wordsOf(request.tag, request.attribute), request.prefix);
        break;
    }
    return items;
}

CompletionInsert completionInsert(const CompletionRequest &request, const QString &item,
                                  bool closingTags, QStringView textAfterCaret)
{
    CompletionInsert insert{item, {}};
    switch (request.kind) {
    case CompletionKind::None: return {};
    case CompletionKind::TagName:
        if (closingTags && TagVocabulary::needsEndTag(item) && !textAfterCaret.startsWith(u'>')) {
            insert.text += u'>';
            insert.after = QStringLiteral("</") + item + u'>';
        }
        break;
    case CompletionKind::EndTag:
        if (!textAfterCaret.startsWith(u'>'))
            insert.text += u'>';
        break;
    case CompletionKind::AttributeName:
        if (!textAfterCaret.startsWith(u'=')) {
            insert.text += QStringLiteral("=\"");
            insert.after = QStringLiteral("\"");
        }
        break;
    case CompletionKind::AttributeValue:
        if (request.quote.isNull())
            insert.text = u'"' + item + u'"';
        else if (!textAfterCaret.startsWith(request.quote))
            insert.text += request.quote;
        break;
    }
    return insert;
}
