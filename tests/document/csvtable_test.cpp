#include "document/csvtable.h"

#include "support/documentfixture.h"

namespace {

const QString Open = QStringLiteral("<TABLE BORDER=\"1\">\r\n");
const QString Close = QStringLiteral("</TABLE>");

// "<TR>" + the cell lines + "</TR>".
QString row(const QStringList &cells)
{
    QString out = QStringLiteral("<TR>\r\n");
    for (const QString &cell : cells)
        out += "\t" + cell + "\r\n";
    return out + QStringLiteral("</TR>\r\n");
}

struct CsvCase
{
    const char *name;
    QString csv;
    QString table;
};

class CsvTable : public testing::TestWithParam<CsvCase>
{};

TEST_P(CsvTable, Converts)
{
    EXPECT_EQ(csvToTable(GetParam().csv).toStdString(), GetParam().table.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    , CsvTable,
    testing::Values(
        CsvCase{"twoByTwo", "a,b\r\nc,d",
                Open + row({"<TD>a</TD>", "<TD>b</TD>"}) + row({"<TD>c</TD>", "<TD>d</TD>"})
                    + Close},
        CsvCase{"emptyFirstCellDropsTheRow", "a\r\n,x\r\nb",
                Open + row({"<TD>a</TD>"}) + row({"<TD>b</TD>"}) + Close},
        CsvCase{"emptyMiddleCellWritesNothing", "a,,c",
                Open + row({"<TD>a</TD>", "<TD>c</TD>"}) + Close},
        CsvCase{"columnSpan", "x,>>Total",
                Open + row({"<TD>x</TD>", "<TD COLSPAN=\"2\">Total</TD>"}) + Close},
        CsvCase{"rowSpan", "__Name", Open + row({"<TD ROWSPAN=\"2\">Name</TD>"}) + Close},
        CsvCase{"lastMarkCounts", "a>b", Open + row({"<TD COLSPAN=\"2\">b</TD>"}) + Close},
        CsvCase{"bothMarksSpanColumns", "_>x", Open + row({"<TD COLSPAN=\"2\">x</TD>"}) + Close},
        CsvCase{"tabsDisappear", "\ta\t,b\t", Open + row({"<TD>a</TD>", "<TD>b</TD>"}) + Close},
        CsvCase{"quotesAreText", "\"a,b\",\"c\"",
                Open + row({"<TD>\"a</TD>", "<TD>b\"</TD>", "<TD>\"c\"</TD>"}) + Close},
        CsvCase{"finalLineBreak", "a,b\r\n", Open + row({"<TD>a</TD>", "<TD>b</TD>"}) + Close},
        CsvCase{"loneCrAndLfEndRows", "a\rb\nc",
                Open + row({"<TD>a</TD>"}) + row({"<TD>b</TD>"}) + row({"<TD>c</TD>"}) + Close},
        CsvCase{"japanese", "名前,ｶﾅ", Open + row({"<TD>名前</TD>", "<TD>ｶﾅ</TD>"}) + Close},
        CsvCase{"nothingButBreaks", "\r\n\r\n", Open + Close}),
    [](const testing::TestParamInfo<CsvCase> &info) { return std::string(info.param.name); });

TEST(CsvTableSize, TwoHundredColumnsAndRows)
{
    QStringList cells, expectedCells;
    for (int i = 0; i < 200; ++i) {
        cells << QString::number(i);
        expectedCells << QStringLiteral("<TD>%1</TD>").arg(i);
    }
    const QString line = cells.join(u',');
    const QString csv = QStringList(200, line).join(QStringLiteral("\r\n"));
    QString expected = Open;
    for (int i = 0; i < 200; ++i)
        expected += row(expectedCells);
    EXPECT_EQ(csvToTable(csv), expected + Close);
}

using CsvCommand = DocumentFixture;

TEST_F(CsvCommand, ReplacesTheSelectionWithTheTable)
{
    text().setText("before\r\na,b\r\nafter");
    text().select(8, 5); // "a,b\r\n"
    ASSERT_TRUE(doc->run("mnuHtmlTableCsv_Click"));
    const QString table = Open + row({"<TD>a</TD>", "<TD>b</TD>"}) + Close;
    EXPECT_EQ(text().text(), "before\r\n" + table + "after");
    EXPECT_EQ(text().selStart(), 8 + table.size());
}

} // namespace
