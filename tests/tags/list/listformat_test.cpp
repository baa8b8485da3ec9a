#include "tags/list/listformat.h"

#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

const QString Circle = u("　○　（白丸）");
const QString Square = u("　■　（四角）");
const QString LowerA = u("a,b,c,……");
const QString UpperI = u("I,II,III,……");

// Selections as the text control hands them over, with the lines they give.
struct Selection
{
    const char *name;
    const char *text;
    QStringList lines;
};
const Selection selections[] = {
    {"nothing", "", {}},
    {"one line", "a", {u("a")}},
    {"three lines", "a\r\nbb\r\nc", {u("a"), u("bb"), u("c")}},
    {"final line break adds no item", "a\r\nb\r\n", {u("a"), u("b")}},
    {"empty middle line", "a\r\n\r\nc", {u("a"), u(""), u("c")}},
    {"only a line break", "\r\n", {u("")}},
    {"Japanese text", "ﾎｰﾑﾍﾟｰｼﾞ\r\n日本語の行", {u("ﾎｰﾑﾍﾟｰｼﾞ"), u("日本語の行")}},
    {"lines holding tags",
     "<B>x</B>\r\n<A href=\"a.htm\">a</A>",
     {u("<B>x</B>"), u("<A href=\"a.htm\">a</A>")}},
    {"a lone LF is no break", "a\nb\rc", {u("a\nb\rc")}},
};

TEST(ListFormat, SelectionBecomesLines)
{
    for (const Selection &s : selections)
        EXPECT_EQ(selectionLines(u(s.text)), s.lines) << s.name;
}

TEST(ListFormat, ListsOverSelections)
{
    struct Kind
    {
        const char *name;
        std::function<QString(const QStringList &)> build;
        const char *start;
        const char *item;
        const char *itemEnd;
        const char *end;
    };
    const Kind kinds[] = {
        {"unmarked", unmarkedList, "<UL>", "", "<BR>", "</UL>"},
        {"marked, whole list",
         [](const QStringList &l) {
             return markedList({true, Circle}, l);
         },
         "<UL type=\"circle\">", "<LI>", "</LI>", "</UL>"},
        {"marked, each item",
         [](const QStringList &l) {
             return markedList({false, Circle}, l);
         },
         "<UL>", "<LI type=\"circle\">", "</LI>", "</UL>"},
        {"numbered, whole list from 3",
         [](const QStringList &l) {
             return numberedList({true, u("3"), LowerA}, l);
         },
         "<OL type=\"a\" start=\"3\">", "<LI>", "</LI>", "</OL>"},
        {"numbered, whole list",
         [](const QStringList &l) {
             return numberedList({true, {}, UpperI}, l);
         },
         "<OL type=\"I\">", "<LI>", "</LI>", "</OL>"},
        {"numbered, each item, start kept on the list",
         [](const QStringList &l) {
             return numberedList({false, u("5abc"), LowerA}, l);
         },
         "<OL start=\"5abc\">", "<LI type=\"a\">", "</LI>", "</OL>"},
    };
    for (const Kind &kind : kinds) {
        for (const Selection &s : selections) {
            QString expected = u(kind.start) + u("\r\n");
            for (const QString &line : s.lines)
                expected += u(kind.item) + line + u(kind.itemEnd) + u("\r\n");
            expected += u(kind.end) + u("\r\n");
            EXPECT_EQ(kind.build(selectionLines(u(s.text))), expected)
                << kind.name << " / " << s.name;
        }
    }
}

TEST(ListFormat, DefinitionListLayout)
{
    EXPECT_EQ(definitionList({}), u("<DL>\r\n</DL>\r\n"));
    EXPECT_EQ(definitionList({{u("用語"), u("説明")}, {u("<B>b</B>"), u("x\r\ny")}}),
              u("<DL>\r\n<DT>用語</DT>\r\n<DD>\r\n説明\r\n</DD>\r\n"
                "<DT><B>b</B></DT>\r\n<DD>\r\nx\r\ny\r\n</DD>\r\n</DL>\r\n"));
}

