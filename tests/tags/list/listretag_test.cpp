#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "tags/list/dlgdlset.h"
#include "tags/list/dlglistmark.h"
#include "tags/list/dlglistnumber.h"
#include "tags/list/listformat.h"
#include "tags/shared/tagedit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>

#include <functional>

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

void pressOkButton(QDialog &d)
{
    clickControl(d, QStringLiteral("OKButton"));
}

using ListReEdit = ReEditTest;

TEST_F(ListReEdit, StartTagsFillTheirDialogs)
{
    const struct
    {
        const char *name;
        const char *tag;
        const char *dialog;
        const char *option; // selected option, or "" for none
        bool wholeList;
        bool scopeVisible = true;
        const char *startNo = "";
    } cases[] = {
        {"UL circle", "<UL type=\"circle\">", "dlgListMark", "optMark_1", true},
        {"UL upper case", "<ul TYPE=SQUARE>", "dlgListMark", "optMark_2", true},
        {"UL unknown mark", "<UL type=round>", "dlgListMark", "", true},
        {"OL i from 3", "<ol type=\"i\" start=\"3\">", "dlgListNumber", "optNumber_3", true, true,
         "3"},
        {"OL bare a", "<OL TYPE=a>", "dlgListNumber", "optNumber_1", true},
        {"OL unknown type", "<OL TYPE=III>", "dlgListNumber", "", true},
        {"LI square", "<li type=\"square\">", "dlgListMark", "optMark_2", false},
        {"LI numbered", "<LI type='I' value=4>", "dlgListNumber", "optNumber_4", false, false, "4"},
    };
    for (const auto &c : cases) {
        const QString tag = u(c.tag);
        const QString content = u("<P>\r\n") + tag + u("項目</LI>");
        const QString after = reEdit(content, tag, u(c.dialog), [&](QDialog &d) {
            const auto options = d.findChildren<QRadioButton *>();
            for (QRadioButton *option : options)
                EXPECT_EQ(option->isChecked(), option->objectName() == u(c.option))
                    << c.name << " " << option->objectName().toStdString();
            auto *scope = d.findChild<QCheckBox *>();
            EXPECT_EQ(scope->isChecked(), c.wholeList) << c.name;
            EXPECT_FALSE(scope->isEnabled()) << c.name;
            EXPECT_EQ(scope->isVisibleTo(&d), c.scopeVisible) << c.name;
            if (auto *start = d.findChild<QLineEdit *>(u("txtStartNo"))) {
                EXPECT_EQ(start->text(), u(c.startNo)) << c.name;
                EXPECT_TRUE(start->isEnabled()) << c.name;
            }
            clickControl(d, u("CancelButton"));
        });
        EXPECT_EQ(after, content) << c.name;
    }
}

TEST_F(ListReEdit, OkWritesTheNewStartTag)
{
    const struct
    {
        const char *name;
        const char *tag;
        const char *dialog;
        Script script;
        const char *written;
    } cases[] = {
        {"UL circle to square", "<UL type=\"circle\">", "dlgListMark",
         [](QDialog &d) {
             setControlChecked(d, u("optMark_2"), true);
             pressOkButton(d);
         },
         "<UL type=\"square\">"},
        {"UL disc unchanged", "<UL type=\"disc\">", "dlgListMark", pressOkButton,
         "<UL type=\"disc\">"},
        {"OL unchanged, upper-cased", "<ol type=\"i\" start=\"3\">", "dlgListNumber", pressOkButton,
         "<OL type=\"i\" start=\"3\">"},
        {"OL start removed", "<OL type=A start=2>", "dlgListNumber",
         [](QDialog &d) {
             setControlText(d, u("txtStartNo"), {});
             pressOkButton(d);
         },
         "<OL type=\"A\">"},
        {"unknown attributes kept after the dialog's",
         "<UL ID=nav class='menu x' TYPE=disc compact>", "dlgListMark",
         [](QDialog &d) {
             setControlChecked(d, u("optMark_1"), true);
             pressOkButton(d);
         },
         "<UL type=\"circle\" ID=nav class='menu x' compact>"},
        {"OL over two lines", "<OL\r\n  type=\"1\"\r\n  class=steps>", "dlgListNumber",
         pressOkButton, "<OL type=\"1\" class=steps>"},
        {"LI mark", "<li type=\"square\" value=\"2\">", "dlgListMark",
         [](QDialog &d) {
             setControlChecked(d, u("optMark_0"), true);
             pressOkButton(d);
         },
         "<LI type=\"disc\" value=\"2\">"},
        {"LI number with value", "<LI TYPE=i>", "dlgListNumber",
         [](QDialog &d) {
             setControlText(d, u("txtStartNo"), u("4"));
             pressOkButton(d);
         },
         "<LI type=\"i\" value=\"4\">"},
    };
    for (const auto &c : cases) {
        const QString content = u("<P>\r\n") + u(c.tag) + u("項目\r\n</UL>");
        EXPECT_EQ(reEdit(content, u(c.tag), u(c.dialog), c.script),
                  u("<P>\r\n") + u(c.written) + u("項目\r\n</UL>"))
            << c.name;
    }
}

