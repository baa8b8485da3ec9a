#include "document/richtextbox.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// After undo and redo the caret stands where the undone or redone change was, as in every
// editor, not at the start of the text.
TEST(UndoCaret, UndoAndRedoLeaveTheCaretAtTheChange)
{
    const struct
    {
        const char *name;
        const char *text;
        int caret;
        const char *typed;
    } cases[] = {
        {"typing on the second line", "<P>\r\nline two\r\nline three", 13, "xyz"},
        {"typing at the end", "one\r\ntwo", 8, "!?"},
    };
    for (const auto &c : cases) {
        RichTextBox box;
        box.setText(QString::fromUtf8(c.text));
        box.setSelStart(c.caret);
        QTest::keyClicks(&box, QString::fromUtf8(c.typed));
        const int typedEnd = c.caret + int(qstrlen(c.typed));
        ASSERT_EQ(box.selStart(), typedEnd) << c.name;
        // The characters typed one after another are one step.
        QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(box.selStart(), c.caret) << c.name;
        EXPECT_EQ(box.text(), QString::fromUtf8(c.text)) << c.name;
        QTest::keyClick(&box, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(box.selStart(), typedEnd) << c.name;
    }
}

} // namespace