TEST(ListFormat, ChoiceCodes)
{
    EXPECT_EQ(listChoiceCode(true, Circle, markCaptions()), u("11"));
    EXPECT_EQ(listChoiceCode(false, Square, markCaptions()), u("2"));
    EXPECT_EQ(listChoiceCode(true, UpperI, numberCaptions()), u("14"));
    EXPECT_EQ(listChoiceCode(false, LowerA, numberCaptions()), u("1"));
}

TEST(ListFormat, StartNumbers)
{
    const struct
    {
        const char *text;
        bool accepted;
    } cases[] = {
        {"", true},
        {"3", true},
        {"3abc", true},
        {" 12", true},
        {"-2", true},
        {"007", true},
        {"99999999999999999999", true},
        {"0", false},
        {"abc", false},
        {"000", false},
        {" ", false},
        {"0.5", false},
        {"-", false},
        {"３", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isStartNumberAccepted(u(c.text)), c.accepted) << c.text;
}

TEST(ListFormat, StartTagsRead)
{
    const struct
    {
        const char *tag;
        const char *mark;
    } marks[] = {
        {"<UL type=\"circle\">", "　○　（白丸）"},
        {"<ul TYPE=DISC>", "　●　（黒丸）"},
        {"<Ul\r\n  class='x' type='Square'>", "　■　（四角）"},
        {"<UL>", ""},
        {"<UL type=\"round\">", ""},
        {"<UL title=\"type=circle\">", ""},
    };
    for (const auto &c : marks) {
        const ListMarkFields fields = readUlTag(u(c.tag));
        EXPECT_EQ(fields.mark, u(c.mark)) << c.tag;
        EXPECT_TRUE(fields.wholeList) << c.tag;
    }

    const struct
    {
        const char *tag;
        const char *number;
        const char *start;
    } numbers[] = {
        {"<ol type=\"i\" start=\"3\">", "i,ii,iii,……", "3"}, {"<OL TYPE=a>", "a,b,c,……", ""},
        {"<OL TYPE=A START = 10>", "A,B,C,……", "10"},        {"<OL TYPE=III>", "", ""},
        {"<OL type=\"1\" compact>", "1,2,3,……", ""},
    };
    for (const auto &c : numbers) {
        const ListNumberFields fields = readOlTag(u(c.tag));
        EXPECT_EQ(fields.number, u(c.number)) << c.tag;
        EXPECT_EQ(fields.startNo, u(c.start)) << c.tag;
        EXPECT_TRUE(fields.wholeList) << c.tag;
    }

    const struct
    {
        const char *tag;
        ListItemKind kind;
    } items[] = {
        {"<LI>", ListItemKind::Untyped},
        {"<li type=\"square\">", ListItemKind::Marked},
        {"<LI TYPE=Circle value=2>", ListItemKind::Marked},
        {"<li type=i value=\"4\">", ListItemKind::Numbered},
        {"<LI type=\"x\">", ListItemKind::Numbered},
    };
    for (const auto &c : items)
        EXPECT_EQ(listItemKind(u(c.tag)), c.kind) << c.tag;
    const ListNumberFields item = readLiNumberTag(u("<li type=i value=\"4\">"));
    EXPECT_FALSE(item.wholeList);
    EXPECT_EQ(item.number, u("i,ii,iii,……"));
    EXPECT_EQ(item.startNo, u("4"));
    EXPECT_FALSE(readLiMarkTag(u("<li type=disc>")).wholeList);
}

TEST(ListFormat, TagNamesMatchWhole)
{
    EXPECT_TRUE(isStartTagNamed(u("<LI>"), "li"));
    EXPECT_TRUE(isStartTagNamed(u("<li type=a>"), "li"));
    EXPECT_TRUE(isStartTagNamed(u("<Li\r\ntype=a>"), "li"));
    EXPECT_FALSE(isStartTagNamed(u("<LINK rel=\"stylesheet\" type=\"text/css\">"), "li"));
    EXPECT_FALSE(isStartTagNamed(u("<ULTRA>"), "ul"));
}

TEST(ListFormat, StartTagsRoundTrip)
{
    for (bool whole : {true, false}) {
        for (const QString &mark : markCaptions()) {
            const ListMarkFields fields{whole, mark};
            const QString tag = whole ? ulStartTag(fields) : liMarkTag(fields);
            const ListMarkFields read = whole ? readUlTag(tag) : readLiMarkTag(tag);
            EXPECT_EQ(whole ? ulStartTag(read) : liMarkTag(read), tag);
        }
        for (const QString &number : numberCaptions()) {
            for (const char *start : {"", "1", "12x"}) {
                const ListNumberFields fields{whole, u(start), number};
                const QString tag = whole ? olStartTag(fields) : liNumberTag(fields);
                const ListNumberFields read = whole ? readOlTag(tag) : readLiNumberTag(tag);
                EXPECT_EQ(whole ? olStartTag(read) : liNumberTag(read), tag);
            }
        }
    }
    EXPECT_EQ(olStartTag({true, u("3"), UpperI}), u("<OL type=\"I\" start=\"3\">"));
    EXPECT_EQ(liNumberTag({false, u("4"), u("i,ii,iii,……")}), u("<LI type=\"i\" value=\"4\">"));
}

TEST(ListFormat, DefinitionListsRead)
{
    const struct
    {
        const char *name;
        const char *element;
        DefinitionEntries entries;
    } cases[] = {
        {"as built", "<DL>\r\n<DT>a</DT>\r\n<DD>\r\nx\r\n</DD>\r\n</DL>", {{u("a"), u("x")}}},
        {"hand-written, lower case, indented",
         "<dl>\r\n  <dt>用語</dt>\r\n    <dd>説明の<B>文</B></dd>\r\n\r\n  <dt>\r\nb</dt><dd>y\r\nz</dd>\r\n</dl>",
         {{u("用語"), u("説明の<B>文</B>")}, {u("b"), u("y\r\nz")}}},
        {"mixed case", "<DL><Dt>a</dT><dD>x</Dd></Dl>", {{u("a"), u("x")}}},
        {"empty list", "<DL>\r\n</DL>", {}},
        {"empty term and description", "<DL><DT></DT><DD></DD></DL>", {{u(""), u("")}}},
    };
    for (const auto &c : cases) {
        const auto entries = readDefinitionList(u(c.element));
        ASSERT_TRUE(entries) << c.name;
        EXPECT_EQ(*entries, c.entries) << c.name;
    }

    // Lists the dialog could not write back whole are not read at all.
    for (const char *element : {
             "<DL><DT>a<DD>x</DL>",                             // no end tags
             "<DL><DT>a</DT><DD>x</DD><DT>b</DT></DL>",         // a term without description
             "<DL><DT>a</DT>text<DD>x</DD></DL>",               // text between term and description
             "<DL><!-- c --><DT>a</DT><DD>x</DD></DL>",         // a comment before the items
             "<DL><DT>a</DT><DD>x</DD>tail</DL>",               // text after the items
             "<DL><DT>a</DT><DD><DL><DT>b</DT><DD>c</DD></DL>", // a nested list
             "<DL><DT class=\"t\">a</DT><DD>x</DD></DL>",       // an item tag with attributes
             "<DL>",                                            // no end of the list
         }) {
        EXPECT_FALSE(readDefinitionList(u(element))) << element;
    }
}

TEST(ListFormat, DefinitionListsRoundTrip)
{
    const QList<DefinitionEntries> tables = {
        {{u("a"), u("x")}, {u("用語"), u("ﾃｷｽﾄ")}, {u("<B>b</B>"), u("<A href=\"x\">x</A>")}},
        {{u("two\r\nlines"), u("para\r\n\r\ngraph")}, {u(" spaced "), u(" ")}, {u("c"), u("z")}},
    };
    for (const DefinitionEntries &entries : tables) {
        const QString built = definitionList(entries);
        const auto read = readDefinitionList(built.chopped(2));
        ASSERT_TRUE(read);
        EXPECT_EQ(definitionList(*read), built);
    }
}

} // namespace
