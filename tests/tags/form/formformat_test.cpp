#include "tags/form/formformat.h"

#include "support/qstringprinter.h"
#include "support/u8.h"

#include <gtest/gtest.h>

namespace {

TEST(FormFragments, FormStartTags)
{
    const struct
    {
        const char *name;
        FormFields fields;
        const char *tag;
    } cases[] = {
        {"all empty", {}, "<FORM>"},
        {"name url post",
         {u8("f1"), u8("a.cgi"), int(FormMethod::Post)},
         "<FORM name=\"f1\" action=\"a.cgi\" method=\"POST\">"},
        {"get only", {{}, {}, int(FormMethod::Get)}, "<FORM method=\"GET\">"},
        {"japanese name",
         {u8("問合せ"), u8("/cgi-bin/送信.cgi"), int(FormMethod::Unspecified)},
         "<FORM name=\"問合せ\" action=\"/cgi-bin/送信.cgi\">"},
        {"quote in name", {u8("a\"b"), {}, int(FormMethod::Unspecified)}, "<FORM name='a\"b'>"},
        {"both quotes",
         {u8("it's \"x\""), {}, int(FormMethod::Unspecified)},
         "<FORM name=\"it's &quot;x&quot;\">"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formStartTag(c.fields), u8(c.tag)) << c.name;
}

InputFields input(InputType type, const char *name, const char *value = "", const char *size = "",
                  const char *maxLength = "", bool checked = false)
{
    return {int(type), {}, u8(name), u8(value), u8(size), u8(maxLength), checked};
}

TEST(FormFragments, InputTags)
{
    const struct
    {
        const char *name;
        InputFields fields;
        const char *tag;
    } cases[] = {
        {"text with everything", input(InputType::Text, "q", "検索語", "20", "40"),
         "<INPUT type=\"text\" name=\"q\" value=\"検索語\" size=\"20\" maxlength=\"40\">"},
        {"text never checked", input(InputType::Text, "q", "", "", "", true),
         "<INPUT type=\"text\" name=\"q\">"},
        {"password", input(InputType::Password, "pw", "", "8", "8"),
         "<INPUT type=\"password\" name=\"pw\" size=\"8\" maxlength=\"8\">"},
        {"radio ignores size", input(InputType::Radio, "r", "1", "20", "3"),
         "<INPUT type=\"radio\" name=\"r\" value=\"1\">"},
        {"checkbox checked", input(InputType::Checkbox, "c", "", "", "", true),
         "<INPUT type=\"checkbox\" name=\"c\" checked>"},
        {"submit without name", input(InputType::Submit, "", "送信"),
         "<INPUT type=\"submit\" value=\"送信\">"},
        {"reset bare", input(InputType::Reset, ""), "<INPUT type=\"reset\">"},
        {"button", input(InputType::Button, "b", "押す", "5"),
         "<INPUT type=\"button\" name=\"b\" value=\"押す\">"},
        {"quote in value", input(InputType::Text, "q", "say \"hi\""),
         "<INPUT type=\"text\" name=\"q\" value='say \"hi\"'>"},
        {"unknown type kept",
         {-1, u8("hidden"), u8("id"), u8("7"), {}, {}, false},
         "<INPUT type=\"hidden\" name=\"id\" value=\"7\">"},
        {"no type at all",
         {-1, {}, u8("q"), {}, u8("10"), {}, false},
         "<INPUT name=\"q\" size=\"10\">"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(inputTag(c.fields), u8(c.tag)) << c.name;
}

TEST(FormFragments, TextAreaElements)
{
    const struct
    {
        const char *name;
        TextAreaFields fields;
        const char *element;
    } cases[] = {
        {"name only", {u8("t"), {}, {}, {}, true}, "<TEXTAREA name=\"t\" wrap=\"on\"></TEXTAREA>"},
        {"rows before cols, leading zero dropped",
         {u8("t"), u8("Hello"), u8("40"), u8("05"), false},
         "<TEXTAREA name=\"t\" wrap=\"off\" rows=\"5\" cols=\"40\">Hello</TEXTAREA>"},
        {"full-width digits",
         {u8("意見"), u8("ご意見を\r\nどうぞ"), u8("６０"), u8(" 3 "), true},
         "<TEXTAREA name=\"意見\" wrap=\"on\" rows=\"3\" cols=\"60\">ご意見を\r\nどうぞ</TEXTAREA>"},
        {"counts that are not numbers are left out",
         {u8("t"), {}, u8("abc"), u8("99999999999"), true},
         "<TEXTAREA name=\"t\" wrap=\"on\"></TEXTAREA>"},
        {"quote in name",
         {u8("a\"b"), {}, {}, {}, true},
         "<TEXTAREA name='a\"b' wrap=\"on\"></TEXTAREA>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(textAreaElement(c.fields), u8(c.element)) << c.name;
}

TEST(FormFormat, CountsAreWholeNumbersInRange)
{
    const struct
    {
        const char *text;
        std::optional<int> count;
    } cases[] = {
        {"1", 1},
        {"05", 5},
        {"９９９９９", 99999},
        {" 40 ", 40},
        {"", std::nullopt},
        {"0", std::nullopt},
        {"100000", std::nullopt},
        {"32768", 32768},
        {"-3", std::nullopt},
        {"3.5", std::nullopt},
        {"12345678901234567890", std::nullopt},
        {"２０px", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseFormCount(u8(c.text)), c.count) << c.text;
}

TEST(FormFormat, TagsReadLikePagesWriteThem)
{
    FormFields form = readFormTag(u8("<FORM name=\"f1\" action=\"cgi/post.cgi\" method=\"get\">"));
    EXPECT_EQ(form.name, u8("f1"));
    EXPECT_EQ(form.action, u8("cgi/post.cgi"));
    EXPECT_EQ(form.method, int(FormMethod::Get));
    EXPECT_EQ(readFormTag(u8("<form action=a.cgi METHOD=Post>")).method, int(FormMethod::Post));
    EXPECT_EQ(readFormTag(u8("<Form name='x'>")).method, int(FormMethod::Unspecified));

    const struct
    {
        const char *tag;
        int type;
        const char *otherType;
        bool checked;
    } inputs[] = {
        {"<input type=\"password\" name=\"pw\" maxlength=8>", int(InputType::Password), "", false},
        {"<INPUT TYPE=\"RADIO\" CHECKED>", int(InputType::Radio), "", true},
        {"<input type=Submit value='送 信'>", int(InputType::Submit), "", false},
        {"<input type=\"hidden\" name=\"id\">", -1, "hidden", false},
        {"<input name=q>", -1, "", false},
    };
    for (const auto &c : inputs) {
        const InputFields fields = readInputTag(u8(c.tag));
        EXPECT_EQ(fields.type, c.type) << c.tag;
        EXPECT_EQ(fields.otherType, u8(c.otherType)) << c.tag;
        EXPECT_EQ(fields.checked, c.checked) << c.tag;
    }

    const TextAreaFields area
        = readTextAreaElement(u8("<TEXTAREA name=t cols=40 rows=3 wrap=off>Hello</TEXTAREA>"));
    EXPECT_EQ(area.name, u8("t"));
    EXPECT_EQ(area.cols, u8("40"));
    EXPECT_EQ(area.rows, u8("3"));
    EXPECT_FALSE(area.wrap);
    EXPECT_EQ(area.value, u8("Hello"));
    EXPECT_TRUE(readTextAreaElement(u8("<textarea wrap=virtual title=\"a>b\">x</textarea>")).wrap);
    EXPECT_EQ(readTextAreaElement(u8("<textarea title=\"a>b\">x\r\ny</textarea>")).value,
              u8("x\r\ny"));
}

TEST(FormFormat, BuiltTagsReadBackToTheSameTags)
{
    const FormFields forms[]
        = {{}, {u8("f"), u8("a b.cgi"), 0}, {u8("名前"), {}, 1}, {u8("it's \"q\""), u8("x"), 2}};
    for (const FormFields &f : forms) {
        const QString tag = formStartTag(f);
        EXPECT_EQ(formStartTag(readFormTag(tag)), tag);
    }
    const InputFields inputs[] = {
        input(InputType::Text, "q", "検索", "20", "40"),
        input(InputType::Checkbox, "c", "1", "", "", true),
        input(InputType::Submit, "", "say \"go\""),
        input(InputType::Reset, ""),
        {-1, u8("file"), u8("up"), {}, {}, {}, false},
    };
    for (const InputFields &f : inputs) {
        const QString tag = inputTag(f);
        EXPECT_EQ(inputTag(readInputTag(tag)), tag);
    }
    const TextAreaFields areas[]
        = {{u8("t"), {}, {}, {}, true}, {u8("意見"), u8("a\r\nb"), u8("40"), u8("3"), false}};
    for (const TextAreaFields &f : areas) {
        const QString element = textAreaElement(f);
        EXPECT_EQ(textAreaElement(readTextAreaElement(element)), element);
    }
}

} // namespace
