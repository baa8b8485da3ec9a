#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

// A light reading of HTML markup, as a browser sees its tags: comments, declarations and the
// contents of SCRIPT and STYLE elements are skipped; quoted attribute values may hold ">".
// It reads any stretch of a page, so the help while typing can look at a bounded window
// around the caret instead of the whole text.

struct ScannedTag
{
    qsizetype start = 0;     // the "<"
    qsizetype end = 0;       // after the ">", or the end of the text for a tag still open
    QString name;            // upper case
    bool isEnd = false;      // "</NAME>"
    bool selfClosed = false; // "<NAME />"
    bool open = false;       // the text ends before the tag's ">"
};

// Where the text ends, seen from its last character.
enum class ScanEnd {
    Text,    // in the content of the page
    Tag,     // inside a tag that is not closed yet (the last ScannedTag, open = true)
    Comment, // inside "<!--" without its "-->"
    RawText  // inside a SCRIPT or STYLE element
};

// Hands each tag of `text` to `visit`, in order; visit returns false to stop. Answers where the
// text ends.
ScanEnd scanMarkup(QStringView text, const std::function<bool(const ScannedTag &)> &visit);

// Whether `upperName` is an element without an end tag (BR, IMG, INPUT, …).
bool isEmptyElement(const QString &upperName);

// The elements open at a point of the page, innermost last. Looking for a name that is not
// open costs nothing, and every element is taken off once, so that a walk over many tags
// (thousands of unclosed P, stray end tags) stays linear.
class OpenElements
{
public:
    void push(const QString &name)
    {
        m_names.append(name);
        ++m_counts[name];
    }
    // The depth of the innermost open `name`, or -1.
    qsizetype find(const QString &name) const
    {
        return m_counts.value(name) > 0 ? m_names.lastIndexOf(name) : -1;
    }
    // Closes every element from `depth` inwards.
    void closeFrom(qsizetype depth)
    {
        while (m_names.size() > depth) {
            --m_counts[m_names.last()];
            m_names.removeLast();
        }
    }
    qsizetype size() const { return m_names.size(); }
    QString innermost() const { return m_names.isEmpty() ? QString() : m_names.last(); }

private:
    QList<QString> m_names;
    QHash<QString, int> m_counts;
};
