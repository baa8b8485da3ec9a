#include "tags/image/imageformat.h"

#include "support/qstringprinter.h"
#include "support/u8.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct ImageCase
{
    const char *name;
    std::function<void(ImageFields &)> fill;
    const char *tag;
};

ImageFields imageFields(const ImageCase &c)
{
    ImageFields fields;
    fields.imageName = QStringLiteral("a.gif");
    c.fill(fields);
    return fields;
}

const ImageCase ImageCases[] = {
    {"name alone", [](ImageFields &) {}, "<IMG src=\"a.gif\">"},
    {"every box",
     [](ImageFields &f) {
         f.alt = u8("夏の 海");
         f.name = u8("pic1");
         f.hspace = u8("4");
         f.vspace = u8("5");
         f.border = u8("0");
         f.height = u8("60");
         f.width = u8("80");
     },
     "<IMG src=\"a.gif\" alt=\"夏の 海\" name=\"pic1\" hspace=\"4\" vspace=\"5\" border=\"0\" "
     "height=\"60\" width=\"80\">"},
    {"percent sizes written as typed",
     [](ImageFields &f) {
         f.width = u8("50%");
         f.height = u8("100%");
     },
     "<IMG src=\"a.gif\" height=\"100%\" width=\"50%\">"},
    {"path with blanks and non-ASCII name",
     [](ImageFields &f) { f.imageName = u8("写真/夏 休み.png"); },
     "<IMG src=\"写真/夏 休み.png\">"},
    {"no position", [](ImageFields &f) { f.textPosition = u8("なし(&U)"); }, "<IMG src=\"a.gif\">"},
    {"no option selected", [](ImageFields &f) { f.textPosition.clear(); }, "<IMG src=\"a.gif\">"},
    {"top", [](ImageFields &f) { f.textPosition = u8("最上部(&T)"); },
     "<IMG src=\"a.gif\" align=\"top\">"},
    {"middle", [](ImageFields &f) { f.textPosition = u8("中央(&C)"); },
     "<IMG src=\"a.gif\" align=\"middle\">"},
    {"bottom", [](ImageFields &f) { f.textPosition = u8("最下部(&B)"); },
     "<IMG src=\"a.gif\" align=\"bottom\">"},
    {"left", [](ImageFields &f) { f.textPosition = u8("回り込み（左イメージ）(&L)"); },
     "<IMG src=\"a.gif\" align=\"left\">"},
    {"right, alt before align, spacing after",
     [](ImageFields &f) {
         f.textPosition = u8("回り込み（右イメージ）(&R)");
         f.alt = u8("x");
         f.hspace = u8("2");
     },
     "<IMG src=\"a.gif\" alt=\"x\" align=\"right\" hspace=\"2\">"},
};

TEST(ImageFragments, ImageTagOverItsFields)
{
    for (const ImageCase &c : ImageCases)
        EXPECT_EQ(imageTag(imageFields(c)), u8(c.tag)) << c.name;
}

TEST(ImageFragments, ReadBackGivesTheSameTag)
{
    for (const ImageCase &c : ImageCases) {
        const QString tag = imageTag(imageFields(c));
        EXPECT_EQ(imageTag(readImgTag(tag)), tag) << c.name;
    }
}

TEST(ImageFragments, ReadingHandWrittenTags)
{
    const struct
    {
        const char *name;
        const char *tag;
        const char *src;
        const char *alt;
        const char *position;
        const char *width;
    } cases[] = {
        {"upper case, bare values", "<IMG SRC=logo.gif WIDTH=120 ALIGN=left>", "logo.gif", "",
         "回り込み（左イメージ）(&L)", "120"},
        {"single quotes, blanks inside", "<img src='a b.png' alt='夏の 海'>", "a b.png", "夏の 海",
         "なし(&U)", ""},
        {"line breaks inside the tag",
         "<img\r\n  src=\"x.jpg\"\r\n  width=\"50%\"\r\n  align=\"top\">", "x.jpg", "",
         "最上部(&T)", "50%"},
        {"align in capitals", "<IMG SRC=\"a.gif\" ALIGN=LEFT>", "a.gif", "",
         "回り込み（左イメージ）(&L)", ""},
        {"align capitalised", "<IMG SRC=\"a.gif\" ALIGN=Right>", "a.gif", "",
         "回り込み（右イメージ）(&R)", ""},
        {"align with an unknown word", "<IMG SRC=\"a.gif\" align=\"absmiddle\">", "a.gif", "",
         "なし(&U)", ""},
        {"data-src is not src", "<img data-src=\"lazy.png\" src=\"real.png\">", "real.png", "",
         "なし(&U)", ""},
    };
    for (const auto &c : cases) {
        const ImageFields fields = readImgTag(u8(c.tag));
        EXPECT_EQ(fields.imageName, u8(c.src)) << c.name;
        EXPECT_EQ(fields.alt, u8(c.alt)) << c.name;
        EXPECT_EQ(fields.textPosition, u8(c.position)) << c.name;
        EXPECT_EQ(fields.width, u8(c.width)) << c.name;
    }
}

