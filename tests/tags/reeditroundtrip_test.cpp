// Tags as pages really write them, re-edited with every family's dialog and accepted without a
// change: nothing of the tag may be lost or changed in meaning, the text around it stays, and
// a second re-edit gives the same text again.

#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "support/u8.h"
#include "tags/shared/tagdialog.h"

#include <QPushButton>

namespace {

void pressAnyOk(QDialog &d)
{
    auto *dialog = qobject_cast<TagDialog *>(&d);
    ASSERT_TRUE(dialog) << d.objectName().toStdString();
    dialog->okButton()->click();
}

class ReEditRoundTrip : public ReEditTest
{
protected:
    void SetUp() override
    {
        ReEditTest::SetUp();
        doc->strFileName = u8("/site/index.html");
    }

    void TearDown() override
    {
        SettingsStore::remove(u8("Recent MailTo"), u8("MailNum"));
        ReEditTest::TearDown();
    }

    // Double-clicks just inside the tag that starts at `at` and accepts the dialog unchanged.
    QString acceptedUnchanged(const QString &content, qsizetype at)
    {
        return doubleClickAt(content, int(at) + 2, QString(), pressAnyOk);
    }

    // The re-edit of `tag` between `before` and `after` gives `expected`, and so does a second
    // re-edit of that.
    void expectRoundTrip(const QString &tag, const QString &expected, const char *name)
    {
        const QString before = u8("<P>前の行\r\n");
        const QString after = u8("\r\n後の行</P>\r\n");
        const QString once = acceptedUnchanged(before + tag + after, before.size());
        EXPECT_EQ(once, before + expected + after) << name;
        EXPECT_EQ(acceptedUnchanged(once, before.size()), once) << name << " (second re-edit)";
    }
};

struct RoundTripCase
{
    const char *name;
    QString tag;
    QString expected;
};

TEST_F(ReEditRoundTrip, RealWorldTagsOfEveryFamilyKeepWhatTheySay)
{
    const RoundTripCase cases[] = {
        // table
        {"table from a site builder",
         u8("<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\" width=\"100%\">"),
         u8("<TABLE border=\"1\" width=\"100%\" cellspacing=\"0\" cellpadding=\"3\">")},
        {"table with a slash after its name", u8("<TABLE/border=\"1\" width=\"80%\">"),
         u8("<TABLE border=\"1\" width=\"80%\">")},
        {"table summary holding >", u8("<table summary='x>y' border=1 class=\"data\">"),
         u8("<TABLE border=\"1\" summary='x>y' class=\"data\">")},
        {"table alignment in capitals", u8("<TABLE ALIGN=CENTER bgcolor=\"#FFFFFF\">"),
         u8("<TABLE align=\"center\" bgcolor=\"#FFFFFF\">")},
        {"table alignment the dialog lacks", u8("<table align=\"justify\" border=0>"),
         u8("<TABLE border=\"0\" align=\"justify\">")},
        {"table rules the dialog lacks", u8("<table rules=\"nonsense\" frame=void>"),
         u8("<TABLE rules=\"nonsense\" frame=void>")},
        {"table rules in capitals", u8("<TABLE RULES=ROWS>"), u8("<TABLE rules=\"rows\">")},
        // row and cell
        {"row with colour", u8("<tr valign=\"top\" bgcolor=\"#eeeeee\">"),
         u8("<TR valign=\"top\" bgcolor=\"#eeeeee\">")},
        {"row alignment the dialog lacks", u8("<TR ALIGN=justify VALIGN=BASELINE>"),
         u8("<TR ALIGN=justify VALIGN=BASELINE>")},
        {"cell script holding >", u8("<td onclick=\"if(n>0)go()\" width=5>"),
         u8("<TD width=\"5\" onclick=\"if(n>0)go()\">")},
        {"cell title holding >", u8("<td title=\"a > b\" nowrap>"),
         u8("<TD nowrap title=\"a > b\">")},
        {"cell nowrap with a value", u8("<TD NOWRAP=\"NOWRAP\" ALIGN=RIGHT>"),
         u8("<TD align=\"right\" NOWRAP=\"NOWRAP\">")},
        {"cell aligned on a character", u8("<td align=\"char\" char=\".\">"),
         u8("<TD align=\"char\" char=\".\">")},
        {"header cell", u8("<th colspan=2 abbr=\"合計\">"), u8("<TH colspan=\"2\" abbr=\"合計\">")},
        // image and page
        {"image ALIGN=LEFT", u8("<IMG SRC=\"a.gif\" ALIGN=LEFT>"),
         u8("<IMG src=\"a.gif\" align=\"left\">")},
        {"image ALIGN=Right", u8("<IMG SRC=\"a.gif\" ALIGN=Right>"),
         u8("<IMG src=\"a.gif\" align=\"right\">")},
        {"image absmiddle", u8("<img src=\"b.png\" align=\"absmiddle\" width=10>"),
         u8("<IMG src=\"b.png\" width=\"10\" align=\"absmiddle\">")},
        {"image alt with both quotes", u8("<img src=\"x.gif\" alt=\"&quot;A&quot; &amp; 'B'\">"),
         u8("<IMG src=\"x.gif\" alt=\"&quot;A&quot; &amp; 'B'\">")},
        {"image alt with a double quote", u8("<IMG SRC=x.gif ALT=\"say &quot;hi&quot;\">"),
         u8("<IMG src=\"x.gif\" alt='say \"hi\"'>")},
        {"page colours by name", u8("<body bgcolor=\"white\" text=\"navy\">"),
         u8("<BODY bgcolor=\"white\" text=\"navy\">")},
        {"page colours in three digits", u8("<BODY BGCOLOR=#fff LINK=#00f onload=\"init()\">"),
         u8("<BODY bgcolor=\"#fff\" link=\"#00f\" onload=\"init()\">")},
        // links
        {"link with a stray quote", u8("<A HREF=\"top.htm\" \">Top</A>"),
         u8("<A href=\"top.htm\" \">Top</A>")},
        {"link title holding >", u8("<a href=\"a.html\" title=\"a > b\">次へ</a>"),
         u8("<A href=\"a.html\" title=\"a > b\">次へ</a>")},
        {"link target in capitals", u8("<A HREF=\"x.html\" TARGET=\"_BLANK\">x</A>"),
         u8("<A href=\"x.html\" target=\"_blank\">x</A>")},
        {"mail link", u8("<a href=\"mailto:taro@example.jp\" class=m>メール</a>"),
         u8("<A href=\"mailto:taro@example.jp\" class=m>メール</a>")},
        {"mail address with quotes", u8("<A HREF='mailto:\"Taro Y\" <t@x.jp>'>T</A>"),
         u8("<A href='mailto:\"Taro Y\" <t@x.jp>'>T</A>")},
        // forms
        {"form posting", u8("<form action=\"/cgi-bin/mail.cgi\" method=\"post\" name=f>"),
         u8("<FORM name=\"f\" action=\"/cgi-bin/mail.cgi\" method=\"POST\">")},
        {"form method the dialog lacks", u8("<FORM ACTION=a.cgi METHOD=dialog>"),
         u8("<FORM action=\"a.cgi\" METHOD=dialog>")},
        {"hidden input", u8("<input type=\"hidden\" name=\"id\" value=\"7\">"),
         u8("<INPUT type=\"hidden\" name=\"id\" value=\"7\">")},
        {"input value with both quotes",
         u8("<input type=\"text\" name=q value=\"say &quot;hi&quot; it's\" size=20>"),
         u8("<INPUT type=\"text\" name=\"q\" value=\"say &quot;hi&quot; it's\" size=\"20\">")},
        // The re-edit keeps a check box's maximum length in its box, so it is written as the
        // dialog writes it.
        {"check box with a length", u8("<INPUT TYPE=CHECKBOX NAME=c CHECKED MAXLENGTH=5>"),
         u8("<INPUT type=\"checkbox\" name=\"c\" maxlength=\"5\" checked>")},
        {"text area with soft wrap",
         u8("<textarea name=msg rows=5 cols=40 wrap=soft>こんにちは</textarea>"),
         u8("<TEXTAREA name=\"msg\" wrap=soft rows=\"5\" cols=\"40\">こんにちは</TEXTAREA>")},
        // lists
        {"list mark in capitals", u8("<UL TYPE=SQUARE class=nav>"),
         u8("<UL type=\"square\" class=nav>")},
        {"numbered list", u8("<ol type=\"A\" start=\"3\" reversed>"),
         u8("<OL type=\"A\" start=\"3\" reversed>")},
        // font, rule, heading
        {"font", u8("<font size=\"+1\" color=\"#ff0000\" face=\"ＭＳ ゴシック\">"),
         u8("<FONT size=\"+1\" face=\"ＭＳ ゴシック\" color=\"#FF0000\">")},
        {"rule", u8("<hr width=\"80%\" size=1 noshade>"),
         u8("<HR width=\"80%\" size=\"1\" noshade>")},
        {"rule ALIGN=LEFT", u8("<HR ALIGN=LEFT>"), u8("<HR align=\"left\">")},
        {"heading justified", u8("<h2 align=\"justify\">見出し</h2>"),
         u8("<H2 align=\"justify\">見出し</H2>")},
        {"heading in capitals", u8("<H3 ALIGN=CENTER class=t>見出し</H3>"),
         u8("<H3 align=\"center\" class=t>見出し</H3>")},
        // frameset and applet
        {"frameset",
         u8("<frameset cols=\"20%,80%\"><frame src=\"menu.html\" name=\"menu\">"
            "<frame src=\"main.html\" name=\"main\"></frameset>"),
         u8("<FRAMESET cols=\"20%,80%\">\r\n\t<FRAME name=\"menu\" SRC=\"menu.html\">\r\n"
            "\t<FRAME name=\"main\" SRC=\"main.html\">\r\n</FRAMESET>")},
        {"applet with a quoted parameter and fallback text",
         u8("<applet code=\"Clock.class\" width=100 height=50>\r\n"
            "<param name=msg value='say \"hi\"' valuetype=ref>\r\n"
            "<param name=\"both\" value=\"&quot;a&quot; 'b'\">\r\n"
            "<a name=top>Java が必要です</a>\r\n</applet>"),
         u8("<APPLET code=\"Clock.class\" width=\"100\" height=\"50\">\r\n"
            "\t<PARAM name=\"msg\" VALUE='say \"hi\"' valuetype=ref>\r\n"
            "\t<PARAM name=\"both\" VALUE=\"&quot;a&quot; 'b'\">\r\n"
            "<a name=top>Java が必要です</a>\r\n</APPLET>")},
    };
    for (const RoundTripCase &c : cases)
        expectRoundTrip(c.tag, c.expected, c.name);
}

TEST_F(ReEditRoundTrip, HostileTagsComeBackWhole)
{
    const QString huge(40000, QLatin1Char('A'));
    const QString kept = QString(QChar(0xDC80)) + QChar(0xDCFF) + QChar(0xDCA4);
    const QString nul(QChar(0));
    const RoundTripCase cases[] = {
        {"a picture given as a long data address",
         u8("<img src=\"data:image/gif;base64,") + huge + u8("\" alt=\"x\">"),
         u8("<IMG src=\"data:image/gif;base64,") + huge + u8("\" alt=\"x\">")},
        {"a long script in a cell", u8("<td onclick=\"") + huge + u8(">\" width=5>"),
         u8("<TD width=\"5\" onclick=\"") + huge + u8(">\">")},
        {"a long cell width", u8("<td width=") + huge + u8(">"),
         u8("<TD width=\"") + huge + u8("\">")},
        {"a long link text", u8("<a href=\"x.html\">") + huge + u8("</a>"),
         u8("<A href=\"x.html\">") + huge + u8("</a>")},
        {"a long applet parameter",
         u8("<applet code=a width=1 height=1><param name=p value=\"") + huge + u8("\"></applet>"),
         u8("<APPLET code=\"a\" width=\"1\" height=\"1\">\r\n\t<PARAM name=\"p\" VALUE=\"") + huge
             + u8("\">\r\n</APPLET>")},
        {"kept bytes in values", u8("<IMG SRC=\"") + kept + u8(".gif\" ALT=") + kept + u8(">"),
         u8("<IMG src=\"") + kept + u8(".gif\" alt=\"") + kept + u8("\">")},
        {"kept bytes in a link text and an unknown attribute",
         u8("<A HREF=\"a.html\" data-") + kept + u8("=1>") + kept + u8("</A>"),
         u8("<A href=\"a.html\" data-") + kept + u8("=1>") + kept + u8("</A>")},
        {"a NUL in a value", u8("<IMG SRC=\"a") + nul + u8("b.gif\">"),
         u8("<IMG src=\"a") + nul + u8("b.gif\">")},
    };
    for (const RoundTripCase &c : cases)
        expectRoundTrip(c.tag, c.expected, c.name);
}

TEST_F(ReEditRoundTrip, TagsWithoutAnEndLeaveTheTextAlone)
{
    // No dialog may open: the scripted interaction fails on any.
    for (const char *content :
         {"x <td title=\"a>b width=5>", "x <IMG SRC=\"a.gif\" ALT='a>", "x <TD width=5",
          "x <A HREF=\"x.html\">text", "x <A HREF=\"x.html\">t <b title=\"</A>",
          "x <applet code=a><param name=b value=\"</applet>"}) {
        const QString text = u8(content);
        this->text().setText(text);
        this->text().select(4, 0);
        ScriptedInteraction ui;
        SelectTagAtCaret(*doc);
        EXPECT_EQ(this->text().text(), text) << content;
    }
}

TEST_F(ReEditRoundTrip, TagsAtTheEndOfTheDocument)
{
    const struct
    {
        const char *content;
        const char *expected;
    } cases[] = {
        {"x <td onclick=\"if(n>0)go()\" width=5>", "x <TD width=\"5\" onclick=\"if(n>0)go()\">"},
        {"x <IMG SRC=a.gif ALIGN=absmiddle>", "x <IMG src=\"a.gif\" ALIGN=absmiddle>"},
        {"x <A HREF=\"top.htm\" \">Top</A>", "x <A href=\"top.htm\" \">Top</A>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(acceptedUnchanged(u8(c.content), 2), u8(c.expected)) << c.content;
}

} // namespace
