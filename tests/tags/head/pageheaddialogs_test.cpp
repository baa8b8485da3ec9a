#include "core/settings.h"
#include "core/settingsstore.h"
#include "core/sharedstate.h"
#include "support/qstringprinter.h"
#include "support/scriptedinteraction.h"
#include "tags/head/dlgauthor.h"
#include "tags/head/dlgdescription.h"
#include "tags/head/dlgkeyword.h"
#include "tags/head/dlgsetbaseurl.h"
#include "tags/head/dlgsetname.h"
#include "tags/head/dlgsetrefresh.h"
#include "tags/head/dlgurl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct ValidationCase
{
    const char *name;
    std::function<std::unique_ptr<TagDialog>()> load;
    const char *message;
    Interaction::Buttons buttons;
    const char *focus;
};

TEST(PageHeadDialogs, EmptyRequiredFieldsAreRefused)
{
    const ValidationCase cases[] = {
        {"refresh without seconds",
         [] {
             auto d = std::make_unique<dlgSetRefresh>();
             d->txtUrl->setText(QStringLiteral("a.htm"));
             return std::unique_ptr<TagDialog>(std::move(d));
         },
         "秒数を入力して下さい。", Interaction::Buttons::Ok, "txtSec"},
        {"base URL without URL",
         [] {
             auto d = std::make_unique<dlgSetBaseUrl>();
             d->txtTarget->setText(QStringLiteral("main"));
             return std::unique_ptr<TagDialog>(std::move(d));
         },
         "URLが未入力です。", Interaction::Buttons::Ok, "txtURL"},
        {"anchor without name",
         [] {
             auto d = std::make_unique<DlgSetName>();
             d->txtString->setText(QStringLiteral("見出し"));
             return std::unique_ptr<TagDialog>(std::move(d));
         },
         "名前を指定してください。", Interaction::Buttons::YesNo, "txtName"},
        {"download without URL",
         [] { return std::unique_ptr<TagDialog>(std::make_unique<dlgURL>()); },
         "URLを入力して下さい。", Interaction::Buttons::Ok, "cmbURL"},
    };
    for (const ValidationCase &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedInteraction script;
        script.expectMessage(QString::fromUtf8(c.message), Interaction::Answer::Yes);
        std::unique_ptr<TagDialog> dialog = c.load();
        dialog->show();
        dialog->okButton()->click();
        EXPECT_EQ(dialog->resultString(), QStringLiteral("Cancel"));
        EXPECT_TRUE(dialog->isVisible());
        ASSERT_NE(dialog->focusWidget(), nullptr);
        EXPECT_EQ(dialog->focusWidget()->objectName(), QString::fromUtf8(c.focus));
        EXPECT_EQ(script.lastPrompt().message.text, QString::fromUtf8(c.message));
        EXPECT_EQ(script.lastPrompt().message.icon, Interaction::Icon::Warning);
        EXPECT_EQ(script.lastPrompt().message.buttons, c.buttons);
    }
}

TEST(PageHeadDialogs, OkBuildsTheResult)
{
    dlgKeyword keyword;
    keyword.txtKeyword[3]->setText(QStringLiteral("HTML"));
    keyword.txtKeyword[7]->setText(QStringLiteral("日本語"));
    keyword.okButton()->click();
    EXPECT_EQ(keyword.resultString(), QStringLiteral("HTML,日本語"));

    dlgKeyword empty;
    empty.okButton()->click();
    EXPECT_EQ(empty.resultString(), QString());

    dlgDescription description;
    description.txtDescription->setText(QStringLiteral("説明"));
    description.okButton()->click();
    EXPECT_EQ(description.resultString(), QStringLiteral("説明"));

    dlgSetBaseUrl base;
    base.txtURL->setText(QStringLiteral("http://a.jp/"));
    base.okButton()->click();
    EXPECT_EQ(base.resultString(), QStringLiteral("<BASE href=\"http://a.jp/\">"));

    DlgSetName name;
    name.txtName->setText(QStringLiteral("n"));
    name.okButton()->click();
    EXPECT_EQ(name.resultString(), QStringLiteral("<A name=\"n\"></A>"));
}

TEST(PageHeadDialogs, RefreshReferenceIsRelativeToTheDocument)
{
    shared().strLastFullPath = QStringLiteral("/home/u/site/old/page.htm");
    ScriptedInteraction script;
    script.expectOpenFile(QStringLiteral("/home/u/site/sub/next.htm")).expectOpenFile(QString());
    dlgSetRefresh dialog;
    dialog.setBasePath(QStringLiteral("/home/u/site/index.htm"));
    dialog.cmdRef->click();
    EXPECT_EQ(script.lastPrompt().file.startFolder, QStringLiteral("/home/u/site/old"));
    EXPECT_EQ(dialog.txtUrl->text(), QStringLiteral("sub/next.htm"));
    EXPECT_EQ(shared().strLastFullPath, QStringLiteral("/home/u/site/sub/next.htm"));
    // A cancelled file dialog changes nothing.
    dialog.cmdRef->click();
    EXPECT_EQ(dialog.txtUrl->text(), QStringLiteral("sub/next.htm"));
    EXPECT_EQ(shared().strLastFullPath, QStringLiteral("/home/u/site/sub/next.htm"));
    dialog.txtSec->setText(QStringLiteral("3"));
    dialog.okButton()->click();
    EXPECT_EQ(dialog.resultString(),
              QStringLiteral("<META http-equiv=\"refresh\" content=\"3;URL=sub/next.htm\">"));
}

