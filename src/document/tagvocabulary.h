#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The names the help while typing offers: tags, the attributes of each tag and the words of
// attribute values. The document windows start with the HTML tags every page may use; the tag
// families add the attributes and words their dialogs write (see setTypingVocabulary).
class TagVocabulary
{
public:
    // Tag names in upper case, attribute names as written (lower case), values as written.
    void addTag(const QString &tag);
    void addAttributes(const QString &tag, const QStringList &attributes);
    void addWords(const QString &tag, const QString &attribute, const QStringList &words);

    // Every tag, sorted.
    QStringList tags() const;
    // The attributes of `tag` (any case): its own, then those every element takes.
    QStringList attributesOf(const QString &tag) const;
    // The words of `attribute` in `tag` (any case), or none.
    QStringList wordsOf(const QString &tag, const QString &attribute) const;
    // Whether the element is written with an end tag.
    static bool needsEndTag(const QString &tag);

private:
    QStringList m_tags;
    QHash<QString, QStringList> m_attributes; // upper tag → names
    QHash<QString, QStringList> m_words;      // "TAG attr" → words
};

// The HTML tags and the words of their common attributes, before the families add theirs.
TagVocabulary baseTagVocabulary();

// The vocabulary the document windows use.
const TagVocabulary &typingVocabulary();
void setTypingVocabulary(const TagVocabulary &vocabulary);
