#include "document/matchingtag.h"

#include "document/markupscan.h"

#include <QHash>
#include <QList>
#include <QSet>

namespace {

// Elements whose end tag may be left out, with the start tags that end them where they stand
// (met before anything else opened inside them) and the end tags of the elements around them.
struct ImplicitEnd
{
    QSet<QString> byStart;
    QSet<QString> byEnd;
};

const QHash<QString, ImplicitEnd> &implicitEnds()
{
    static const QHash<QString, ImplicitEnd> table = [] {
        const QSet<QString> blocks{"ADDRESS", "BLOCKQUOTE", "CENTER", "DIV", "DL",    "FORM",
                                   "H1",      "H2",         "H3",     "H4",  "H5",    "H6",
                                   "HR",      "OL",         "P",      "PRE", "TABLE", "UL"};
        const QSet<QString> blockEnds{"BLOCKQUOTE", "BODY", "CENTER", "DD", "DIV",
                                      "FORM",       "HTML", "LI",     "TD", "TH"};
        QHash<QString, ImplicitEnd> ends;
        ends.insert("P", {blocks, blockEnds});
        ends.insert("LI", {{"LI"}, {"UL", "OL", "BODY", "HTML"}});
        ends.insert("DT", {{"DT", "DD"}, {"DL", "BODY", "HTML"}});
        ends.insert("DD", {{"DT", "DD"}, {"DL", "BODY", "HTML"}});
        ends.insert("TD", {{"TD", "TH", "TR"}, {"TR", "TABLE", "TBODY", "THEAD", "TFOOT"}});
        ends.insert("TH", {{"TD", "TH", "TR"}, {"TR", "TABLE", "TBODY", "THEAD", "TFOOT"}});
        ends.insert("TR",
                    {{"TR", "TBODY", "THEAD", "TFOOT"}, {"TABLE", "TBODY", "THEAD", "TFOOT"}});
        ends.insert("OPTION", {{"OPTION", "OPTGROUP"}, {"SELECT", "OPTGROUP"}});
        return ends;
    }();
    return table;
}

TagName nameOf(const ScannedTag &tag)
{
    return {tag.start + (tag.isEnd ? 2 : 1), tag.name.size()};
}

bool opensElement(const ScannedTag &tag)
{
    return !tag.isEnd && !tag.selfClosed && !isEmptyElement(tag.name);
}

// The end tag of tags[from], a start tag, or -1.
qsizetype endTagOf(const QList<ScannedTag> &tags, qsizetype from)
{
    const QString &element = tags[from].name;
    const QHash<QString, ImplicitEnd> &ends = implicitEnds();
    const ImplicitEnd implicit = ends.value(element);
    OpenElements open;
    open.push(element);
    for (qsizetype i = from + 1; i < tags.size(); ++i) {
        const ScannedTag &tag = tags[i];
        if (!tag.isEnd) {
            if (open.size() == 1 && implicit.byStart.contains(tag.name))
                return -1;
            // An element inside that this tag ends (a P before the next P) goes first.
            if (open.size() > 1) {
                const auto inner = ends.constFind(open.innermost());
                if (inner != ends.constEnd() && inner->byStart.contains(tag.name))
                    open.closeFrom(open.size() - 1);
            }
            if (opensElement(tag))
                open.push(tag.name);
            continue;
        }
        const qsizetype at = open.find(tag.name);
        if (at == 0)
            return i;
        if (at > 0)
            open.closeFrom(at);
        else if (implicit.byEnd.contains(tag.name))
            return -1; // the element around it ends, and this one with it
    }
    return -1;
}

// The start tag of tags[from], an end tag, or -1.
qsizetype startTagOf(const QList<ScannedTag> &tags, qsizetype from)
{
    OpenElements closed; // end tags met, walking back
    closed.push(tags[from].name);
    for (qsizetype i = from - 1; i >= 0; --i) {
        const ScannedTag &tag = tags[i];
        if (tag.isEnd) {
            closed.push(tag.name);
            continue;
        }
        if (!opensElement(tag))
            continue;
        const qsizetype at = closed.find(tag.name);
        if (at == 0)
            return i;
        if (at > 0)
            closed.closeFrom(at);
        // else an element left open inside: passed over
    }
    return -1;
}

} // namespace

std::optional<MatchingTags> matchingTagAt(QStringView text, qsizetype caret)
{
    QList<ScannedTag> tags;
    scanMarkup(text, [&](const ScannedTag &tag) {
        if (!tag.open && !tag.name.isEmpty())
            tags << tag;
        return true;
    });
    // The tag the caret is in, or the one it stands just after.
    qsizetype at = -1;
    for (qsizetype i = 0; i < tags.size() && tags[i].start <= caret; ++i) {
        if (caret < tags[i].end) {
            at = i;
            break;
        }
        if (caret == tags[i].end)
            at = i;
    }
    if (at < 0)
        return std::nullopt;
    const ScannedTag &tag = tags[at];
    const qsizetype partner
        = tag.isEnd ? startTagOf(tags, at) : (opensElement(tag) ? endTagOf(tags, at) : -1);
    if (partner < 0)
        return std::nullopt;
    return MatchingTags{nameOf(tag), nameOf(tags[partner]), tags[partner].start};
}
