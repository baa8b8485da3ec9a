#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace bench {

// A generated page on disk and its text.
struct Page
{
    QString path;
    QByteArray bytes; // Shift-JIS, as on disk
    QString text;     // decoded, CR LF line breaks
};

// Text tools, run over the whole text as a user selects all and picks the menu entry.
enum class Tool {
    Paragraphs, // every line between <P> and </P>
    CsvTable    // the text, read as CSV, replaced by a table
};

// An editor measured by the scenarios: Orvine's document window, the toolkit's plain text
// edit (the floor) or the Scintilla component (the peer). Only open() and the actions are
// timed; the rest prepares them.
class Subject
{
public:
    // Every editor's window has this size while it is measured.
    static constexpr int WindowWidth = 1000;
    static constexpr int WindowHeight = 700;

    virtual ~Subject() = default;

    // Shows the page, coloured where the editor colours, in a window of WindowSize.
    virtual void open(const Page &page) = 0;
    // Closes the page and frees the editor.
    virtual void close() = 0;
    // The widget that receives typed keys.
    virtual QWidget *keyTarget() = 0;
    // Puts the caret at the start of the page's middle line, or in the middle of a line
    // longer than longLine (references.h).
    virtual void caretToMiddle() = 0;
    // Replaces the selection (or inserts at the caret) with `fragment`.
    virtual bool insert(const QString &fragment) = 0;
    // Finds `word` from the start of the text and selects it; false when not found.
    virtual bool find(const QString &word) = 0;
    // Replaces the next match of `word` by `replacement`, as one press of the editor's replace
    // command (the first call: the first match from the start); false when nothing was
    // replaced.
    virtual bool replaceNext(const QString &word, const QString &replacement) = 0;
    // Writes the page back to `path`; false when the editor has no such command here.
    virtual bool save(const QString &path) = 0;
    // Runs `tool` over the whole text; false when the editor has no such command here.
    virtual bool runTool(Tool tool)
    {
        Q_UNUSED(tool);
        return false;
    }
    // Replaces every occurrence of `what` (case sensitive) by `with` as one undoable edit, as
    // an editor's "replace all" does; false when the editor has no such command here or
    // replaced nothing.
    virtual bool replaceAll(const QString &what, const QString &with)
    {
        Q_UNUSED(what);
        Q_UNUSED(with);
        return false;
    }
    // Takes back the last edit; false when the editor has no such command here.
    virtual bool undo() { return false; }
    // The whole text with CR LF line breaks, to check what an edit left (untimed).
    virtual QString text() { return {}; }
    // An edit far from where the scenario acts (a blank typed at the end), as a user's typing
    // comes before a command: caches of the whole text are stale afterwards.
    virtual void touch() {}
    // Why the measured editor did not do what the figure assumes (the page opened last left
    // uncoloured), empty when nothing went wrong; checked untimed after every open. A scenario
    // with a problem gives no figure.
    virtual QString problem() { return {}; }
    // Double-clicks the word at `position` and answers the re-edit dialog that follows with OK
    // (`accept`) or Cancel; false when the editor has no such command here.
    virtual bool doubleClickEdit(qsizetype position, bool accept)
    {
        Q_UNUSED(position);
        Q_UNUSED(accept);
        return false;
    }
};

} // namespace bench
