#include "document/tagvocabulary.h"

#include "document/markupscan.h"
#include "document/simpletags.h"

#include <algorithm>

namespace {

QString wordKey(const QString &tag, const QString &attribute)
{
    return tag.toUpper() + u' ' + attribute.toLower();
}

void addUnique(QStringList &list, const QStringList &names)
{
    for (const QString &name : names)
        if (!name.isEmpty() && !list.contains(name, Qt::CaseInsensitive))
            list << name;
}

TagVocabulary &installed()
{
    static TagVocabulary vocabulary = baseTagVocabulary();
    return vocabulary;
}

} // namespace

void TagVocabulary::addTag(const QString &tag)
{
    const QString upper = tag.toUpper();
    if (!upper.isEmpty() && !m_tags.contains(upper))
        m_tags << upper;
}

void TagVocabulary::addAttributes(const QString &tag, const QStringList &attributes)
{
    addTag(tag);
    addUnique(m_attributes[tag.toUpper()], attributes);
}

void TagVocabulary::addWords(const QString &tag, const QString &attribute, const QStringList &words)
{
    addAttributes(tag, {attribute});
    addUnique(m_words[wordKey(tag, attribute)], words);
}

QStringList TagVocabulary::tags() const
{
    QStringList sorted = m_tags;
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

QStringList TagVocabulary::attributesOf(const QString &tag) const
{
    QStringList names = m_attributes.value(tag.toUpper());
    addUnique(names, {QStringLiteral("id"), QStringLiteral("class"), QStringLiteral("style"),
                      QStringLiteral("title"), QStringLiteral("lang")});
    return names;
}

QStringList TagVocabulary::wordsOf(const QString &tag, const QString &attribute) const
{
    return m_words.value(wordKey(tag, attribute));
}

bool TagVocabulary::needsEndTag(const QString &tag)
{
    return !isEmptyElement(tag.toUpper());
}

TagVocabulary baseTagVocabulary()
{
    TagVocabulary vocabulary;
    // The elements of the HTML a home page is written in, besides those of the HTML menu.
    for (const char *name :
         {"A",      "ABBR",     "ACRONYM",  "ADDRESS", "APPLET",     "AREA",     "B",
          "BASE",   "BASEFONT", "BDO",      "BIG",     "BLOCKQUOTE", "BODY",     "BR",
          "BUTTON", "CAPTION",  "CENTER",   "CITE",    "CODE",       "COL",      "COLGROUP",
          "DD",     "DEL",      "DFN",      "DIV",     "DL",         "DT",       "EM",
          "EMBED",  "FIELDSET", "FONT",     "FORM",    "FRAME",      "FRAMESET", "H1",
          "H2",     "H3",       "H4",       "H5",      "H6",         "HEAD",     "HR",
          "HTML",   "I",        "IFRAME",   "IMG",     "INPUT",      "INS",      "KBD",
          "LABEL",  "LEGEND",   "LI",       "LINK",    "MAP",        "MARQUEE",  "META",
          "NOBR",   "NOFRAMES", "NOSCRIPT", "OBJECT",  "OL",         "OPTGROUP", "OPTION",
          "P",      "PARAM",    "PRE",      "Q",       "S",          "SAMP",     "SCRIPT",
          "SELECT", "SMALL",    "SPAN",     "STRIKE",  "STRONG",     "STYLE",    "SUB",
          "SUP",    "TABLE",    "TBODY",    "TD",      "TEXTAREA",   "TFOOT",    "TH",
          "THEAD",  "TITLE",    "TR",       "TT",      "U",          "UL",       "VAR",
          "WBR"})
        vocabulary.addTag(QLatin1String(name));
    for (const SimpleTag &tag : simpleTags)
        vocabulary.addTag(QLatin1String(tag.name));
    const QStringList horizontal{QStringLiteral("left"), QStringLiteral("center"),
                                 QStringLiteral("right")};
    for (const char *tag : {"P", "DIV", "H1", "H2", "H3", "H4", "H5", "H6", "CAPTION"})
        vocabulary.addWords(QLatin1String(tag), QStringLiteral("align"), horizontal);
    vocabulary.addWords(QStringLiteral("FORM"), QStringLiteral("method"),
                        {QStringLiteral("get"), QStringLiteral("post")});
    vocabulary.addWords(QStringLiteral("INPUT"), QStringLiteral("type"),
                        {QStringLiteral("text"), QStringLiteral("password"),
                         QStringLiteral("checkbox"), QStringLiteral("radio"),
                         QStringLiteral("submit"), QStringLiteral("reset"), QStringLiteral("file"),
                         QStringLiteral("hidden"), QStringLiteral("image"),
                         QStringLiteral("button")});
    vocabulary.addAttributes(QStringLiteral("A"), {QStringLiteral("href"), QStringLiteral("name"),
                                                   QStringLiteral("target")});
    vocabulary.addAttributes(QStringLiteral("IMG"),
                             {QStringLiteral("src"), QStringLiteral("alt"), QStringLiteral("width"),
                              QStringLiteral("height")});
    vocabulary.addAttributes(QStringLiteral("META"),
                             {QStringLiteral("name"), QStringLiteral("content"),
                              QStringLiteral("http-equiv"), QStringLiteral("charset")});
    vocabulary.addAttributes(QStringLiteral("LINK"), {QStringLiteral("rel"), QStringLiteral("href"),
                                                      QStringLiteral("type")});
    vocabulary.addAttributes(
        QStringLiteral("SCRIPT"),
        {QStringLiteral("type"), QStringLiteral("src"), QStringLiteral("language")});
    return vocabulary;
}

const TagVocabulary &typingVocabulary()
{
    return installed();
}

void setTypingVocabulary(const TagVocabulary &vocabulary)
{
    installed() = vocabulary;
}
