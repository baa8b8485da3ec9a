#include "document/simpletags.h"

#include <gtest/gtest.h>

namespace {

TEST(DoctypeDeclaration, HasTheFourVersions)
{
    EXPECT_EQ(doctypeDeclaration(0), R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2 Final//EN">)");
    EXPECT_EQ(doctypeDeclaration(1), R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 //EN" )"
                                     R"("http://www.w3.org/TR/REC-html40/strict.dtd">)");
    EXPECT_EQ(doctypeDeclaration(2), R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 //EN" )"
                                     R"("http://www.w3.org/TR/REC-html40/loose.dtd">)");
    EXPECT_EQ(doctypeDeclaration(3), R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 //EN" )"
                                     R"("http://www.w3.org/TR/REC-html40/frameset.dtd">)");
    EXPECT_EQ(doctypeDeclaration(4), QString());
}

TEST(Blocks, WrapTheSelection)
{
    EXPECT_EQ(divBlock(DivAlign::Left, "abc"), R"(<DIV ALIGN="Left">abc</DIV>)");
    EXPECT_EQ(divBlock(DivAlign::Right, ""), R"(<DIV ALIGN="Right"></DIV>)");
    EXPECT_EQ(divBlock(DivAlign::Center, "a\r\nb"), "<DIV ALIGN=\"Center\">a\r\nb</DIV>");
    EXPECT_EQ(commentBlock("x"), "<!-- x -->");
    EXPECT_EQ(commentBlock(""), "<!--  -->");
}

TEST(InsertedTexts, DatesAndTimeFollowTheLocale)
{
    const QDate sunday(2024, 3, 3);
    EXPECT_EQ(dateText(sunday), "2024/03/03");
    EXPECT_EQ(dateWeekdayText(sunday, QLocale(QLocale::Japanese)), "2024/03/03(日)");
    EXPECT_EQ(dateWeekdayText(QDate(2024, 3, 4), QLocale(QLocale::English)), "2024/03/04(Mon)");

    // The user's locale is the default.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    EXPECT_EQ(dateWeekdayText(sunday), "2024/03/03(日)");
    const QString time = timeText(QTime(9, 5, 7));
    QLocale::setDefault(before);
    EXPECT_TRUE(time.contains("9") && time.contains("05") && time.contains("07"))
        << time.toStdString();
    EXPECT_FALSE(time.contains("UTC") || time.contains("JST")) << time.toStdString();
}

TEST(InsertedTexts, CharacterEntities)
{
    EXPECT_EQ(characterEntity(0), "&lt;");
    EXPECT_EQ(characterEntity(1), "&gt;");
    EXPECT_EQ(characterEntity(2), "&quot;");
    EXPECT_EQ(characterEntity(3), "&amp;");
    EXPECT_EQ(characterEntity(4), QString());
}

} // namespace
