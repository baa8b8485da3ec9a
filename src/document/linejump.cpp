#include "document/linejump.h"

#include "document/frmdocument.h"
#include "document/richtextbox.h"

#include <QMdiArea>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>
#include <limits>

QString textOfLine(const RichTextBox &box, int index)
{
    const QTextBlock block = box.document()->findBlockByNumber(index);
    return index >= 0 && block.isValid() ? block.text() : QString();
}

void revealText(RichTextBox &box, int start, int length)
{
    const QRect view = box.viewport()->rect();
    const int firstShown = box.cursorForPosition(view.topLeft()).blockNumber();
    const int lastShown = box.cursorForPosition(view.bottomLeft()).blockNumber();
    const int line = box.document()->findBlock(box.toDocumentPosition(start)).blockNumber();
    box.select(start, length);
    // A place far away comes into the middle of the view, not to its edge.
    if (line < firstShown || line > lastShown)
        box.centerCursor();
}

void showTextPlace(frmDocument &doc, int start, int length)
{
    if (QMdiArea *area = doc.mdiArea())
        area->setActiveSubWindow(&doc);
    revealText(*doc.txtText, start, length);
    doc.txtText->setFocus(Qt::OtherFocusReason);
}

void goToLine(frmDocument &doc, int line, int offset, int length)
{
    RichTextBox &box = *doc.txtText;
    const int index = std::clamp(line - 1, 0, box.document()->blockCount() - 1);
    const int lineLength = int(textOfLine(box, index).size());
    const int at = std::clamp(offset, 0, lineLength);
    showTextPlace(doc, box.charFromLine(index) + at, std::clamp(length, 0, lineLength - at));
}

std::optional<int> typedLineNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    // A number too large for any page still means "the last line".
    constexpr qint64 most = std::numeric_limits<int>::max();
    qint64 number = 0;
    for (QChar c : trimmed) {
        const int digit = c.digitValue();
        if (digit < 0 || !(c.unicode() < 0x80 || (c >= u'０' && c <= u'９')))
            return std::nullopt;
        number = std::min(number * 10 + digit, most);
    }
    if (number < 1)
        return std::nullopt;
    return int(number);
}
