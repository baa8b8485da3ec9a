#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "support/u8.h"
#include "tags/form/formformat.h"
#include "tags/form/frminput.h"
#include "tags/shared/tagedit.h"

#include <QRadioButton>

#include <functional>

namespace {

void pressCancel(QDialog &d)
{
    clickControl(d, QStringLiteral("cmdCancel"));
}

class FormReEdit : public ReEditTest
{
protected:
    void TearDown() override
    {
        unloadDialog<frmInput>();
        ReEditTest::TearDown();
    }
};

TEST_F(FormReEdit, DoubleClickedInputOpensPrefilledAndKeepsItsClass)
{
    const QString tag = u8("<INPUT type=\"text\" name=\"q\" size=20 class=\"x\">");
    const QString after
        = doubleClick(u8("<P>") + tag + u8("</P>"), tag, u8("frmInput"), [](QDialog &d) {
              EXPECT_TRUE(isChecked(d, u8("optType_0")));
              EXPECT_EQ(controlText(d, u8("txtName")), u8("q"));
              EXPECT_EQ(controlText(d, u8("txtSize")), u8("20"));
              pressOk(d);
          });
    EXPECT_EQ(after, u8("<P><INPUT type=\"text\" name=\"q\" size=\"20\" class=\"x\"></P>"));
}

TEST_F(FormReEdit, InputTagsInRealPageStyles)
{
    const struct
    {
        const char *name;
        const char *tag;
        const char *option; // the selected type, empty: none
        const char *field;  // a box and what it holds
        const char *value;
        bool checked;
        bool tickEnabled;
        const char *after; // after OK unchanged
    } cases[] = {
        {"password", "<input type=\"password\" name=\"pw\" maxlength=8>", "optType_5",
         "txtMaxlength", "8", false, false,
         "<INPUT type=\"password\" name=\"pw\" maxlength=\"8\">"},
        {"radio upper case", "<INPUT TYPE=\"RADIO\" NAME=r CHECKED>", "optType_1", "txtName", "r",
         true, true, "<INPUT type=\"radio\" name=\"r\" checked>"},
        {"single quotes and japanese", "<Input Type='submit' Value='送 信' onclick=\"go('x')\">",
         "optType_4", "txtValue", "送 信", false, false,
         "<INPUT type=\"submit\" value=\"送 信\" onclick=\"go('x')\">"},
        {"line breaks inside", "<input\r\n  type=checkbox\r\n  name=\"c\" value=\"1\" id=c1>",
         "optType_2", "txtValue", "1", false, true,
         "<INPUT type=\"checkbox\" name=\"c\" value=\"1\" id=c1>"},
        {"hidden kept as it was", "<input type=hidden name=\"id\" value=\"42\">", "", "txtName",
         "id", false, false, "<INPUT type=\"hidden\" name=\"id\" value=\"42\">"},
        {"quoted quote", "<INPUT type=text name=q value='a \"b\"'>", "optType_0", "txtValue",
         "a \"b\"", false, false, "<INPUT type=\"text\" name=\"q\" value='a \"b\"'>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString tag = u8(c.tag);
        const QString after = doubleClick(
            u8("<FORM>\r\n") + tag + u8("\r\n</FORM>"), tag, u8("frmInput"), [&c](QDialog &d) {
                for (int i = 0; i < 7; ++i) {
                    const QString name = u8("optType_") + QString::number(i);
                    EXPECT_EQ(isChecked(d, name), name == u8(c.option)) << i;
                }
                EXPECT_EQ(controlText(d, u8(c.field)), u8(c.value));
                EXPECT_EQ(isChecked(d, u8("chkCheck")), c.checked);
                EXPECT_EQ(d.findChild<QWidget *>(u8("chkCheck"))->isEnabled(), c.tickEnabled);
                pressOk(d);
            });
        EXPECT_EQ(after, u8("<FORM>\r\n") + u8(c.after) + u8("\r\n</FORM>"));
    }
}

// The re-edit names the boxes each type enables or disables and leaves the others as the
// dialog opened them (size and maximum length on, the tick off).
TEST_F(FormReEdit, InputBoxesAreEnabledByTheReEditsRuleForEachType)
{
    const struct
    {
        const char *type;
        bool size;
        bool maxLength;
        bool tick;
    } cases[] = {
        {"text", true, true, false},     {"radio", false, false, true},
        {"checkbox", false, true, true}, {"reset", true, true, false},
        {"submit", false, true, false},  {"password", true, true, false},
        {"button", false, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type);
        const QString tag = u8("<INPUT type=\"") + u8(c.type) + u8("\" name=\"n\" value=\"v\">");
        const QString content = u8("<FORM>\r\n") + tag + u8("\r\n</FORM>");
        doubleClick(content, tag, u8("frmInput"), [&c](QDialog &d) {
            EXPECT_EQ(d.findChild<QWidget *>(u8("txtSize"))->isEnabled(), c.size);
            EXPECT_EQ(d.findChild<QWidget *>(u8("txtMaxlength"))->isEnabled(), c.maxLength);
            EXPECT_EQ(d.findChild<QWidget *>(u8("chkCheck"))->isEnabled(), c.tick);
            pressCancel(d);
        });
        unloadDialog<frmInput>(); // the next type starts from a freshly loaded dialog
        unloadDialog<frmInput>();
    }
}

TEST_F(FormReEdit, ACheckboxKeepsItsMaximumLengthEditable)
{
    const QString tag = u8("<INPUT type=\"checkbox\" name=\"c\" maxlength=\"5\" checked>");
    const QString after
        = doubleClick(u8("<P>") + tag + u8("</P>"), tag, u8("frmInput"), [](QDialog &d) {
              EXPECT_EQ(controlText(d, u8("txtMaxlength")), u8("5"));
              setControlText(d, u8("txtMaxlength"), u8("8"));
              pressOk(d);
          });
    EXPECT_EQ(after, u8("<P><INPUT type=\"checkbox\" name=\"c\" maxlength=\"8\" checked></P>"));
}

TEST_F(FormReEdit, FormTagsSelectTheirMethod)
{
    const struct
    {
        const char *tag;
        const char *option;
        const char *after;
    } cases[] = {
        {"<FORM name=\"f1\" action=\"cgi/post.cgi\" method=\"get\">", "optMethod_1",
         "<FORM name=\"f1\" action=\"cgi/post.cgi\" method=\"GET\">"},
        {"<FORM name=\"f1\" action=\"cgi/post.cgi\">", "optMethod_2",
         "<FORM name=\"f1\" action=\"cgi/post.cgi\">"},
        {"<form method=Post action='送信.cgi' enctype=\"multipart/form-data\">", "optMethod_0",
         "<FORM action=\"送信.cgi\" method=\"POST\" enctype=\"multipart/form-data\">"},
    };
    for (const auto &c : cases) {
        const QString tag = u8(c.tag);
        const QString after
            = doubleClick(tag + u8("\r\n</FORM>"), tag, u8("frmFormSet"), [&c](QDialog &d) {
                  EXPECT_TRUE(isChecked(d, u8(c.option))) << c.tag;
                  pressOk(d);
              });
        EXPECT_EQ(after, u8(c.after) + u8("\r\n</FORM>")) << c.tag;
    }
}

TEST_F(FormReEdit, TextareaElementIsReplacedWhole)
{
    const QString element
        = u8("<TEXTAREA name=t cols=40 rows=3 wrap=off class=big>Hello\r\nworld</TEXTAREA>");
    const QString content = u8("<P>") + element + u8("</P>");
    QString after = doubleClick(content, element, u8("frmTextBoxSet"), [](QDialog &d) {
        EXPECT_EQ(controlText(d, u8("txtValue")), u8("Hello\nworld"));
        EXPECT_EQ(controlText(d, u8("txtCols")), u8("40"));
        EXPECT_FALSE(isChecked(d, u8("chkWrap")));
        setControlText(d, u8("txtRows"), u8("05"));
        pressOk(d);
    });
    EXPECT_EQ(
        after,
        u8("<P><TEXTAREA name=\"t\" wrap=\"off\" rows=\"5\" cols=\"40\" class=big>Hello\r\nworld</TEXTAREA></P>"));

    after = doubleClick(content, element, u8("frmTextBoxSet"), pressCancel);
    EXPECT_EQ(after, content);
}

TEST_F(FormReEdit, CancelLeavesTheTextByteForByte)
{
    const char *tags[] = {"<input type=radio name=r value=1 CHECKED>", "<Form Action=x.cgi>",
                          "<INPUT\ttype='text'  name = \"q\">"};
    for (const char *raw : tags) {
        const QString tag = u8(raw);
        const QString content = u8("前\r\n") + tag + u8("\r\n後");
        const QString dialog = tag.startsWith(u8("<Form")) ? u8("frmFormSet") : u8("frmInput");
        EXPECT_EQ(doubleClick(content, tag, dialog, pressCancel), content) << raw;
    }
}

TEST_F(FormReEdit, BuiltTagsComeBackUnchanged)
{
    const InputFields inputs[] = {
        {int(InputType::Text), {}, u8("q"), u8("検索"), u8("20"), u8("40"), false},
        {int(InputType::Checkbox), {}, u8("c"), u8("1"), {}, {}, true},
        {int(InputType::Submit), {}, {}, u8("say \"go\""), {}, {}, false},
        {int(InputType::Reset), {}, {}, {}, {}, {}, false},
        {int(InputType::Button), {}, u8("b"), u8("it's \"it\""), {}, {}, false},
    };
    for (const InputFields &f : inputs) {
        const QString tag = inputTag(f);
        EXPECT_EQ(doubleClick(u8("x ") + tag + u8(" y"), tag, u8("frmInput"), pressOk),
                  u8("x ") + tag + u8(" y"));
    }
    const FormFields forms[] = {{u8("f"), u8("a.cgi"), 0}, {u8("名前"), {}, 1}, {{}, u8("x"), 2}};
    for (const FormFields &f : forms) {
        const QString tag = formStartTag(f);
        EXPECT_EQ(doubleClick(tag + u8("</FORM>"), tag, u8("frmFormSet"), pressOk),
                  tag + u8("</FORM>"));
    }
    const TextAreaFields areas[]
        = {{u8("t"), {}, {}, {}, true}, {u8("意見"), u8("a\r\nb"), u8("40"), u8("3"), false}};
    for (const TextAreaFields &f : areas) {
        const QString element = textAreaElement(f);
        EXPECT_EQ(
            doubleClick(u8("<P>") + element + u8("</P>"), element, u8("frmTextBoxSet"), pressOk),
            u8("<P>") + element + u8("</P>"));
    }
}

} // namespace
