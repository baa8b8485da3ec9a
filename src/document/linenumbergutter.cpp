#include "document/linenumbergutter.h"

#include "document/richtextbox.h"

#include <QEvent>
#include <QPainter>
#include <QTextBlock>

#include <algorithm>

namespace {

constexpr int padding = 4; // pixels on each side of the numbers

} // namespace

LineNumberGutter::LineNumberGutter(RichTextBox &box) : QWidget(&box), box(box)
{
    setObjectName(QStringLiteral("lineNumbers"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
    connect(&box, &QPlainTextEdit::blockCountChanged, this, [this] { updateWidth(); });
    connect(&box, &QPlainTextEdit::updateRequest, this, [this](const QRect &rect, int dy) {
        if (!m_shown)
            return;
        if (dy != 0)
            scroll(0, dy);
        else
            update(0, rect.y(), width(), rect.height());
    });
    // The caret's line is drawn in bold: the numbers are drawn again when the caret goes to
    // another line, not on every key.
    connect(&box, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        const int line = this->box.textCursor().blockNumber();
        if (m_shown && line != m_caretLine)
            update();
        m_caretLine = line;
    });
    box.installEventFilter(this);
}

LineNumberGutter::~LineNumberGutter()
{
    box.removeEventFilter(this);
}

void LineNumberGutter::setShown(bool shown)
{
    if (m_shown == shown)
        return;
    m_shown = shown;
    m_digits = 0;
    updateWidth();
    setVisible(shown);
}

int LineNumberGutter::gutterWidth() const
{
    if (!m_shown)
        return 0;
    return 2 * padding + fontMetrics().horizontalAdvance(u'9') * std::max(m_digits, 3);
}

void LineNumberGutter::updateWidth()
{
    int digits = 1;
    for (int count = box.blockCount(); count >= 10; count /= 10)
        ++digits;
    if (digits == m_digits && m_shown)
        return;
    m_digits = digits;
    setFont(box.font());
    box.setViewportMargins(gutterWidth(), 0, 0, 0);
    placeBeside();
    update();
}

void LineNumberGutter::placeBeside()
{
    const QRect inside = box.contentsRect();
    setGeometry(inside.left(), inside.top(), gutterWidth(), inside.height());
}

bool LineNumberGutter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &box) {
        if (event->type() == QEvent::Resize)
            placeBeside();
        else if (event->type() == QEvent::FontChange) {
            m_digits = 0;
            updateWidth();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LineNumberGutter::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.setFont(box.font());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    m_painted.clear();
    const int lineHeight = fontMetrics().height();
    const int right = width() - padding;
    const int currentBlock = box.textCursor().blockNumber();
    const QPointF offset = box.contentOffset();
    const int viewportTop = box.viewport()->geometry().top() - geometry().top();
    for (QTextBlock block = box.firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF bounds = box.blockBoundingGeometry(block).translated(offset);
        const int top = int(bounds.top()) + viewportTop;
        if (top > event->rect().bottom())
            break;
        if (!block.isVisible() || int(bounds.bottom()) + viewportTop < event->rect().top())
            continue;
        // Lines are blocks of the document, as the status bar counts them.
        const int number = block.blockNumber() + 1;
        QFont font = box.font();
        font.setBold(block.blockNumber() == currentBlock);
        painter.setFont(font);
        painter.drawText(QRect(0, top, right, lineHeight), Qt::AlignRight | Qt::AlignTop,
                         QString::number(number));
        m_painted.append({number, int(bounds.top())});
    }
}
