#include "document/typinghelp.h"

#include "core/settingsnotifier.h"
#include "document/linenumbergutter.h"
#include "document/matchingtag.h"
#include "document/richtextbox.h"
#include "document/tagvocabulary.h"

#include <QInputMethodEvent>
#include <QListWidget>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

constexpr int completionLookBack = 65536; // characters before the caret read for the list
constexpr int listRows = 8;

// The text of the blocks from `first` to `last` with "\n" between them.
QString blocksText(QTextBlock first, const QTextBlock &last)
{
    QString text;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        text += block.text();
        if (block == last)
            break;
        text += u'\n';
    }
    return text;
}

bool isModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt
           || key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_CapsLock
           || key == Qt::Key_NumLock || key == Qt::Key_unknown;
}

bool typesCharacters(const QString &text)
{
    return !text.isEmpty()
           && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isPrint(); });
}

} // namespace

TypingHelp::TypingHelp(RichTextBox &box) : QObject(&box), box(box)
{
    m_list = new QListWidget(box.viewport());
    m_list->setObjectName(QStringLiteral("lstCompletion"));
    // The list never takes the focus: the keys stay with the text and its input method.
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->hide();
    connect(m_list, &QListWidget::itemClicked, this, [this] { accept(); });
    m_gutter = new LineNumberGutter(box);

    connect(&box, &RichTextBox::keyDown, this,
            [this](int key, Qt::KeyboardModifiers modifiers, const QString &) {
                keyDown(key, modifiers);
            });
    connect(&box, &RichTextBox::keyHandled, this,
            [this](int key, Qt::KeyboardModifiers, const QString &text) { keyHandled(key, text); });
    connect(&box, &RichTextBox::keyUp, this, [this] { m_editing = false; });
    connect(&box, &RichTextBox::inputCommitting, this, [this] { m_editing = true; });
    connect(&box, &RichTextBox::inputCommitted, this, [this] {
        m_editing = false;
        refreshList(true);
        showMatchingTag();
    });
    connect(&box, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (m_editing)
            return;
        hideList(); // the caret went elsewhere
        showMatchingTag();
    });
    connect(&box, &RichTextBox::focusLost, this, [this] {
        if (!m_list->underMouse())
            hideList();
    });
    connect(&SettingsNotifier::instance(), &SettingsNotifier::optionsChanged, this,
            [this] { setOptions(storedTypingHelp()); });
    box.installEventFilter(this);
    setOptions(storedTypingHelp());
}

void TypingHelp::setOptions(const TypingHelpOptions &options)
{
    m_options = options;
    m_gutter->setShown(options.lineNumbers);
    if (!options.completion)
        hideList();
    m_matchedAt = -1; // the background is looked at again
    showMatchingTag();
}

bool TypingHelp::eventFilter(QObject *watched, QEvent *event)
{
    // An input method starting to compose takes the keys: the list goes away.
    if (watched == &box && event->type() == QEvent::InputMethod
        && !static_cast<QInputMethodEvent *>(event)->preeditString().isEmpty())
        hideList();
    return QObject::eventFilter(watched, event);
}

void TypingHelp::keyDown(int key, Qt::KeyboardModifiers modifiers)
{
    m_editing = !isModifierKey(key);
    if (!m_list->isVisible() || box.composing() || box.isReadOnly())
        return;
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    if (held != Qt::NoModifier)
        return;
    const int rows = m_list->count();
    const int row = m_list->currentRow();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab: accept(); break;
    case Qt::Key_Escape: hideList(); break;
    case Qt::Key_Down: m_list->setCurrentRow(std::min(row + 1, rows - 1)); break;
    case Qt::Key_Up: m_list->setCurrentRow(std::max(row - 1, 0)); break;
    case Qt::Key_PageDown: m_list->setCurrentRow(std::min(row + listRows, rows - 1)); break;
    case Qt::Key_PageUp: m_list->setCurrentRow(std::max(row - listRows, 0)); break;
    default: return;
    }
    m_editing = false;
    box.ignoreKey();
}

void TypingHelp::keyHandled(int key, const QString &text)
{
    if (isModifierKey(key))
        return;
    m_editing = false;
    if (typesCharacters(text))
        refreshList(true);
    else if (key == Qt::Key_Backspace || key == Qt::Key_Delete)
        refreshList(false);
    else
        hideList();
    showMatchingTag();
}

void TypingHelp::refreshList(bool open)
{
    if (!m_options.completion || box.isReadOnly() || box.composing()
        || (!open && !m_list->isVisible())) {
        hideList();
        return;
    }
    const QTextCursor caret = box.textCursor();
    if (caret.hasSelection()) {
        hideList();
        return;
    }
    const QTextBlock block = caret.block();
    const int inBlock = caret.positionInBlock();
    const QString lineBefore = block.text().left(inBlock);
    if (!mayComplete(lineBefore)) {
        hideList();
        return;
    }
    // The lines before the caret, up to a bound: enough to see an open comment or script and
    // the elements still open.
    QTextBlock first = block;
    int characters = inBlock;
    while (first.previous().isValid() && characters < completionLookBack) {
        first = first.previous();
        characters += first.length();
    }
    QString before
        = first == block ? lineBefore : blocksText(first, block.previous()) + u'\n' + lineBefore;
    m_request = completionAt(before);
    const QStringList items = completionItems(m_request, typingVocabulary(), m_options.lowerCase);
    if (items.isEmpty()) {
        hideList();
        return;
    }
    m_replaced = int(before.size() - m_request.prefixStart);
    // A list already showing keeps its choice while the typing filters it.
    const QString current
        = m_list->isVisible() && m_list->currentItem() ? m_list->currentItem()->text() : QString();
    m_list->clear();
    m_list->addItems(items);
    int row = int(items.indexOf(current));
    if (row < 0) {
        // The first name that is the typed part itself, or else the first name.
        row = 0;
        for (int i = 0; i < items.size(); ++i)
            if (items[i].compare(m_request.prefix, Qt::CaseInsensitive) == 0)
                row = i;
    }
    m_list->setCurrentRow(row);
    placeList();
    m_list->show();
}

