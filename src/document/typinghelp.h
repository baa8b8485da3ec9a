#pragma once

#include "core/settings.h"
#include "document/colorstore.h"
#include "document/completion.h"

#include <QObject>
#include <QTextBlock>
#include <QTimer>

#include <functional>
#include <optional>
#include <utility>

class LineNumberGutter;
class QListWidget;
class RichTextBox;

// The help a document window gives while typing, attached to its text control: the list of
// names to complete (tags, attributes, value words), the end tag written with an accepted tag,
// the light background on the names of the tag at the caret and of its partner, and the line
// numbers beside the text. Everything looks at a bounded stretch around the caret or the lines
// in view, so that it costs the same on a page of any length.
class TypingHelp : public QObject
{
    Q_OBJECT

public:
    explicit TypingHelp(RichTextBox &box);

    void setOptions(const TypingHelpOptions &options);
    // The looks of a name accepted from the list, given the text that goes in (which starts
    // inside a tag); none gives it the typing look.
    using LooksOf = std::function<QList<LookRun>(const QString &inserted)>;
    void setLooksOf(LooksOf looksOf) { m_looksOf = std::move(looksOf); }
    const TypingHelpOptions &options() const { return m_options; }

    // The list of names, shown under the caret while there is something to offer.
    QListWidget *list() const { return m_list; }
    LineNumberGutter *gutter() const { return m_gutter; }

    // Moves the caret into the name of the partner of the tag at the caret; false when there
    // is no partner near enough.
    bool goToMatchingTag();
    // Keys came one after the other and the partner's background is yet to be looked for.
    bool matchingTagPending() const { return m_matchingPause.isActive(); }

    // How far beyond the lines in view the partner of a tag is looked for, in lines, and at
    // most in characters on each side.
    static constexpr int marginLines = 300;
    static constexpr int marginCharacters = 100000;
    // How long typing pauses before the partner of the tag at the caret is looked for.
    static constexpr int matchingPauseMs = 60;

signals:
    // A name from the list went in: `text` before the caret, `after` after it.
    void completed(const QString &text, const QString &after);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    void keyHandled(int key, const QString &text);
    // Reads what the caret's place offers and shows, filters or hides the list; a hidden list
    // opens only when `open`.
    void refreshList(bool open);
    void hideList();
    void accept();
    void placeList();
    // Puts the background on the tag at the caret and its partner, or takes it away.
    void showMatchingTag();
    // The lines before `block`, as far back as the list looks, and what they leave open.
    static QString linesBefore(const QTextBlock &block);
    const MarkupContext &contextBefore(const QTextBlock &block);
    // The lines in view (or the caret's line when it is out of view) and a margin around them.
    std::pair<QTextBlock, QTextBlock> linesAroundView() const;
    // Where the name of the partner of the tag at the caret starts, looked for in those lines.
    std::optional<int> partnerIn(const QTextBlock &first, const QTextBlock &last) const;

    RichTextBox &box;
    TypingHelpOptions m_options;
    QListWidget *m_list = nullptr;
    LineNumberGutter *m_gutter = nullptr;
    LooksOf m_looksOf;
    CompletionRequest m_request;
    QStringList m_listed;        // the names in the list, kept while the typing offers the same
    int m_listWidth = -1;        // the widest of them in pixels (-1: to be measured)
    int m_replaced = 0;          // characters of the typed name before the caret
    bool m_editing = false;      // a key or a commit is being handled
    MarkupContext m_context;     // after the lines before the line starting at:
    int m_contextLineStart = -1; // (-1: to be read again)
    QTimer m_matchingPause;
    qint64 m_matchedAt = -1; // the caret and revision the tag background was found for
    int m_matchedRevision = -1;
};
