#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "support/u8.h"
#include "tags/image/frmbodyset.h"
#include "tags/image/frmimageset.h"
#include "tags/shared/tagedit.h"

#include <functional>

namespace {

class ImageReEdit : public ReEditTest
{
protected:
    void SetUp() override
    {
        ReEditTest::SetUp();
        doc->strFileName = QStringLiteral("/site/index.html");
    }
};

TEST_F(ImageReEdit, BlanksInQuotesAreReadWholeAndUnknownAttributesKept)
{
    const QString tag = u8("<IMG SRC=\"a b.png\" ALT=\"夏の 海\" class=\"x\">");
    const QString after = doubleClick(
        u8("<P>") + tag + u8("</P>"), tag, QStringLiteral("frmImageSet"), [](QDialog &d) {
            EXPECT_EQ(controlText(d, QStringLiteral("txtImageName")), u8("a b.png"));
            EXPECT_EQ(controlText(d, QStringLiteral("txtAlt")), u8("夏の 海"));
            pressOk(d);
        });
    EXPECT_EQ(after, u8("<P><IMG src=\"a b.png\" alt=\"夏の 海\" class=\"x\"></P>"));
}

TEST_F(ImageReEdit, ImageTagsInRealPageStyles)
{
    const struct
    {
        const char *name;
        const char *tag;
        Script script;
        const char *after;
    } cases[] = {
        {"every box filled from upper-case attributes",
         "<IMG SRC=\"img/top.gif\" ALT=\"トップ\" NAME=\"t\" BORDER=\"0\" WIDTH=\"120\" HEIGHT=\"40\" "
         "HSPACE=\"3\" VSPACE=\"4\" align=\"right\">",
         [](QDialog &d) {
             EXPECT_EQ(controlText(d, QStringLiteral("txtName")), u8("t"));
             EXPECT_EQ(controlText(d, QStringLiteral("txtBorder")), u8("0"));
             EXPECT_EQ(controlText(d, QStringLiteral("txtWidth")), u8("120"));
             EXPECT_EQ(controlText(d, QStringLiteral("txtHeight")), u8("40"));
             EXPECT_EQ(controlText(d, QStringLiteral("txtHspace")), u8("3"));
             EXPECT_EQ(controlText(d, QStringLiteral("txtVspace")), u8("4"));
             EXPECT_TRUE(ReEditTest::isChecked(d, QStringLiteral("optTextPos_5")));
             pressOk(d);
         },
         "<IMG src=\"img/top.gif\" alt=\"トップ\" name=\"t\" align=\"right\" hspace=\"3\" vspace=\"4\" "
         "border=\"0\" height=\"40\" width=\"120\">"},
        {"line breaks, single quotes, percent width, unknown attributes",
         "<img src='photo.jpg'\r\n\twidth='50%'\r\n\tonclick=\"zoom('a b')\" data-x>",
         [](QDialog &d) {
             EXPECT_EQ(controlText(d, QStringLiteral("txtWidth")), u8("50%"));
             EXPECT_TRUE(ReEditTest::isChecked(d, QStringLiteral("optTextPos_0")));
             pressOk(d);
         },
         "<IMG src=\"photo.jpg\" width=\"50%\" onclick=\"zoom('a b')\" data-x>"},
        {"ALIGN=LEFT is read without letter case", "<Img src=\"a.gif\" ALIGN=LEFT>",
         [](QDialog &d) {
             EXPECT_TRUE(ReEditTest::isChecked(d, QStringLiteral("optTextPos_4")));
             setControlChecked(d, QStringLiteral("optTextPos_2"), true);
             pressOk(d);
         },
         "<IMG src=\"a.gif\" align=\"middle\">"},
        {"cancel leaves the bytes as they were", "<img  SRC = \"a.gif\"   border=0 >",
         [](QDialog &d) {
             setControlText(d, QStringLiteral("txtAlt"), u8("changed"));
             clickControl(d, QStringLiteral("Command2"));
         },
         "<img  SRC = \"a.gif\"   border=0 >"},
    };
    for (const auto &c : cases) {
        const QString content = u8("text\r\n") + u8(c.tag) + u8(" more");
        EXPECT_EQ(doubleClick(content, u8(c.tag), QStringLiteral("frmImageSet"), c.script),
                  u8("text\r\n") + u8(c.after) + u8(" more"))
            << c.name;
    }
}

TEST_F(ImageReEdit, BodyTagsInRealPageStyles)
{
    const struct
    {
        const char *name;
        const char *tag;
        Script script;
        const char *after;
    } cases[] = {
        {"colours each in their own box",
         "<body bgcolor=\"#FFFFFF\" link=\"#0000FF\" vlink=\"#800080\" alink=\"#FF0000\">",
         [](QDialog &d) {
             EXPECT_EQ(controlText(d, QStringLiteral("txtBgcolor")), u8("#FFFFFF"));
             EXPECT_EQ(controlText(d, QStringLiteral("txtLink")), u8("#0000FF"));
             EXPECT_EQ(controlText(d, QStringLiteral("txtVlink")), u8("#800080"));
             EXPECT_EQ(controlText(d, QStringLiteral("txtAlink")), u8("#FF0000"));
             pressOk(d);
         },
         "<BODY bgcolor=\"#FFFFFF\" alink=\"#FF0000\" link=\"#0000FF\" vlink=\"#800080\">"},
        {"alink without link leaves the link box empty; unknown attributes kept",
         "<BODY BACKGROUND=\"bg 1.gif\" ALINK=#FF0000 onload=\"init()\"\r\n  class='page'>",
         [](QDialog &d) {
             EXPECT_EQ(controlText(d, QStringLiteral("txtImageName")), u8("bg 1.gif"));
             EXPECT_EQ(controlText(d, QStringLiteral("txtLink")), QString());
             pressOk(d);
         },
         "<BODY background=\"bg 1.gif\" alink=\"#FF0000\" onload=\"init()\" class='page'>"},
    };
    for (const auto &c : cases) {
        const QString content = u8("<HTML>\r\n") + u8(c.tag) + u8("\r\n<P>x");
        EXPECT_EQ(doubleClick(content, u8(c.tag), QStringLiteral("frmBodySet"), c.script),
                  u8("<HTML>\r\n") + u8(c.after) + u8("\r\n<P>x"))
            << c.name;
    }
}

TEST_F(ImageReEdit, CancelledBodyLeavesTheTextAndTheNextReEditShowsOnlyItsTag)
{
    const QString first = u8("<body bgcolor=\"#FFFFFF\">");
    EXPECT_EQ(doubleClick(first, first, QStringLiteral("frmBodySet"),
                          [](QDialog &d) {
                              setControlText(d, QStringLiteral("txtTextCol"), u8("#123456"));
                              clickControl(d, QStringLiteral("cmdCancel"));
                          }),
              first);
    // The cancelled dialog was kept; its typed colour must not leak into another tag.
    const QString second = u8("<body link=\"#0000FF\">");
    EXPECT_EQ(doubleClick(second, second, QStringLiteral("frmBodySet"),
                          [](QDialog &d) {
                              EXPECT_EQ(controlText(d, QStringLiteral("txtTextCol")), QString());
                              pressOk(d);
                          }),
              u8("<BODY link=\"#0000FF\">"));
}

TEST_F(ImageReEdit, NeverSavedDocumentAsksFirst)
{
    doc->strFileName = frmDocument::NewFileName;
    for (const char *tag : {"<img src=\"a.gif\">", "<body text=\"#000000\">"}) {
        const QString content = u8("x") + u8(tag);
        text().setText(content);
        text().select(2, 0);
        ScriptedInteraction ui;
        ui.expectMessage(u8("保存しますか？"), Interaction::Answer::No);
        SelectTagAtCaret(*doc);
        EXPECT_EQ(text().text(), content) << tag;
    }
}

TEST_F(ImageReEdit, NoAttributeMeansNoImageReEdit)
{
    load(u8("a<IMG>b"), u8("<IMG>"));
    ScriptedInteraction ui; // a dialog would be an unexpected prompt
    TagEdit(*doc);
    EXPECT_EQ(text().text(), u8("a<IMG>b"));
}

TEST_F(ImageReEdit, BuiltTagsComeBackUnchanged)
{
    const struct
    {
        const char *name;
        Script fill;
    } trips[] = {
        {"name only",
         [](QDialog &d) { setControlText(d, QStringLiteral("txtImageName"), u8("a.gif")); }},
        {"everything, left",
         [](QDialog &d) {
             for (const char *box : {"txtImageName", "txtAlt", "txtName", "txtBorder", "txtWidth",
                                     "txtHeight", "txtHspace", "txtVspace"})
                 setControlText(d, QLatin1String(box), u8("値 ") + QLatin1String(box));
             setControlChecked(d, QStringLiteral("optTextPos_4"), true);
         }},
        {"percent size, bottom",
         [](QDialog &d) {
             setControlText(d, QStringLiteral("txtImageName"), u8("画像/海.png"));
             setControlText(d, QStringLiteral("txtWidth"), u8("100%"));
             setControlChecked(d, QStringLiteral("optTextPos_3"), true);
         }},
    };
    for (const auto &trip : trips) {
        QString tag;
        {
            DialogUse<frmImageSet> dialog;
            trip.fill(*dialog);
            pressOk(*dialog);
            tag = dialog->resultString();
        }
        const QString content = u8("<P>") + tag + u8("</P>");
        EXPECT_EQ(doubleClick(content, tag, QStringLiteral("frmImageSet"), pressOk), content)
            << trip.name;
    }
}

} // namespace
