#include "document/csvtable.h"

#include "document/tagcolor.h"
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

// The table as a plain editor would build it from `csv`: lines split at CR LF, LF or CR,
// cells at commas, tabs dropped, rows whose first cell is empty left out, spans by the last
// mark.
QString tableBySplitting(const QString &csv)
{
    QString lines = csv;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    QString out = Open;
    for (const QString &line : lines.split(u'\n')) {
        QStringList cells = line.split(u',');
        for (QString &cell : cells)
            cell.remove(u'\t');
        if (cells.first().isEmpty())
            continue;
        QStringList written;
        for (const QString &cell : cells) {
            const qsizetype colspan = cell.lastIndexOf(u'>') + 1;
            const qsizetype rowspan = cell.lastIndexOf(u'_') + 1;
            if (colspan > 0)
                written << QStringLiteral("<TD COLSPAN=\"%1\">%2</TD>")
                               .arg(colspan)
                               .arg(cell.mid(colspan));
            else if (rowspan > 0)
                written << QStringLiteral("<TD ROWSPAN=\"%1\">%2</TD>")
                               .arg(rowspan)
                               .arg(cell.mid(rowspan));
            else if (!cell.isEmpty())
                written << QStringLiteral("<TD>%1</TD>").arg(cell);
        }
        out += row(written);
    }
    return out + Close;
}

// 100,000 lines as pasted from a spreadsheet, with quoted fields holding commas, tabs, empty
// and marked cells, Japanese, and every kind of line break, in a coloured page between other
// text: the command gives the table a plain split gives, coloured as a fresh colouring colours
// it, and undo and redo take the page back and forth.
TEST_F(CsvCommand, AHundredThousandLinesAgreeWithAPlainSplitThroughUndoAndRedo)
{
    const QStringList lines = {
        QStringLiteral("\"山田, 花子\",\"東京都\",1999/12/31,\t42\t"),
        QStringLiteral("佐藤,,ｶﾅ,\"\"\"引用\"\"\""),
        QStringLiteral(",空の先頭"),
        QStringLiteral("合計>>計,__名前,a>b_c"),
        QString(),
    };
    const QStringList breaks = {QStringLiteral("\r\n"), QStringLiteral("\r\n"),
                                QStringLiteral("\n"), QStringLiteral("\r")};
    QString csv;
    for (int i = 0; i < 100000; ++i)
        csv += lines[i % lines.size()] + QString::number(i) + breaks[i % breaks.size()];
    const QString before = QStringLiteral("<P>前</P>\r\n");
    const QString after = QStringLiteral("<P>後</P>");
    shared().blnTagColor = true;
    text().setText(before + csv + after);
    Color_set(*doc);
    const QString page = text().text(); // lone breaks read as CR LF
    const QString looksBefore = textAndLooks(text());
    const QString selected = page.mid(before.size(), page.size() - before.size() - after.size());

    text().select(int(before.size()), int(selected.size()));
    ASSERT_TRUE(doc->run("mnuHtmlTableCsv_Click"));
    const QString expected = before + tableBySplitting(selected) + after;
    ASSERT_TRUE(text().text() == expected);
    EXPECT_EQ(text().selStart(), expected.size() - after.size());
    frmDocument fresh;
    fresh.txtText->setText(expected);
    Color_set(fresh);
    const QString looksExpected = textAndLooks(*fresh.txtText);
    EXPECT_TRUE(textAndLooks(text()) == looksExpected);
    fresh.blnFlgDirty = false;

    expectUndoAndRedoRoundTrip(page, looksBefore, expected, looksExpected);
}

} // namespace