struct BodyCase
{
    const char *name;
    BodyFields fields;
    const char *tag;
};

TEST(BodyFragments, BodyTagOverItsFields)
{
    const BodyCase cases[] = {
        {"nothing", {}, "<BODY>"},
        {"background colour only", {.bgColor = u8("#FFFFFF")}, "<BODY bgcolor=\"#FFFFFF\">"},
        {"every box in the written order",
         {u8("img/背景 1.gif"), u8("#FFFFFF"), u8("#000000"), u8("#FF0000"), u8("#0000FF"),
          u8("#800080")},
         "<BODY background=\"img/背景 1.gif\" bgcolor=\"#FFFFFF\" text=\"#000000\" alink=\"#FF0000\" "
         "link=\"#0000FF\" vlink=\"#800080\">"},
        {"link colours without text",
         {.aLink = u8("#ff0000"), .vLink = u8("#00ff00")},
         "<BODY alink=\"#ff0000\" vlink=\"#00ff00\">"},
    };
    for (const BodyCase &c : cases) {
        EXPECT_EQ(bodyStartTag(c.fields), u8(c.tag)) << c.name;
        EXPECT_EQ(bodyStartTag(readBodyTag(u8(c.tag))), u8(c.tag)) << c.name;
    }
}

TEST(BodyFragments, LinkIsNotTakenFromAlinkOrVlink)
{
    const BodyFields onlyOthers = readBodyTag(u8("<body alink=\"#FF0000\" vlink=\"#800080\">"));
    EXPECT_EQ(onlyOthers.link, QString());
    EXPECT_EQ(onlyOthers.aLink, u8("#FF0000"));
    EXPECT_EQ(onlyOthers.vLink, u8("#800080"));

    const BodyFields all = readBodyTag(
        u8("<body bgcolor=\"#FFFFFF\" link=\"#0000FF\" vlink=\"#800080\" alink=\"#FF0000\">"));
    EXPECT_EQ(all.bgColor, u8("#FFFFFF"));
    EXPECT_EQ(all.link, u8("#0000FF"));
    EXPECT_EQ(all.vLink, u8("#800080"));
    EXPECT_EQ(all.aLink, u8("#FF0000"));
}

TEST(BodyFragments, PageColours)
{
    const struct
    {
        const char *text;
        int color; // -1: refused
    } cases[] = {
        {"#FF0000", 0xFF0000},
        {"#00ff7f", 0x00FF7F},
        {"#000000", 0},
        {"#FFFFFF", 0xFFFFFF},
        {"", -1},
        {"FF0000", -1},
        {"#FF000", -1},
        {"#FF00000", -1},
        {"#GG0000", -1},
        {"#ＦＦ0000", -1},
        {"# FF000", -1},
        {"#-12345", -1},
        // Browsers read colour names and three digits too.
        {"red", 0xFF0000},
        {"white", 0xFFFFFF},
        {"navy", 0x000080},
        {"Navy", 0x000080},
        {"SILVER", 0xC0C0C0},
        {"#fff", 0xFFFFFF},
        {"#0A8", 0x00AA88},
        {"#ff", -1},
        {"#ggg", -1},
        {"nosuchcolour", -1},
        {"transparent", -1},
        {"white ", -1},
        {"\u017Filver", -1},
        {"#FFFF", -1},
        {"#FF00FF00", -1},
    };
    for (const auto &c : cases) {
        const std::optional<int> color = parseHtmlColor(u8(c.text));
        EXPECT_EQ(color.value_or(-1), c.color) << c.text;
    }
}

} // namespace
