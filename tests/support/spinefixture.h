#pragma once

// A running frame with a clean settings store and a scratch folder, for tests that drive
// document windows through the real start-up, reading and saving code.

#include "app/startup.h"
#include "core/settings.h"
#include "core/settingsstore.h"
#include "core/sharedstate.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "mainwindow/documentio.h"
#include "mainwindow/frmmain.h"
#include "support/scriptedinteraction.h"

#include <QCoreApplication>
#include <QFile>
#include <QMdiArea>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>

class SpineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        // The keys these tests depend on, back to their defaults; every window load re-reads them.
        SettingsStore::set(QStringLiteral("Settings"), QStringLiteral("ChildState"),
                           QStringLiteral("0"));
        SettingsStore::set(QStringLiteral("Settings"), QStringLiteral("TagColor"),
                           QStringLiteral("False"));
        SettingsStore::set(QStringLiteral("Settings"), QStringLiteral("LastFullPath"),
                           scratch.filePath(QStringLiteral("start.htm")));
        for (int i = 1; i <= 20; ++i)
            SettingsStore::set(QStringLiteral("Recent Files"),
                               QStringLiteral("RecentFile%1").arg(i), {});
        shared().strNewTemplate = buildNewTemplate();
        shared().lngNewCount = 0;
        frame = std::make_unique<frmMain>();
        frame->show();
    }

    void TearDown() override
    {
        // Windows left open are discarded without questions.
        for (frmDocument *doc : frame->documents())
            doc->blnFlgDirty = false;
        frame.reset();
    }

    QString path(const QString &name) const { return scratch.filePath(name); }

    static QByteArray readBytes(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void writeBytes(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Reads `file` and returns the window that shows it.
    frmDocument *open(const QString &file)
    {
        ReadDoc(file);
        for (frmDocument *doc : frame->documents())
            if (doc->caption() == file)
                return doc;
        return nullptr;
    }

    // A new document from the standard template, through the template dialog.
    frmDocument *newDocument(ScriptedInteraction &ui)
    {
        ui.expectDialog(QStringLiteral("dlgOpenHtml"),
                        [](QDialog &d) { clickControl(d, QStringLiteral("OKButton")); });
        const int before = int(frame->documents().size());
        NewDocument();
        const QList<frmDocument *> docs = frame->documents();
        return docs.size() > before ? docs.constLast() : nullptr;
    }

    QTemporaryDir scratch;
    std::unique_ptr<frmMain> frame;
};
