#include "tags/script/scriptformat.h"

#include "support/qstringprinter.h"
#include "support/u8.h"

#include <gtest/gtest.h>

namespace {

AppletValues clock(std::initializer_list<AppletParameter> parameters)
{
    AppletValues values{u8("Clock.class"), u8("100"), u8("50"), {}};
    int row = 0;
    for (const AppletParameter &parameter : parameters)
        values.parameters[row++] = parameter;
    return values;
}

TEST(ScriptFormat, AppletElementHasOneLinePerNamedParameter)
{
    const struct
    {
        const char *name;
        AppletValues values;
        const char *element;
    } cases[] = {
        {"no parameters", clock({}),
         "<APPLET code=\"Clock.class\" width=\"100\" height=\"50\">\r\n</APPLET>"},
        {"one parameter", clock({{u8("speed"), u8("3")}}),
         "<APPLET code=\"Clock.class\" width=\"100\" height=\"50\">\r\n"
         "\t<PARAM name=\"speed\" VALUE=\"3\">\r\n</APPLET>"},
        {"empty value kept, nameless row left out",
         clock({{u8("a"), QString()}, {QString(), u8("lost")}, {u8("b"), u8("x y")}}),
         "<APPLET code=\"Clock.class\" width=\"100\" height=\"50\">\r\n"
         "\t<PARAM name=\"a\" VALUE=\"\">\r\n\t<PARAM name=\"b\" VALUE=\"x y\">\r\n</APPLET>"},
        // Values are quoted so that a browser reads them back whole.
        {"a value holding double quotes", clock({{u8("msg"), u8("say \"hi\"")}}),
         "<APPLET code=\"Clock.class\" width=\"100\" height=\"50\">\r\n"
         "\t<PARAM name=\"msg\" VALUE='say \"hi\"'>\r\n</APPLET>"},
        {"a value holding both quotes", clock({{u8("msg"), u8("\"it's\"")}}),
         "<APPLET code=\"Clock.class\" width=\"100\" height=\"50\">\r\n"
         "\t<PARAM name=\"msg\" VALUE=\"&quot;it's&quot;\">\r\n</APPLET>"},
        {"a name holding a double quote", clock({{u8("a\"b"), u8("1")}}),
         "<APPLET code=\"Clock.class\" width=\"100\" height=\"50\">\r\n"
         "\t<PARAM name='a\"b' VALUE=\"1\">\r\n</APPLET>"},
        {"other attributes of a read parameter",
         clock({{u8("p"), u8("x"), u8(" valuetype=ref type='a/b'")}}),
         "<APPLET code=\"Clock.class\" width=\"100\" height=\"50\">\r\n"
         "\t<PARAM name=\"p\" VALUE=\"x\" valuetype=ref type='a/b'>\r\n</APPLET>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(appletElement(c.values), u8(c.element)) << c.name;
}

TEST(ScriptFormat, AppletElementsReadIntoRowsAndRest)
{
    const AppletReading hand = readAppletElement(
        u8("<applet CODE=\"Tick.class\" codebase=cls\r\n WIDTH=200 height='80'>\r\n"
           "  <param name=a value=1>\r\n  <PARAM NAME=\"b\" VALUE=\"two words\">\r\n"
           "  <param name=c>\r\n</applet>"));
    EXPECT_EQ(hand.values.code, u8("Tick.class"));
    EXPECT_EQ(hand.values.width, u8("200"));
    EXPECT_EQ(hand.values.height, u8("80"));
    EXPECT_EQ(hand.values.parameters[0].name, u8("a"));
    EXPECT_EQ(hand.values.parameters[0].value, u8("1"));
    EXPECT_EQ(hand.values.parameters[1].value, u8("two words"));
    EXPECT_EQ(hand.values.parameters[2].name, u8("c"));
    EXPECT_EQ(hand.values.parameters[2].value, QString());
    EXPECT_EQ(hand.values.parameters[3].name, QString());
    EXPECT_EQ(hand.rest, u8("\r\n"));
    EXPECT_TRUE(hand.startTag.endsWith(u8("height='80'>")));

    // Text after the parameters, and parameters beyond the nine rows, stay in the rest.
    QString many = u8("<APPLET code=x>");
    for (int i = 1; i <= 11; ++i)
        many += u8("<PARAM name=p%1 value=%1>").arg(i);
    many += u8("Java が必要です</APPLET>");
    const AppletReading reading = readAppletElement(many);
    EXPECT_EQ(reading.values.parameters[8].name, u8("p9"));
    EXPECT_EQ(reading.rest,
              u8("<PARAM name=p10 value=10><PARAM name=p11 value=11>Java が必要です"));
    const AppletReading texty
        = readAppletElement(u8("<applet code=x>old<param name=a value=1></applet>"));
    EXPECT_EQ(texty.values.parameters[0].name, QString());
    EXPECT_EQ(texty.rest, u8("old<param name=a value=1>"));
}

TEST(ScriptFormat, OnlyParamTagsFillTheRows)
{
    // Text for browsers without Java may hold tags with a name: they are not parameters.
    const AppletReading fallback = readAppletElement(u8(
        "<applet code=x>\r\n<param name=a value=1>\r\n<A name=top href=\"#\">Java が必要です</A>\r\n</applet>"));
    EXPECT_EQ(fallback.values.parameters[0].name, u8("a"));
    EXPECT_EQ(fallback.values.parameters[1].name, QString());
    EXPECT_EQ(fallback.rest, u8("\r\n<A name=top href=\"#\">Java が必要です</A>\r\n"));
    for (const char *other :
         {"<PARAMS name=b value=2>", "<input name=b value=2>", "<param\u017F name=b>"}) {
        const AppletReading reading = readAppletElement(u8("<applet code=x><param name=a value=1>")
                                                        + u8(other) + u8("</applet>"));
        EXPECT_EQ(reading.values.parameters[1].name, QString()) << other;
        EXPECT_EQ(reading.rest, u8(other)) << other;
    }
}

TEST(ScriptFormat, ParametersReadAsTheyWillBeWrittenBack)
{
    const AppletReading reading = readAppletElement(
        u8("<applet code=x><param name=\"a\" value=\"&quot;it's&quot;\" valuetype=ref>"
           "<PARAM VALUETYPE=\"data\" NAME=b VALUE='say \"hi\"' id=p2 /></applet>"));
    EXPECT_EQ(reading.values.parameters[0].value, u8("\"it's\""));
    EXPECT_EQ(reading.values.parameters[0].otherAttributes, u8(" valuetype=ref"));
    EXPECT_EQ(reading.values.parameters[1].value, u8("say \"hi\""));
    EXPECT_EQ(reading.values.parameters[1].otherAttributes, u8(" VALUETYPE=\"data\" id=p2"));
    // Written and read again: the same rows.
    const AppletReading again = readAppletElement(appletElement(reading.values));
    EXPECT_EQ(again.values.parameters, reading.values.parameters);
}

TEST(ScriptFormat, RestGoesBackInFrontOfTheEndTag)
{
    const QString element = appletElement(clock({}));
    EXPECT_EQ(withAppletRest(element, u8("\r\n")), element);
    EXPECT_EQ(withAppletRest(element, QString()), element);
    EXPECT_EQ(withAppletRest(element, u8("\r\n\tNo Java\r\n")),
              element.chopped(9) + u8("\tNo Java\r\n</APPLET>"));
}

TEST(ScriptFormat, BuiltAppletsReadBackToTheSameElement)
{
    const AppletValues cases[] = {
        clock({}),
        clock({{u8("speed"), u8("3")}}),
        clock({{u8("1"), u8("a")},
               {u8("2"), u8("")},
               {u8("3"), u8("c")},
               {u8("4"), u8("d")},
               {u8("5"), u8("e")},
               {u8("6"), u8("f")},
               {u8("7"), u8("g")},
               {u8("8"), u8("h")},
               {u8("9"), u8("i")}}),
        clock({{u8("say"), u8("say \"hi\"")},
               {u8("both"), u8("\"a\" 'b' &quot;")},
               {u8("q\"'"), u8(">")}}),
        clock({{u8("p"), u8("x"), u8(" valuetype=ref")}}),
    };
    for (const AppletValues &values : cases) {
        const QString element = appletElement(values);
        const AppletReading reading = readAppletElement(element);
        EXPECT_EQ(withAppletRest(appletElement(reading.values), reading.rest), element);
    }
}

TEST(ScriptFormat, Snippets)
{
    const struct
    {
        const char *name;
        QString text;
        const char *expected;
    } cases[] = {
        {"JavaScript block", javaScriptBlock(),
         "<SCRIPT Language=\"JavaScript\">\r\n<!-- \r\n\r\n\r\n// -->\r\n</SCRIPT>\r\n"},
        {"VBScript block", vbScriptBlock(),
         "<SCRIPT LANGUAGE=\"VBScript\">\r\n<!-- **** VBScriptが使えないブラウザに対してコメントアウト ****"
         "\r\n\r\n**** コメントアウト終り **** -->\r\n</SCRIPT>\r\n"},
        {"Perl print", perlPrint(u8("Hello")), "print \"Hello\";\r\n"},
        {"if", ifSkeleton(), "if (  ){\r\n\r\n}\r\nelse{\r\n\r\n}\r\n"},
        {"var", varKeyword(), "var "},
        {"for", forBlock(u8("for( i = 0 ; i <= 10 ; i++ )")),
         "for( i = 0 ; i <= 10 ; i++ ){\r\n\r\n};"},
        {"alert", alertWrapper().opening + u8("x") + alertWrapper().closing, "alert( \"x\" );"},
        {"confirm", confirmWrapper().opening + confirmWrapper().closing, "confirm( \"\" );"},
        {"document.write",
         documentWriteWrapper().opening + u8("<B>") + documentWriteWrapper().closing,
         "document.write( \"<B>\" );\r\n"},
        {"onLoad", onLoadWrapper().opening + u8("f()") + onLoadWrapper().closing, "onLoad='f()'"},
        {"onClick", onClickWrapper().opening + u8("doIt()") + onClickWrapper().closing,
         "onClick='doIt()'"},
        {"onMouseover", onMouseoverWrapper().opening + onMouseoverWrapper().closing,
         "onMouseover=''"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.text, u8(c.expected)) << c.name;
}

TEST(ScriptFormat, ForLoopHeader)
{
    const struct
    {
        const char *name;
        ForLoopValues values;
        const char *header;
    } cases[] = {
        {"defaults", {}, "for( i = 0 ; i <= 10 ; i++ )"},
        {"j below 5",
         {u8("j"), u8("1"), u8("未満"), u8("5"), u8("1"), true},
         "for( j = 1 ; j < 5 ; j++ )"},
        {"counting down",
         {u8("n"), u8("10"), u8("以上"), u8("0"), u8("1"), false},
         "for( n = 10 ; n >= 0 ; n-- )"},
        {"step 2 up",
         {u8("i"), u8("0"), u8("以下"), u8("100"), u8("2"), true},
         "for( i = 0 ; i <= 100 ; i = i + 2 )"},
        {"step 5 down",
         {u8("k"), u8("50"), u8("以上"), u8("0"), u8("5"), false},
         "for( k = 50 ; k >= 0 ; k = k - 5 )"},
        {"unknown condition writes no test",
         {u8("i"), u8("0"), u8("等しい"), u8("3"), u8("1"), true},
         "for( i = 0 ; ii++ )"},
        {"large numbers",
         {u8("i"), u8("0"), u8("未満"), u8("1000000"), u8("40000"), true},
         "for( i = 0 ; i < 1000000 ; i = i + 40000 )"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(forLoopHeader(c.values), u8(c.header)) << c.name;
}

TEST(ScriptFormat, LoopNumbers)
{
    for (const char *number :
         {"0", "10", "-3", "+7", " 42 ", "32768", "99999999999999999999", "0.5", ".5"})
        EXPECT_TRUE(isLoopNumber(u8(number))) << number;
    for (const char *other : {"", "a", "1a", "--1", "1 2", "１０", "x+1", "1e3"})
        EXPECT_FALSE(isLoopNumber(u8(other))) << other;
}

} // namespace
