#include "tags/frameset/framesetformat.h"

#include "support/qstringprinter.h"
#include "support/u8.h"

#include <gtest/gtest.h>

namespace {

FrameSetFields frames(int split, const char *ratio, bool percent, const char *url1 = "a.html",
                      const char *url2 = "b.html")
{
    FrameSetFields f;
    f.split = split;
    f.ratio = u8(ratio);
    f.percent = percent;
    f.url1 = u8(url1);
    f.url2 = u8(url2);
    return f;
}

TEST(FrameFragments, TwoFrameFramesets)
{
    FrameSetFields japanese = frames(0, "50", true, "目次.html", "本文.html");
    japanese.name1 = u8("目次");
    FrameSetFields quoted = frames(1, "100", false, "a\"b.html");
    const struct
    {
        const char *name;
        FrameSetFields fields;
        const char *element;
    } cases[] = {
        {"defaults", frames(0, "50", true),
         "<FRAMESET cols=\"50%,50%\">\r\n\t<FRAME name=\"HTML-1\" SRC=\"a.html\">\r\n"
         "\t<FRAME name=\"HTML-2\" SRC=\"b.html\">\r\n</FRAMESET>"},
        {"thirty percent", frames(0, "30", true),
         "<FRAMESET cols=\"30%,70%\">\r\n\t<FRAME name=\"HTML-1\" SRC=\"a.html\">\r\n"
         "\t<FRAME name=\"HTML-2\" SRC=\"b.html\">\r\n</FRAMESET>"},
        {"pixels stacked", frames(1, "200", false),
         "<FRAMESET rows=\"200,*\">\r\n\t<FRAME name=\"HTML-1\" SRC=\"a.html\">\r\n"
         "\t<FRAME name=\"HTML-2\" SRC=\"b.html\">\r\n</FRAMESET>"},
        {"japanese", japanese,
         "<FRAMESET cols=\"50%,50%\">\r\n\t<FRAME name=\"目次\" SRC=\"目次.html\">\r\n"
         "\t<FRAME name=\"HTML-2\" SRC=\"本文.html\">\r\n</FRAMESET>"},
        {"quote in a page", quoted,
         "<FRAMESET rows=\"100,*\">\r\n\t<FRAME name=\"HTML-1\" SRC='a\"b.html'>\r\n"
         "\t<FRAME name=\"HTML-2\" SRC=\"b.html\">\r\n</FRAMESET>"},
        {"empty pages", frames(0, "0", true, "", ""),
         "<FRAMESET cols=\"0%,100%\">\r\n\t<FRAME name=\"HTML-1\" SRC=\"\">\r\n"
         "\t<FRAME name=\"HTML-2\" SRC=\"\">\r\n</FRAMESET>"},
        {"leading zero and full-width digits", frames(0, "０７", true),
         "<FRAMESET cols=\"7%,93%\">\r\n\t<FRAME name=\"HTML-1\" SRC=\"a.html\">\r\n"
         "\t<FRAME name=\"HTML-2\" SRC=\"b.html\">\r\n</FRAMESET>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(frameSetElement(c.fields), u8(c.element)) << c.name;
}

TEST(FrameFormat, RatiosAreWholeNumbersInTheModesRange)
{
    const struct
    {
        const char *text;
        bool percent;
        std::optional<int> ratio;
    } cases[] = {
        {"30", true, 30},
        {"100", true, 100},
        {"101", true, std::nullopt},
        {"0", true, 0},
        {"500", false, 500},
        {"40000", false, 40000},
        {"100001", false, std::nullopt},
        {"9999999999", false, std::nullopt},
        {"", true, std::nullopt},
        {"3O", true, std::nullopt},
        {"-1", false, std::nullopt},
        {"*", false, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseFrameRatio(u8(c.text), c.percent), c.ratio) << c.text;
}

TEST(FrameFormat, FramesetsReadLikePagesWriteThem)
{
    const char *frames2 = "<frame name=\"m\" src=\"menu.html\"><frame src='main.html' name=main>";
    const struct
    {
        const char *start;
        int split;
        const char *ratio;
        bool percent;
    } cases[] = {
        {"<frameset cols=\"30%,70%\">", 0, "30", true},
        {"<frameset cols=\"*,70%\">", 0, "30", true},
        {"<FRAMESET ROWS=\"100,*\">", 1, "100", false},
        {"<frameset cols=\"25%\">", 0, "25", true},
        {"<frameset border=0>", 0, "50", true},
        {"<FrameSet Rows='20%,*'>", 1, "20", true},
    };
    for (const auto &c : cases) {
        const FrameSetFields f = readFrameSetElement(u8(c.start) + u8(frames2) + u8("</frameset>"));
        EXPECT_EQ(f.split, c.split) << c.start;
        EXPECT_EQ(f.ratio, u8(c.ratio)) << c.start;
        EXPECT_EQ(f.percent, c.percent) << c.start;
        EXPECT_EQ(f.name1, u8("m")) << c.start;
        EXPECT_EQ(f.url2, u8("main.html")) << c.start;
    }
}

TEST(FrameFormat, OnlyFramesetsOfTwoFramesAreRewritten)
{
    const struct
    {
        const char *element;
        bool twoFrames;
        const char *rest;
    } cases[] = {
        {"<frameset cols=\"50%,50%\"><frame src=a><frame src=b></frameset>", true, ""},
        {"<frameset cols=\"50%,50%\">\n<frame src=a>\n<frame src=b>\n<frame src=c>\n</frameset>",
         true, "\n<frame src=c>\n"},
        {"<frameset rows=\"50%,50%\"><frame src=a><frameset cols=\"*,*\"><frame><frame></frameset>",
         false, ""},
        {"<frameset cols=\"50%,50%\"><frame src=a></frameset>", false, ""},
        {"<frameset cols=\"50%,50%\"><frame src=a><frame src=b>", false, ""},
        {"<frameset><frameset><frame></frameset>", false, ""},
    };
    for (const auto &c : cases) {
        const FrameSetParts parts = splitFrameSet(u8(c.element));
        EXPECT_EQ(parts.twoFrames, c.twoFrames) << c.element;
        EXPECT_EQ(parts.rest, u8(c.rest)) << c.element;
    }
}

TEST(FrameFormat, BuiltFramesetsReadBackToTheSameElement)
{
    FrameSetFields named = frames(1, "45", true, "左.html", "右 側.html");
    named.name1 = u8("左");
    named.name2 = u8("it's \"2\"");
    const FrameSetFields cases[] = {frames(0, "50", true), frames(1, "200", false),
                                    frames(0, "100", true), frames(1, "0", false), named};
    for (const FrameSetFields &f : cases) {
        const QString element = frameSetElement(f);
        EXPECT_EQ(frameSetElement(readFrameSetElement(element)), element);
        EXPECT_EQ(rebuiltFrameSet(readFrameSetElement(element), splitFrameSet(element)), element);
    }
}

TEST(FrameFormat, SplitsTheDialogCannotHoldComeBackAsWritten)
{
    const struct
    {
        const char *element;
        const char *rebuilt;
    } cases[] = {
        {"<frameset rows=\"*,3*\" border=0><frame src=a><frame src=b></frameset>",
         "<FRAMESET rows=\"*,3*\" border=0>\r\n\t<FRAME name=\"HTML-1\" SRC=\"a\">\r\n"
         "\t<FRAME name=\"HTML-2\" SRC=\"b\">\r\n</FRAMESET>"},
        {"<FRAMESET COLS=\"100,*,100\"><FRAME SRC=a NAME=l><FRAME SRC=b NAME=r></FRAMESET>",
         "<FRAMESET COLS=\"100,*,100\">\r\n\t<FRAME name=\"l\" SRC=\"a\">\r\n"
         "\t<FRAME name=\"r\" SRC=\"b\">\r\n</FRAMESET>"},
    };
    for (const auto &c : cases) {
        const FrameSetParts parts = splitFrameSet(u8(c.element));
        EXPECT_EQ(rebuiltFrameSet(readFrameSet(parts), parts), u8(c.rebuilt)) << c.element;
    }
}

} // namespace
