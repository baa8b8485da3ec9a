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

    frmDocument *doc = nullptr;
};
