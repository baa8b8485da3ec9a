#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "support/u8.h"
#include "tags/shared/tagedit.h"

#include <gtest/gtest.h>

namespace {

class AppletReEdit : public ReEditTest
{
protected:
    void SetUp() override
    {
        ReEditTest::SetUp();
        doc->strFileName = u8("/site/index.html");
    }

    // Double-clicks inside the first APPLET start tag of `content`, in any letter case.
    QString doubleClick(const QString &content, const Script &script)
    {
        const int at = int(content.indexOf(u8("<applet"), 0, Qt::CaseInsensitive));
        return doubleClickAt(content, at + 2, u8("frmAppletSet"), script);
    }
};

TEST_F(AppletReEdit, ParametersFillTheRowsAndTheRestIsKept)
{
    const QString content = u8(
        "<P>\r\n<applet code=Tick.class codebase=\"cls\" width=200\r\n height=80>\r\n"
        "<param name=a value=1>\r\n<param name=b value=\"2\">\r\n<PARAM NAME=c VALUE=three>\r\n"
        "Java が必要です\r\n</applet>\r\n</P>");
    const QString after = doubleClick(content, [](QDialog &d) {
        EXPECT_EQ(controlText(d, u8("txtApplet")), u8("Tick.class"));
        EXPECT_EQ(controlText(d, u8("txtWIdth")), u8("200"));
        EXPECT_EQ(controlText(d, u8("txtHeight")), u8("80"));
        EXPECT_EQ(controlText(d, u8("txtParamName_0")), u8("a"));
        EXPECT_EQ(controlText(d, u8("txtParamValue_1")), u8("2"));
        EXPECT_EQ(controlText(d, u8("txtParamName_2")), u8("c"));
        EXPECT_EQ(controlText(d, u8("txtParamValue_2")), u8("three"));
        EXPECT_EQ(controlText(d, u8("txtParamName_3")), QString());
        setControlText(d, u8("txtParamValue_0"), u8("9"));
        clickControl(d, u8("cmdOk"));
    });
    EXPECT_EQ(
        after,
        u8("<P>\r\n<APPLET code=\"Tick.class\" width=\"200\" height=\"80\" codebase=\"cls\">\r\n"
           "\t<PARAM name=\"a\" VALUE=\"9\">\r\n\t<PARAM name=\"b\" VALUE=\"2\">\r\n"
           "\t<PARAM name=\"c\" VALUE=\"three\">\r\nJava が必要です\r\n</APPLET>\r\n</P>"));
}

TEST_F(AppletReEdit, BuiltElementsReEditedUnchangedStayTheSame)
{
    const QString built = u8("<APPLET code=\"Clock.class\" width=\"100\" height=\"50\">\r\n"
                             "\t<PARAM name=\"speed\" VALUE=\"3\">\r\n</APPLET>");
    const QString far = QString(70000, QLatin1Char('x')) + u8("\r\n");
    for (const QString &before : {QString(u8("a")), far}) {
        const QString content = before + built + u8("\r\nb");
        EXPECT_EQ(doubleClick(content, [](QDialog &d) { clickControl(d, u8("cmdOk")); }), content);
    }
    const QString content = u8("a") + built;
    EXPECT_EQ(doubleClick(content, [](QDialog &d) { clickControl(d, u8("cmdCancel")); }), content);
}

} // namespace
