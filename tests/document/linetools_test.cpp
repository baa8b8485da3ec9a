#include "document/linetools.h"

#include "document/rtf.h"
#include "support/documentfixture.h"

#include <QApplication>

namespace {

struct LineCase
{
    const char *name;
    QString selection;
    QString withoutBreaks;
    QString paragraphs;
    QString lineBreakTags;
};

class LineTools : public testing::TestWithParam<LineCase>
{};

TEST_P(LineTools, RewriteEveryLine)
{
    const LineCase &c = GetParam();
    EXPECT_EQ(removeLineBreaks(c.selection).toStdString(), c.withoutBreaks.toStdString());
    EXPECT_EQ(wrapLinesInParagraphs(c.selection).toStdString(), c.paragraphs.toStdString());
    EXPECT_EQ(appendLineBreakTags(c.selection).toStdString(), c.lineBreakTags.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    , LineTools,
    testing::Values(LineCase{"lastLineWithoutBreak", "a\r\nb\r\nc", "abc",
                             "<P>a</P>\r\n<P>b</P>\r\n<P>c</P>", "a<BR>\r\nb<BR>\r\nc<BR>"},
                    LineCase{"endsWithLineBreak", "a\r\nb\r\n", "ab", "<P>a</P>\r\n<P>b</P>\r\n",
                             "a<BR>\r\nb<BR>\r\n"},
                    LineCase{"twoBreaksInARow", "a\r\n\r\nb\r\n", "ab",
                             "<P>a</P>\r\n<P></P>\r\n<P>b</P>\r\n", "a<BR>\r\n<BR>\r\nb<BR>\r\n"},
                    LineCase{"oneLineOnly", "abc", "abc", "<P>abc</P>", "abc<BR>"},
                    LineCase{"lineBreakOnly", "\r\n", "", "<P></P>\r\n", "<BR>\r\n"},
                    LineCase{"loneCrAndLfAreText", "a\rb\r\nc\nd", "a\rbc\nd",
                             "<P>a\rb</P>\r\n<P>c\nd</P>", "a\rb<BR>\r\nc\nd<BR>"},
                    LineCase{"crBeforeALineBreak", "a\r\r\nb", "a\rb", "<P>a\r</P>\r\n<P>b</P>",
                             "a\r<BR>\r\nb<BR>"},
                    LineCase{"tagsAreLikeAnyText", "<PRE>x</PRE>\r\n", "<PRE>x</PRE>",
                             "<P><PRE>x</PRE></P>\r\n", "<PRE>x</PRE><BR>\r\n"}),
    [](const testing::TestParamInfo<LineCase> &info) { return std::string(info.param.name); });

using LineToolCommands = DocumentFixture;

// Selects `middle` between two lines that the tools must leave alone.
void selectBetween(RichTextBox &box, const QString &middle)
{
    box.setText("top\r\n" + middle + "\r\nend");
    box.select(5, int(middle.size()));
}

TEST_F(LineToolCommands, ReplaceOnlyTheSelection)
{
    struct Case
    {
        const char *handler;
        QString expected;
    };
    for (const Case &c : {Case{"mnuToolDelCR_Click", "top\r\nab\r\nend"},
                          Case{"mnuToolP_Click", "top\r\n<P>a</P>\r\n<P>b</P>\r\nend"},
                          Case{"mnuToopBr_Click", "top\r\na<BR>\r\nb<BR>\r\nend"}}) {
        selectBetween(text(), "a\r\nb");
        ASSERT_TRUE(doc->run(c.handler));
        EXPECT_EQ(text().text().toStdString(), c.expected.toStdString()) << c.handler;
        EXPECT_EQ(text().selLength(), 0) << c.handler;
        EXPECT_EQ(text().selStart(), c.expected.size() - 5) << c.handler; // caret after it
        EXPECT_EQ(doc->findChild<QWidget *>("frmProgress"), nullptr) << c.handler;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << c.handler;
    }
}

TEST_F(LineToolCommands, TagToolsColourTheirResultAndLeaveTheClipboardAlone)
{
    shared().blnTagColor = true;
    clipboardSetText("copied");
    selectBetween(text(), "a");
    ASSERT_TRUE(doc->run("mnuToolP_Click"));
    EXPECT_EQ(clipboardGetText(ClipboardFormat::Text), "copied");
    EXPECT_FALSE(clipboardHasFormat(ClipboardFormat::Rtf));
    EXPECT_EQ(looks(text(), 5, 8), "RBRKRMBR");
}

TEST_F(LineToolCommands, DoNothingWithoutASelection)
{
    for (const char *handler : {"mnuToolDelCR_Click", "mnuToolP_Click", "mnuToopBr_Click",
                                "mnuToolHan2Zen_Click", "mnuHtmlTableCsv_Click"}) {
        text().setText("a\r\nb");
        text().setSelStart(1);
        ASSERT_TRUE(doc->run(handler));
        EXPECT_EQ(text().text(), "a\r\nb") << handler;
    }
}

} // namespace
