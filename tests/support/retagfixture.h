#pragma once

// A document window of its own (no frame), with tag colouring off, for driving the re-edit
// routines through the scripted Interaction.

#include "core/settingsstore.h"
#include "core/sharedstate.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "support/scriptedinteraction.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

#include <memory>

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

    static bool isChecked(QWidget &root, const QString &name)
    {
        auto *button = root.findChild<QAbstractButton *>(name);
        EXPECT_TRUE(button) << name.toStdString();
        return button && button->isChecked();
    }

    std::unique_ptr<frmDocument> doc;
};
