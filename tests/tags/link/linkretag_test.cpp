#include "core/settingsstore.h"
#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "support/u8.h"
#include "tags/link/frmlinkset.h"
#include "tags/shared/tagedit.h"

#include <QLineEdit>

#include <functional>

namespace {

class LinkReEdit : public ReEditTest
{
protected:
    void SetUp() override
    {
        ReEditTest::SetUp();
        doc->strFileName = QStringLiteral("/site/index.html");
    }
};

TEST_F(LinkReEdit, DoubleClickOnALinkFillsTheDialog)
{
    const QString content = u8("<P><a href=\"x.html\" target=\"_top\">Top page</a></P>");
    text().setText(content);
    text().select(5, 0);
    ScriptedInteraction ui;
    ui.expectDialog(u8("frmLinkSet"), [](QDialog &d) {
        EXPECT_EQ(controlText(d, u8("txtUrl")), u8("x.html"));
        EXPECT_EQ(controlText(d, u8("txtMIdashi")), u8("Top page"));
        EXPECT_EQ(controlText(d, u8("cboTarget")), u8("全領域"));
        pressOk(d);
    });
    SelectTagAtCaret(*doc);
    EXPECT_EQ(text().text(), u8("<P><A href=\"x.html\" target=\"_top\">Top page</a></P>"));
}

TEST_F(LinkReEdit, LinksInRealPageStyles)
{
    const struct
    {
        const char *name;
        const char *element;
        const char *dialog;
        Script script;
        const char *after;
    } cases[] = {
        {"frame name shown as it is, unknown attributes kept",
         "<A HREF=\"menu.html\" TARGET=\"main\" class=\"nav\" title='目 次'>目次</A>", "frmLinkSet",
         [](QDialog &d) {
             EXPECT_EQ(controlText(d, u8("cboTarget")), u8("main"));
             pressOk(d);
         },
         "<A href=\"menu.html\" target=\"main\" class=\"nav\" title='目 次'>目次</A>"},
        {"no target empties the drop-down; new text and target",
         "<a href=\"a b.html\"\r\n   onclick=\"go('x y')\">old <b>text</b></a>", "frmLinkSet",
         [](QDialog &d) {
             EXPECT_EQ(controlText(d, u8("cboTarget")), QString());
             EXPECT_EQ(controlText(d, u8("txtMIdashi")), u8("old <b>text</b>"));
             setControlText(d, u8("txtMIdashi"), u8("新しい 文字"));
             setControlText(d, u8("cboTarget"), u8("新規ウィンドウ"));
             pressOk(d);
         },
         "<A href=\"a b.html\" target=\"_blank\" onclick=\"go('x y')\">新しい 文字</a>"},
        {"mail link opens the mail dialog", "<A HREF=\"mailto:me@x.jp\" class=m>Mail</A>",
         "frmMailtoSet",
         [](QDialog &d) {
             EXPECT_EQ(controlText(d, u8("cmbMail")), u8("me@x.jp"));
             EXPECT_EQ(controlText(d, u8("txtHyouji")), u8("Mail"));
             pressOk(d);
         },
         "<A href=\"mailto:me@x.jp\" class=m>Mail</A>"},
        {"MAILTO in capitals is a page link", "<A HREF=\"MAILTO:me\">Mail</A>", "frmLinkSet",
         pressOk, "<A href=\"MAILTO:me\">Mail</A>"},
        {"start tag alone: only the tag changes", "<A HREF=\"x.html\">", "frmLinkSet",
         [](QDialog &d) {
             auto *box = d.findChild<QLineEdit *>(u8("txtMIdashi"));
             EXPECT_FALSE(box->isEnabled());
             setControlText(d, u8("txtUrl"), u8("y.html"));
             pressOk(d);
         },
         "<A href=\"y.html\">"},
        {"cancel leaves every byte", "<a HREF = x.html  title=t >x</A >", "frmLinkSet",
         [](QDialog &d) {
             setControlText(d, u8("txtUrl"), u8("changed"));
             clickControl(d, u8("cmdCancel"));
         },
         "<a HREF = x.html  title=t >x</A >"},
    };
    for (const auto &c : cases) {
        const QString content = u8("前\r\n") + u8(c.element) + u8("後 rest</a>");
        EXPECT_EQ(reEdit(content, u8(c.element), u8(c.dialog), c.script),
                  u8("前\r\n") + u8(c.after) + u8("後 rest</a>"))
            << c.name;
    }
    SettingsStore::remove(u8("Recent MailTo"), u8("MailNum"));
}

TEST_F(LinkReEdit, MailLinkNeedsNoSaveButPageLinkAsks)
{
    doc->strFileName = frmDocument::NewFileName;
    const QString page = u8("<a href=\"x.html\">x</a>");
    load(page, page);
    {
        ScriptedInteraction ui;
        ui.expectMessage(u8("保存しますか？"), Interaction::Answer::No);
        TagEdit(*doc);
    }
    EXPECT_EQ(text().text(), page);
    const QString mail = u8("<A HREF=\"mailto:me\">Mail</A>");
    EXPECT_EQ(reEdit(mail, mail, u8("frmMailtoSet"),
                     [](QDialog &d) { clickControl(d, u8("cmdCancel")); }),
              mail);
}

TEST_F(LinkReEdit, BuiltLinksComeBackUnchanged)
{
    const struct
    {
        const char *name;
        const char *url;
        const char *target;
        const char *text;
    } trips[] = {
        {"plain", "a.html", "", "a"},
        {"each target", "a.html", "親フレーム", "親"},
        {"frame name", "../b c.html", "main", "<img src=\"x.gif\">"},
        {"empty text", "#top", "全領域", ""},
    };
    for (const auto &trip : trips) {
        QString element;
        {
            DialogUse<frmLinkSet> dialog;
            dialog->apply({u8(trip.url), u8(trip.target), u8(trip.text)});
            pressOk(*dialog);
            element = dialog->resultString() + u8("</A>");
        }
        const QString content = u8("<P>") + element + u8("</P>");
        EXPECT_EQ(reEdit(content, element, u8("frmLinkSet"), pressOk), content) << trip.name;
    }
}

class LinkCommands : public LinkReEdit
{};

TEST_F(LinkCommands, SelectedWordBecomesTheLink)
{
    load(u8("see 次のページ now"), u8("次のページ"));
    ScriptedInteraction ui;
    ui.expectDialog(u8("frmLinkSet"), [](QDialog &d) {
        EXPECT_EQ(controlText(d, u8("txtMIdashi")), u8("次のページ"));
        setControlText(d, u8("txtUrl"), u8("next.html"));
        setControlText(d, u8("cboTarget"), u8("全領域"));
        pressOk(d);
    });
    doc->run(u8("mnuLink_Click"));
    EXPECT_EQ(text().text(), u8("see <A href=\"next.html\" target=\"_top\">次のページ</A> now"));
}

TEST_F(LinkCommands, LinkWithoutUrlIsRefused)
{
    load(u8("abc"), u8("b"));
    ScriptedInteraction ui;
    ui.expectDialog(u8("frmLinkSet"), [](QDialog &d) {
        ScriptedInteraction inner;
        inner.expectMessage(u8("ﾘﾝｸ先が指定されていません。"));
        pressOk(d);
        EXPECT_TRUE(d.isVisible() || d.result() != QDialog::Accepted);
        EXPECT_EQ(d.focusWidget()->objectName(), u8("txtUrl"));
        clickControl(d, u8("cmdCancel"));
    });
    doc->run(u8("mnuLink_Click"));
    EXPECT_EQ(text().text(), u8("abc"));
}

TEST_F(LinkCommands, ChosenFileIsWrittenRelative)
{
    load(u8("abc"), u8("b"));
    ScriptedInteraction ui;
    ui.expectDialog(u8("frmLinkSet"), [](QDialog &d) {
        clickControl(d, u8("cmdRef"));
        pressOk(d);
    });
    ui.expectOpenFile(u8("/site/資料/年 報.html"));
    doc->run(u8("mnuLink_Click"));
    EXPECT_EQ(text().text(), u8("a<A href=\"資料/年 報.html\">b</A>c"));
}

TEST_F(LinkCommands, MailLinkReplacesTheSelection)
{
    load(u8("ご連絡は窓口まで"), u8("窓口"));
    ScriptedInteraction ui;
    ui.expectDialog(u8("frmMailtoSet"), [](QDialog &d) {
        EXPECT_EQ(controlText(d, u8("txtHyouji")), u8("窓口"));
        setControlText(d, u8("cmbMail"), u8("mailto:desk@example.jp"));
        pressOk(d);
    });
    doc->run(u8("mnuMailTo_Click"));
    EXPECT_EQ(text().text(), u8("ご連絡は<A href=\"mailto:desk@example.jp\">窓口</A>まで"));
    SettingsStore::remove(u8("Recent MailTo"), u8("MailNum"));
}

} // namespace
