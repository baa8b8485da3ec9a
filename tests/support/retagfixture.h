#pragma once

// A document window of its own (no frame), with tag colouring off, for driving the re-edit
// routines through the scripted Interaction.

#include "core/settingsstore.h"
#include "core/sharedstate.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "support/scriptedinteraction.h"
#include "tags/shared/tagedit.h"

#include <QAbstractButton>

#include <gtest/gtest.h>
#include <memory>

// Closes a tag dialog with its OK button.
inline void pressOk(QDialog &dialog)
{
    clickControl(dialog, QStringLiteral("cmdOK"));
}

// What a test does with a dialog that a re-edit opens.
using Script = ScriptedInteraction::DialogScript;

class ReEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SettingsStore::set(QStringLiteral("Settings"), QStringLiteral("TagColor"),
                           QStringLiteral("False"));
        doc = std::make_unique<frmDocument>();
        shared().blnTagColor = false;
    }

    void TearDown() override
    {
        doc->blnFlgDirty = false;
        doc.reset();
    }

    RichTextBox &text() const { return *doc->txtText; }

    // Puts `content` into the document and selects the first occurrence of `part`.
    void load(const QString &content, const QString &part)
    {
        text().setText(content);
        const int at = int(content.indexOf(part));
        ASSERT_GE(at, 0) << part.toStdString();
        text().select(at, int(part.size()));
    }

    // Selects `part` of `content` and runs the re-edit with the dialog `dialogName` driven by
    // `script` (no dialog expected when the name is empty); the text afterwards.
    QString reEdit(const QString &content, const QString &part, const QString &dialogName,
                   const Script &script)
    {
        load(content, part);
        ScriptedInteraction ui;
        if (!dialogName.isEmpty())
            ui.expectDialog(dialogName, script);
        TagEdit(*doc);
        return text().text();
    }

    // Puts the caret at `position` of `content`, double-clicks there with the dialog
    // `dialogName` driven by `script`; the text afterwards.
    QString doubleClickAt(const QString &content, int position, const QString &dialogName,
                          const Script &script)
    {
        text().setText(content);
        text().select(position, 0);
        ScriptedInteraction ui;
        ui.expectDialog(dialogName, script);
        SelectTagAtCaret(*doc);
        return text().text();
    }

    // The same `into` characters inside the first `tag` of `content` (1: just after its "<").
    QString doubleClick(const QString &content, const QString &tag, const QString &dialogName,
                        const Script &script, int into = 1)
    {
        const int at = int(content.indexOf(tag));
        EXPECT_GE(at, 0) << tag.toStdString();
        return doubleClickAt(content, at + into, dialogName, script);
    }

    static bool isChecked(QWidget &root, const QString &name)
    {
        auto *button = root.findChild<QAbstractButton *>(name);
        EXPECT_TRUE(button) << name.toStdString();
        return button && button->isChecked();
    }

    std::unique_ptr<frmDocument> doc;
};
