#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "support/u8.h"
#include "tags/shared/tagedit.h"

#include <gtest/gtest.h>

namespace {

class FontReEdit : public ReEditTest
{
protected:
    // Double-clicks two characters inside `tag` in `content`.
    QString doubleClick(const QString &content, const QString &tag, const char *dialogName,
                        const Script &script)
    {
        return ReEditTest::doubleClick(content, tag, u8(dialogName), script, 2);
    }
};

TEST_F(FontReEdit, DoubleClickOnAFontTagOpensTheFontDialogPreFilled)
{
    const QString tag = u8("<FONT color=\"#FF0000\" size=4>");
    const QString content = u8("<P>") + tag + u8("赤い字</FONT></P>");
    const QString after = doubleClick(content, tag, "frmFontSet", [](QDialog &d) {
        EXPECT_EQ(controlText(d, u8("Combo1")), u8("4"));
        EXPECT_EQ(controlText(d, u8("txtColor")), u8("#FF0000"));
        EXPECT_EQ(controlText(d, u8("txtFont")), QString());
        clickControl(d, u8("cmdCancel"));
    });
    EXPECT_EQ(after, content);
    EXPECT_EQ(text().selText(), tag);
}

TEST_F(FontReEdit, StartTagsInRealStyles)
{
    const struct
    {
        const char *name;
        const char *content, *tag, *dialog;
        Script script;
        const char *after;
    } cases[] = {
        {"font lower case, colour upper-cased, class kept",
         "<font color=\"#ff0000\" size=5 class=big>x</font>", "<font color", "frmFontSet",
         [](QDialog &d) {
             EXPECT_EQ(controlText(d, u8("txtColor")), u8("#FF0000"));
             EXPECT_EQ(controlText(d, u8("Combo1")), u8("5"));
             pressOk(d);
         },
         "<FONT size=\"5\" color=\"#FF0000\" class=big>x</font>"},
        {"font across lines with single quotes", "<Font\r\n face='Times New Roman'\r\n size=+1>x",
         "<Font", "frmFontSet",
         [](QDialog &d) {
             EXPECT_EQ(controlText(d, u8("txtFont")), u8("Times New Roman"));
             setControlText(d, u8("Combo1"), u8("-2"));
             pressOk(d);
         },
         "<FONT size=\"-2\" face=\"Times New Roman\">x"},
        {"rule with percent and noshade", "a\r\n<hr width=\"50%\" noshade>\r\nb", "<hr",
         "frmKeisenSet",
         [](QDialog &d) {
             EXPECT_EQ(controlText(d, u8("txtWidth")), u8("50"));
             EXPECT_TRUE(isChecked(d, u8("chkWidth")));
             EXPECT_FALSE(isChecked(d, u8("chk3D")));
             pressOk(d);
         },
         "a\r\n<HR width=\"50%\" noshade>\r\nb"},
        {"bare rule is shaded", "<hr>", "<hr", "frmKeisenSet",
         [](QDialog &d) {
             EXPECT_TRUE(isChecked(d, u8("chk3D")));
             EXPECT_EQ(controlText(d, u8("cboAlign")), u8("（なし）"));
             pressOk(d);
         },
         "<HR>"},
        {"rule alignment and unknown attribute", "<HR ALIGN=Center SIZE=2 id=r1>", "<HR",
         "frmKeisenSet",
         [](QDialog &d) {
             EXPECT_EQ(controlText(d, u8("cboAlign")), u8("中央揃え"));
             setControlChecked(d, u8("chk3D"), false);
             pressOk(d);
         },
         "<HR size=\"2\" align=\"center\" noshade id=r1>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(doubleClick(u8(c.content), u8(c.tag), c.dialog, c.script), u8(c.after));
    }
}

TEST_F(FontReEdit, HeadingElementsKeepTheirContent)
{
    const struct
    {
        const char *name;
        const char *content, *tag;
        Script script;
        const char *after;
    } cases[] = {
        {"level changed", "<p>\r\n<h3 align=center>Title</h3>\r\n", "<h3",
         [](QDialog &d) {
             EXPECT_TRUE(isChecked(d, u8("optSise_2")));
             EXPECT_EQ(controlText(d, u8("Combo1")), u8("中央"));
             setControlChecked(d, u8("optSise_1"), true);
             pressOk(d);
         },
         "<p>\r\n<H2 align=\"center\">Title</H2>\r\n"},
        {"content with tags and line breaks, unknown attribute kept",
         "<H1 ID=\"top\" ALIGN=LEFT>\r\nA <B>bold</B> title\r\n</H1>", "<H1",
         [](QDialog &d) {
             EXPECT_TRUE(isChecked(d, u8("optSise_0")));
             EXPECT_EQ(controlText(d, u8("Combo1")), u8("左寄せ"));
             setControlText(d, u8("Combo1"), QString());
             pressOk(d);
         },
         "<H1 ID=\"top\">\r\nA <B>bold</B> title\r\n</H1>"},
        {"cancel", "<h2>x</h2>", "<h2", [](QDialog &d) { clickControl(d, u8("cmdCancel")); },
         "<h2>x</h2>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(doubleClick(u8(c.content), u8(c.tag), "frmMidashi", c.script), u8(c.after));
    }
}

// The double-click scan stops at the first ">" of an h7 element, so it is reached through a
// hand-made selection and "編集".
TEST_F(FontReEdit, H7ElementOpensAsH6)
{
    load(u8("<h7>x</h7>"), u8("<h7>x</h7>"));
    ScriptedInteraction ui;
    ui.expectDialog(u8("frmMidashi"), [](QDialog &d) {
        EXPECT_TRUE(isChecked(d, u8("optSise_5")));
        pressOk(d);
    });
    TagEdit(*doc);
    EXPECT_EQ(text().text(), u8("<H6>x</H6>"));
}

TEST_F(FontReEdit, BuiltTagsReEditedUnchangedStayTheSame)
{
    const struct
    {
        const char *content, *tag, *dialog;
    } cases[] = {
        {"<FONT size=\"+2\" face=\"Arial\" color=\"#FF8000\">x</FONT>", "<FONT", "frmFontSet"},
        {"<H4 align=\"right\">x</H4>", "<H4", "frmMidashi"},
        {"<HR width=\"50%\" size=\"3\" align=\"left\" noshade>", "<HR", "frmKeisenSet"},
        {"<HR width=\"640\">", "<HR", "frmKeisenSet"},
    };
    const QString far = QString(70000, QLatin1Char('x')) + u8("\r\n");
    for (const auto &c : cases) {
        for (const QString &before : {QString(), far}) {
            const QString content = before + u8(c.content);
            EXPECT_EQ(doubleClick(content, u8(c.tag), c.dialog, pressOk), content) << c.content;
        }
    }
}

} // namespace