TEST_F(ListReEdit, TagsThatAreNotReEdited)
{
    // No dialog may open for these: the scripted interaction fails on any prompt.
    for (const char *tag :
         {"<LI>", "<li class=x>", "<LINK rel=\"stylesheet\" type=\"text/css\">", "<DL COMPACT>"}) {
        const QString content = u("x") + u(tag) + u("y");
        EXPECT_EQ(reEdit(content, u(tag), {}, {}), content) << tag;
    }
}

TEST_F(ListReEdit, UnknownTypeMustBeChosenBeforeOk)
{
    const QString content = u("<OL TYPE=III>");
    const QString after = reEdit(content, content, u("dlgListNumber"), [](QDialog &d) {
        ScriptedInteraction nested;
        nested.expectMessage(u("番号の形式を指定して下さい。"));
        pressOkButton(d);
        EXPECT_TRUE(d.isVisible() || static_cast<TagDialog &>(d).isCancelled());
        setControlChecked(d, u("optNumber_4"), true);
        pressOkButton(d);
    });
    EXPECT_EQ(after, u("<OL type=\"I\">"));
}

// A definition list as the page holds it, and how OK writes it back.
const QString handWrittenList
    = u("<dl>\r\n  <dt>ﾎｰﾑﾍﾟｰｼﾞ</dt>\r\n    <dd>最初の<B>ページ</B></dd>\r\n\r\n"
        "  <DT>リンク</DT><DD>\r\n外への道\r\n</DD>\r\n</dl>");
const QString rewrittenList
    = u("<DL>\r\n<DT>ﾎｰﾑﾍﾟｰｼﾞ</DT>\r\n<DD>\r\n最初の<B>ページ</B>\r\n</DD>\r\n"
        "<DT>リンク</DT>\r\n<DD>\r\n外への道\r\n</DD>\r\n</DL>");

TEST_F(ListReEdit, DoubleClickOnDlOpensItsDialogAndOkReplacesIt)
{
    const QString before = u("<P>前</P>\r\n");
    const QString after = u("\r\n<P>後</P>");
    text().setText(before + handWrittenList + after);
    text().select(int(before.size()) + 2, 0); // on the "l" of "<dl>"
    ScriptedInteraction ui;
    ui.expectDialog(u("dlgDlSet"), [](QDialog &d) {
        auto *view = d.findChild<QTreeWidget *>(u("lvwYougo"));
        ASSERT_EQ(view->topLevelItemCount(), 2);
        EXPECT_EQ(view->topLevelItem(0)->text(0), u("ﾎｰﾑﾍﾟｰｼﾞ"));
        EXPECT_EQ(view->topLevelItem(0)->text(1), u("最初の<B>ページ</B>"));
        EXPECT_EQ(view->topLevelItem(1)->text(0), u("リンク"));
        EXPECT_EQ(view->topLevelItem(1)->text(1), u("外への道"));
        pressOkButton(d);
    });
    SelectTagAtCaret(*doc);
    EXPECT_EQ(text().text(), before + rewrittenList + after);
}