TEST(PageHeadDialogs, AuthorGuardKeepsACancelledDialogForTheNextUse)
{
    shared().strAuthor = QStringLiteral("山田");
    {
        ScriptedInteraction script;
        script.expectDialog(QStringLiteral("dlgAuthor"), [](QDialog &d) {
            setControlText(d, QStringLiteral("txtAuthor"), QStringLiteral("鈴木"));
            clickControl(d, QStringLiteral("CancelButton"));
        });
        DialogUse<dlgAuthor> first;
        EXPECT_EQ(first->txtAuthor->text(), QStringLiteral("山田"));
        EXPECT_EQ(first.run(), QStringLiteral("Cancel"));
    }
    // The discard was refused: the same hidden dialog, with the typed name, comes back.
    dlgAuthor *kept = loadedDialog<dlgAuthor>();
    ASSERT_NE(kept, nullptr);
    EXPECT_FALSE(kept->isVisible());
    {
        ScriptedInteraction script;
        script.expectDialog(QStringLiteral("dlgAuthor"), [](QDialog &d) {
            EXPECT_EQ(controlText(d, QStringLiteral("txtAuthor")), QStringLiteral("鈴木"));
            setControlChecked(d, QStringLiteral("chkSave"), true);
            setControlText(d, QStringLiteral("txtAuthor"), QString());
            clickControl(d, QStringLiteral("OKButton"));
        });
        DialogUse<dlgAuthor> second;
        EXPECT_EQ(&*second, kept);
        EXPECT_EQ(second->resultString(), QStringLiteral("Cancel"));
        EXPECT_EQ(second.run(), QString());
    }
    // After OK the dialog goes, and the empty name became the default.
    EXPECT_EQ(loadedDialog<dlgAuthor>(), nullptr);
    EXPECT_EQ(shared().strAuthor, QString());
    EXPECT_EQ(SettingsStore::get(QStringLiteral("Settings"), QStringLiteral("Author"),
                                 QStringLiteral("?")),
              QString());
}

TEST(PageHeadDialogs, AuthorClosedByTheFrameReadsCancel)
{
    shared().strAuthor.clear();
    {
        ScriptedInteraction script;
        script.expectDialog(QStringLiteral("dlgAuthor"), [](QDialog &d) {
            d.show();
            setControlText(d, QStringLiteral("txtAuthor"), QStringLiteral("x"));
            d.close();
            EXPECT_FALSE(d.isVisible());
        });
        DialogUse<dlgAuthor> use;
        EXPECT_EQ(use.run(), QStringLiteral("Cancel"));
    }
    // Without chkSave nothing is stored; the kept dialog is thrown away for the next test.
    EXPECT_EQ(shared().strAuthor, QString());
    delete loadedDialog<dlgAuthor>();
}

std::array<QString, 10> storedHistory()
{
    std::array<QString, 10> slots_;
    for (int i = 0; i < 10; ++i)
        slots_[size_t(i)] = SettingsStore::get(QStringLiteral("Recent Files"), urlHistoryKey(i));
    return slots_;
}

TEST(PageHeadDialogs, UrlHistoryIsListedAndWrittenBack)
{
    for (int i = 0; i < 10; ++i) {
        SettingsStore::set(QStringLiteral("Recent Files"), urlHistoryKey(i),
                           i == 2 ? QString() : QStringLiteral("http://h/%1").arg(i));
    }
    {
        ScriptedInteraction script;
        script.expectDialog(QStringLiteral("dlgURL"), [](QDialog &d) {
            auto *combo = d.findChild<QComboBox *>(QStringLiteral("cmbURL"));
            ASSERT_NE(combo, nullptr);
            EXPECT_EQ(combo->count(), 9); // the empty slot is not listed
            EXPECT_EQ(combo->itemText(2), QStringLiteral("http://h/3"));
            combo->setEditText(QStringLiteral("http://h/4"));
            clickControl(d, QStringLiteral("OKButton"));
        });
        DialogUse<dlgURL> use;
        EXPECT_EQ(use.run(), QStringLiteral("http://h/4"));
    }
    const std::array<QString, 10> expected
        = {QStringLiteral("http://h/4"), QStringLiteral("http://h/0"),
           QStringLiteral("http://h/1"), QString(),
           QStringLiteral("http://h/3"), QStringLiteral("http://h/5"),
           QStringLiteral("http://h/6"), QStringLiteral("http://h/7"),
           QStringLiteral("http://h/8"), QString()};
    EXPECT_EQ(storedHistory(), expected);

    // A cancelled use writes the history back unchanged.
    {
        ScriptedInteraction script;
        script.expectDialog(QStringLiteral("dlgURL"),
                            [](QDialog &d) { clickControl(d, QStringLiteral("CancelButton")); });
        DialogUse<dlgURL> use;
        EXPECT_EQ(use.run(), QStringLiteral("Cancel"));
    }
    EXPECT_EQ(storedHistory(), expected);
}

} // namespace
