#pragma once

// A document window of its own (no frame) with tag colouring set as a test needs it, and
// helpers that read colours back character by character.

#include "core/sharedstate.h"
#include "document/clipboard.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"

#include <gtest/gtest.h>

class DocumentFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        doc = new frmDocument;
        // The window's load step re-reads the settings; the option is set afterwards.
        shared().blnTagColor = false;
        clipboardClear();
    }

    void TearDown() override
    {
        shared().blnTagColor = false;
        doc->blnFlgDirty = false;
        delete doc;
    }

    RichTextBox &text() { return *doc->txtText; }

    // The look of each character of txtText from `start`: R red bold, M magenta bold, B blue,
    // K black; a letter in lower case when its bold state is the other one; "?" for any other
    // colour.
    static std::string looks(RichTextBox &box, int start = 0, int length = -1)
    {
        if (length < 0)
            length = box.textLength() - start;
        QString out;
        for (int i = start; i < start + length; ++i) {
            box.select(i, 1);
            const int color = box.selColor();
            const bool bold = box.selBold();
            QChar letter = color == TextColor::Red       ? u'R'
                           : color == TextColor::Magenta ? u'M'
                           : color == TextColor::Blue    ? u'B'
                           : color == TextColor::Black   ? u'K'
                                                         : u'?';
            const bool boldExpected = letter == u'R' || letter == u'M';
            out += bold == boldExpected ? letter : letter.toLower();
        }
        return out.toStdString();
    }

    // The text with the colour and bold of every character, as the box copies it (RTF).
    static QString textAndLooks(RichTextBox &box)
    {
        box.select(0, box.textLength());
        return box.selRtf();
    }

    // After an edit that gave `after` with `looksAfter`: one undo gives `before` with
    // `looksBefore` back, and one redo the edit again.
    void expectUndoAndRedoRoundTrip(const QString &before, const QString &looksBefore,
                                    const QString &after, const QString &looksAfter)
    {
        text().undoStep();
        ASSERT_TRUE(text().text() == before);
        EXPECT_TRUE(textAndLooks(text()) == looksBefore);
        text().undoStep(true);
        ASSERT_TRUE(text().text() == after);
        EXPECT_TRUE(textAndLooks(text()) == looksAfter);
    }

    frmDocument *doc = nullptr;
};