TEST_F(ListReEdit, DefinitionListChangedOrCancelled)
{
    const QString content = u("x\r\n") + handWrittenList;
    EXPECT_EQ(reEdit(content, handWrittenList, u("dlgDlSet"),
                     [](QDialog &d) { clickControl(d, u("CancelButton")); }),
              content);

    const QString after = reEdit(content, handWrittenList, u("dlgDlSet"), [](QDialog &d) {
        auto &dialog = static_cast<dlgDlSet &>(d);
        dialog.lvwYougo->setCurrentItem(dialog.lvwYougo->topLevelItem(1));
        dialog.lvwYougo_Click();
        ScriptedInteraction nested;
        nested.expectDialog(u("dlgDlEdit"), [](QDialog &entry) {
            EXPECT_EQ(controlText(entry, u("txtYougo")), u("リンク"));
            setControlText(entry, u("txtSetsumei"), u("新しい説明"));
            pressOkButton(entry);
        });
        clickControl(d, u("cmdEdit"));
        pressOkButton(d);
    });
    EXPECT_EQ(after, u("x\r\n") + QString(rewrittenList).replace(u("外への道"), u("新しい説明")));
}

TEST_F(ListReEdit, UnreadableDefinitionListIsRefusedAndKept)
{
    const QString list = u("<DL>\r\n<DT>a<DD>説明\r\n<DT>b<DD>続き\r\n</DL>");
    const QString content = u("x\r\n") + list;
    load(content, list);
    ScriptedInteraction ui;
    ui.expectMessage(u("編集できません"));
    TagEdit(*doc);
    EXPECT_EQ(text().text(), content);
}

// Builds a list with a command, re-edits a tag of it, accepts unchanged and expects the same
// text back.
class ListRoundTrip : public ListReEdit
{
protected:
    void expectRoundTrip(const char *name, const char *command, const QString &dialogName,
                         const Script &fill, const QString &tag)
    {
        // Two lines to turn into items (the definition list replaces them).
        text().setText(u("<P>\r\n一行目\r\n2"));
        text().select(5, 6);
        {
            ScriptedInteraction ui;
            ui.expectDialog(dialogName, fill);
            doc->run(QLatin1String(command));
        }
        const QString built = text().text();
        const qsizetype at = built.indexOf(tag);
        ASSERT_GE(at, 0) << name << ": " << built.toStdString();
        text().select(int(at) + 2, 0);
        ScriptedInteraction ui;
        ui.expectDialog(dialogName, pressOkButton);
        SelectTagAtCaret(*doc);
        EXPECT_EQ(text().text(), built) << name;
    }
};

TEST_F(ListRoundTrip, BuildReEditOkIdentical)
{
    const auto choose = [](const char *option, bool whole, const char *start = nullptr) {
        return [=](QDialog &d) {
            auto *scope = d.findChild<QCheckBox *>();
            scope->setChecked(whole);
            if (start)
                setControlText(d, u("txtStartNo"), u(start));
            setControlChecked(d, u(option), true);
            pressOkButton(d);
        };
    };
    expectRoundTrip("UL circle", "mnuListUlLi_Click", u("dlgListMark"), choose("optMark_1", true),
                    u("<UL type"));
    expectRoundTrip("LI square", "mnuListUlLi_Click", u("dlgListMark"), choose("optMark_2", false),
                    u("<LI type"));
    expectRoundTrip("OL a from 3", "mnuListOLLI_Click", u("dlgListNumber"),
                    choose("optNumber_1", true, "3"), u("<OL type"));
    expectRoundTrip("OL I", "mnuListOLLI_Click", u("dlgListNumber"), choose("optNumber_4", true),
                    u("<OL type"));
    expectRoundTrip("LI i", "mnuListOLLI_Click", u("dlgListNumber"), choose("optNumber_3", false),
                    u("<LI type"));
    expectRoundTrip(
        "DL", "mnuListDl_Click", u("dlgDlSet"),
        [](QDialog &d) {
            static_cast<dlgDlSet &>(d).apply({{u("用語"), u("説明")}, {u("b"), u("two\r\nlines")}});
            pressOkButton(d);
        },
        u("<DL>"));
}

} // namespace
