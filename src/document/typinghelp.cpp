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
#include <limits>

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

// Moves `first` back and `last` on by up to `lines` lines or `characters` characters each.
void widen(QTextBlock &first, QTextBlock &last, int lines, int characters)
{
    for (int moved = 0, taken = 0;
         first.previous().isValid() && moved < lines && taken < characters; ++moved)
        taken += (first = first.previous()).length();
    for (int moved = 0, taken = 0; last.next().isValid() && moved < lines && taken < characters;
         ++moved)
        taken += (last = last.next()).length();
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
    m_matchingPause.setSingleShot(true);
    m_matchingPause.setInterval(matchingPauseMs);
    connect(&m_matchingPause, &QTimer::timeout, this, &TypingHelp::showMatchingTag);
    // The list is a window of its own above the text, as a tooltip is: opening, filtering and
    // closing it costs no painting of the text beneath. It never takes the focus: the keys
    // stay with the text and its input method.
    m_list = new QListWidget(&box);
    m_list->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    m_list->setAttribute(Qt::WA_ShowWithoutActivating);
    m_list->setObjectName(QStringLiteral("lstCompletion"));
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setUniformItemSizes(true); // rows of one height: no measuring of every name
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
    // The lines before the caret's line, read once while the caret stays on it, are read
    // again after any change among them.
    connect(box.document(), &QTextDocument::contentsChange, this, [this](int position) {
        if (position < m_contextLineStart)
            m_contextLineStart = -1;
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
    // The list is a window of its own: it goes with the text it belongs to.
    if (watched == &box && (event->type() == QEvent::Hide || event->type() == QEvent::Move))
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
    const bool edits = typesCharacters(text) || key == Qt::Key_Backspace || key == Qt::Key_Delete;
    if (typesCharacters(text))
        refreshList(true);
    else if (edits)
        refreshList(false);
    else
        hideList();
    // While keys come one after the other the partner is looked for once they pause, off
    // the keystroke's way; a caret moved by other keys shows it at once.
    if (edits)
        m_matchingPause.start();
    else
        showMatchingTag();
}

QString TypingHelp::linesBefore(const QTextBlock &block)
{
    if (!block.previous().isValid())
        return {};
    QTextBlock first = block.previous();
    for (int characters = first.length();
         first.previous().isValid() && characters < completionLookBack;)
        characters += (first = first.previous()).length();
    return blocksText(first, block.previous());
}

const MarkupContext &TypingHelp::contextBefore(const QTextBlock &block)
{
    if (m_contextLineStart != block.position()) {
        const QString lines = linesBefore(block);
        m_context = lines.isEmpty() ? MarkupContext{} : markupContextAfter(lines + u'\n');
        m_contextLineStart = block.position();
    }
    return m_context;
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
    // The lines before the caret's line, up to a bound, are read once for the line: enough to
    // see an open comment or script and the elements still open. Inside a comment or script
    // they are read again with the line.
    const MarkupContext &context = contextBefore(block);
    QString before = lineBefore;
    if (context.inContent) {
        m_request = completionAt(before, context.open);
    } else {
        before = linesBefore(block) + u'\n' + lineBefore;
        m_request = completionAt(before);
    }
    const QStringList items = completionItems(m_request, typingVocabulary(), m_options.lowerCase);
    if (items.isEmpty()) {
        hideList();
        return;
    }
    m_replaced = int(before.size() - m_request.prefixStart);
    // A list already showing keeps its choice while the typing filters it.
    const QString current
        = m_list->isVisible() && m_list->currentItem() ? m_list->currentItem()->text() : QString();
    if (items != m_listed) {
        m_list->clear();
        m_list->addItems(items);
        m_listed = items;
        m_listWidth = -1;
    }
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
    // A window of its own does not take the text's font from its parent.
    if (m_list->font() != box.font()) {
        m_list->setFont(box.font());
        m_listWidth = -1;
    }
    const QFontMetrics metrics(m_list->font());
    if (m_listWidth < 0) {
        m_listWidth = 0;
        for (const QString &item : std::as_const(m_listed))
            m_listWidth = std::max(m_listWidth, metrics.horizontalAdvance(item));
    }
    const int widest = m_listWidth;
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
    m_list->setGeometry(QRect(box.viewport()->mapToGlobal(QPoint(x, y)), QSize(width, height)));
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

std::pair<QTextBlock, QTextBlock> TypingHelp::linesAroundView() const
{
    const QTextBlock block = box.textCursor().block();
    const QRect view = box.viewport()->rect();
    QTextBlock first = box.cursorForPosition(view.topLeft()).block();
    QTextBlock last = box.cursorForPosition(view.bottomLeft()).block();
    if (block.blockNumber() < first.blockNumber() || block.blockNumber() > last.blockNumber())
        first = last = block;
    widen(first, last, marginLines, marginCharacters);
    return {first, last};
}

std::optional<int> TypingHelp::partnerIn(const QTextBlock &first, const QTextBlock &last) const
{
    const auto found
        = matchingTagAt(blocksText(first, last), box.textCursor().position() - first.position());
    if (!found)
        return std::nullopt;
    return first.position() + int(found->partner.start);
}

bool TypingHelp::goToMatchingTag()
{
    // The lines the background looks at first; a partner further away is looked for in a wider
    // stretch, since the command was asked for.
    auto [first, last] = linesAroundView();
    std::optional<int> partner = partnerIn(first, last);
    if (!partner && (first.previous().isValid() || last.next().isValid())) {
        widen(first, last, std::numeric_limits<int>::max(), 16 * marginCharacters);
        partner = partnerIn(first, last);
    }
    if (!partner)
        return false;
    QTextCursor jump(box.document());
    jump.setPosition(*partner);
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
        const auto [first, last] = linesAroundView();
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