void TypingHelp::placeList()
{
    const QFontMetrics metrics(m_list->font());
    int widest = 0;
    for (int i = 0; i < m_list->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(m_list->item(i)->text()));
    const int rowHeight = std::max(m_list->sizeHintForRow(0), metrics.height());
    const int rows = std::min(m_list->count(), listRows);
    const int frame = 2 * m_list->frameWidth();
    const int width = widest + 24 + frame + m_list->verticalScrollBar()->sizeHint().width();
    const int height = rows * rowHeight + frame;
    const QRect caret = box.cursorRect();
    const QRect area = box.viewport()->rect();
    int x = std::clamp(caret.left(), 0, std::max(area.width() - width, 0));
    int y = caret.bottom() + 1;
    if (y + height > area.height() && caret.top() - height >= 0)
        y = caret.top() - height; // above the caret where there is no room below
    m_list->setGeometry(x, y, width, height);
}

void TypingHelp::hideList()
{
    if (m_list->isVisible())
        m_list->hide();
}

void TypingHelp::accept()
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item || !m_list->isVisible())
        return;
    const QTextCursor caret = box.textCursor();
    const QString after = caret.block().text().mid(caret.positionInBlock());
    const CompletionInsert insert
        = completionInsert(m_request, item->text(), m_options.closingTags, after);
    const CompletionKind kind = m_request.kind;
    hideList();
    m_editing = true;
    box.typeCompletion(m_replaced, insert.text, insert.after,
                       m_looksOf ? m_looksOf(insert.text + insert.after) : QList<LookRun>{});
    m_editing = false;
    emit completed(insert.text, insert.after);
    // An attribute goes on with its value: its words, if it has any, are offered at once.
    if (kind == CompletionKind::AttributeName)
        refreshList(true);
    showMatchingTag();
}

bool TypingHelp::goToMatchingTag()
{
    const QTextCursor caret = box.textCursor();
    const QTextBlock block = caret.block();
    QTextBlock first = block;
    QTextBlock last = block;
    // A jump asked for looks further than the background does.
    for (int characters = 0; first.previous().isValid() && characters < 16 * marginCharacters;)
        characters += (first = first.previous()).length();
    for (int characters = 0; last.next().isValid() && characters < 16 * marginCharacters;)
        characters += (last = last.next()).length();
    const QString text = blocksText(first, last);
    const auto found = matchingTagAt(text, caret.position() - first.position());
    if (!found)
        return false;
    QTextCursor jump(box.document());
    jump.setPosition(first.position() + int(found->partner.start));
    box.setTextCursor(jump);
    box.ensureCursorVisible();
    return true;
}

void TypingHelp::showMatchingTag()
{
    const QTextCursor caret = box.textCursor();
    const int revision = box.document()->revision();
    if (caret.position() == m_matchedAt && revision == m_matchedRevision)
        return;
    m_matchedAt = caret.position();
    m_matchedRevision = revision;
    QList<QTextEdit::ExtraSelection> marks;
    const QTextBlock block = caret.block();
    const QString line = block.text();
    const int inBlock = caret.positionInBlock();
    // The caret must be in a tag of its line (or just before or after one) for the wider look.
    const qsizetype open = line.left(inBlock).lastIndexOf(u'<');
    const qsizetype close = open >= 0 ? line.indexOf(u'>', open) : -1;
    const bool inTag
        = (open >= 0 && (close < 0 || close >= inBlock - 1)) || line.mid(inBlock, 1) == u"<";
    if (m_options.matchingTags && inTag && !caret.hasSelection()) {
        // The lines in view and a margin around them, with the caret's line.
        const QRect view = box.viewport()->rect();
        QTextBlock first = box.cursorForPosition(view.topLeft()).block();
        QTextBlock last = box.cursorForPosition(view.bottomLeft()).block();
        if (block.blockNumber() < first.blockNumber() || block.blockNumber() > last.blockNumber())
            first = last = block;
        for (int lines = 0, characters = 0;
             first.previous().isValid() && lines < marginLines && characters < marginCharacters;
             ++lines)
            characters += (first = first.previous()).length();
        for (int lines = 0, characters = 0;
             last.next().isValid() && lines < marginLines && characters < marginCharacters; ++lines)
            characters += (last = last.next()).length();
        const QString text = blocksText(first, last);
        if (const auto found = matchingTagAt(text, caret.position() - first.position())) {
            QTextCharFormat look;
            look.setBackground(QColor(0xd8, 0xe8, 0xff));
            for (const TagName &name : {found->atCaret, found->partner}) {
                QTextEdit::ExtraSelection mark;
                mark.cursor = QTextCursor(box.document());
                mark.cursor.setPosition(first.position() + int(name.start));
                mark.cursor.setPosition(first.position() + int(name.start + name.length),
                                        QTextCursor::KeepAnchor);
                mark.format = look;
                marks << mark;
            }
        }
    }
    if (!marks.isEmpty() || !box.extraSelections().isEmpty())
        box.setExtraSelections(marks);
}
