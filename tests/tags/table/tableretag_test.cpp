#include "support/retagfixture.h"
#include "tags/shared/tagedit.h"
#include "tags/table/frmtableset2.h"
#include "tags/table/frmtdset.h"
#include "tags/table/frmtrset.h"

#include <QComboBox>
#include <QRadioButton>

#include <functional>

namespace {

using TableReEdit = ReEditTest;

TEST_F(TableReEdit, TableTagFillsItsDialog)
{
    const QString tag
        = QStringLiteral("<TABLE border=\"2\" width=\"80%\" rules=cols align=center>");
    const QString content = QStringLiteral("x\r\n") + tag + QStringLiteral("\r\n<TR>");
    const QString after = reEdit(content, tag, QStringLiteral("frmTableSet2"), [](QDialog &d) {
        EXPECT_EQ(controlText(d, QStringLiteral("txtBorder")), QStringLiteral("2"));
        EXPECT_EQ(controlText(d, QStringLiteral("txtWidth")), QStringLiteral("80"));
        EXPECT_TRUE(isChecked(d, QStringLiteral("chkWidth")));
        EXPECT_FALSE(isChecked(d, QStringLiteral("chkHeight")));
        EXPECT_TRUE(isChecked(d, QStringLiteral("chkRules")));
        EXPECT_TRUE(isChecked(d, QStringLiteral("optRules_2")));
        EXPECT_TRUE(d.findChild<QRadioButton *>(QStringLiteral("optRules_0"))->isEnabled());
        EXPECT_EQ(controlText(d, QStringLiteral("cmbAlign")), QStringLiteral("中央揃え"));
        clickControl(d, QStringLiteral("cmdCancel"));
    });
    EXPECT_EQ(after, content);
    EXPECT_EQ(text().selText(), tag);
}

TEST_F(TableReEdit, CellChangingKindConvertsItsEndTag)
{
    const auto setHeader = [](bool header, bool ok) {
        return [=](QDialog &d) {
            setControlChecked(d, QStringLiteral("chkTH"), header);
            clickControl(d, ok ? QStringLiteral("cmdOK") : QStringLiteral("cmdCancel"));
        };
    };
    const struct
    {
        const char *content;
        const char *tag;
        bool header;
        const char *after;
        bool ok = true;
    } cases[] = {
        {"<TD>a</td><td>b</td>", "<TD>", true, "<TH>a</TH><td>b</td>"},
        {"<th align=left>a\r\n</Th>", "<th align=left>", false, "<TD align=\"left\">a\r\n</TD>"},
        {"<Th>a</th>", "<Th>", true, "<TH>a</th>"},
        {"<td>a</td>", "<td>", false, "<TD>a</td>"},
        // No end tag follows: only the start tag changes.
        {"<TD>a</TR>", "<TD>", true, "<TH>a</TR>"},
        {"<TH>a</T", "<TH>", false, "<TD>a</T"},
        // A whole cell selected by hand: its content and end tag stay.
        {"<TD width=\"50%\">x<b>y</b></TD>", "<TD width=\"50%\">x<b>y</b></TD>", true,
         "<TH width=\"50%\">x<b>y</b></TH>"},
        {"<TD width=3>x</TD>", "<TD width=3>x</TD>", false, "<TD width=\"3\">x</TD>"},
        // Options are read from the start tag only, never from the cell's content.
        {"<TD>w width=9</TD>", "<TD>w width=9</TD>", false, "<TD>w width=9</TD>"},
        // Cancel changes nothing, whatever the dialog showed.
        {"<TD>a</TD>", "<TD>", true, "<TD>a</TD>", false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(reEdit(QString::fromUtf8(c.content), QString::fromUtf8(c.tag),
                         QStringLiteral("frmTdSet"), setHeader(c.header, c.ok)),
                  QString::fromUtf8(c.after))
            << c.content;
    }
}

TEST_F(TableReEdit, CellFarIntoALongDocument)
{
    const QString before = QString(70000, QLatin1Char('x')) + QStringLiteral("\r\n");
    const QString after = reEdit(before + QStringLiteral("<td>a</td>"), QStringLiteral("<td>"),
                                 QStringLiteral("frmTdSet"), [](QDialog &d) {
                                     setControlChecked(d, QStringLiteral("chkTH"), true);
                                     pressOk(d);
                                 });
    EXPECT_EQ(after, before + QStringLiteral("<TH>a</TH>"));
}

TEST_F(TableReEdit, LookAlikeSpellingsOpenNoDialog)
{
    for (const char *tag : {"<tH>", "<TaBle border=1>", "<tR>"}) {
        const QString content = QStringLiteral("x") + QString::fromUtf8(tag) + QStringLiteral("y");
        load(content, QString::fromUtf8(tag));
        ScriptedInteraction ui; // any dialog would be an unexpected prompt
        TagEdit(*doc);
        EXPECT_EQ(text().text(), content);
    }
}

// A tag as its dialog builds it from the controls that `fill` sets.
template <class D> QString builtTag(const Script &fill)
{
    DialogUse<D> dialog;
    fill(*dialog);
    pressOk(*dialog);
    return dialog->resultString();
}

struct RoundTrip
{
    const char *name;
    Script fill;
};

class TableRoundTrip : public TableReEdit
{
protected:
    // Builds each tag with dialog D, double-clicks inside it, accepts the pre-filled dialog
    // unchanged and expects the same tag back.
    template <class D>
    void expectRoundTrips(const QString &dialogName, std::initializer_list<RoundTrip> trips)
    {
        for (const RoundTrip &trip : trips) {
            const QString tag = builtTag<D>(trip.fill);
            const QString content = QStringLiteral("<P>\r\n") + tag + QStringLiteral("x</TD>");
            text().setText(content);
            text().select(6, 1); // a character of the tag's name
            ScriptedInteraction ui;
            ui.expectDialog(dialogName, pressOk);
            SelectTagAtCaret(*doc);
            EXPECT_EQ(text().text(), content) << trip.name << ": " << tag.toStdString();
        }
    }
};

TEST_F(TableRoundTrip, TableTags)
{
    const auto type = [](const char *name, const char *value) {
        return
            [=](QDialog &d) { setControlText(d, QLatin1String(name), QString::fromUtf8(value)); };
    };
    expectRoundTrips<frmTableSet2>(
        QStringLiteral("frmTableSet2"),
        {
            {"defaults", [](QDialog &) {}},
            {"everything",
             [&](QDialog &d) {
                 type("txtBorder", "1")(d);
                 type("txtBorderColor", "#FF0000")(d);
                 type("txtWidth", "80")(d);
                 setControlChecked(d, QStringLiteral("chkWidth"), true);
                 type("txtHeight", "50")(d);
                 type("txtCellspacing", "2")(d);
                 type("txtCellPadding", "3")(d);
                 setControlChecked(d, QStringLiteral("chkRules"), true);
                 setControlChecked(d, QStringLiteral("optRules_2"), true);
                 type("cmbAlign", "中央揃え")(d);
             }},
            {"rules all, right",
             [&](QDialog &d) {
                 type("txtWidth", "100")(d);
                 setControlChecked(d, QStringLiteral("chkRules"), true);
                 type("cmbAlign", "右揃え")(d);
             }},
            {"rules none, height in percent",
             [&](QDialog &d) {
                 type("txtHeight", "30")(d);
                 setControlChecked(d, QStringLiteral("chkHeight"), true);
                 setControlChecked(d, QStringLiteral("chkRules"), true);
                 setControlChecked(d, QStringLiteral("optRules_0"), true);
                 type("cmbAlign", "左揃え")(d);
             }},
            {"colour without border", [&](QDialog &d) { type("txtBorderColor", "#00FF00")(d); }},
        });
}

TEST_F(TableRoundTrip, RowTags)
{
    const auto choose = [](const char *align, const char *valign) {
        return [=](QDialog &d) {
            setControlText(d, QStringLiteral("cboAlign"), QString::fromUtf8(align));
            setControlText(d, QStringLiteral("cboValign"), QString::fromUtf8(valign));
        };
    };
    expectRoundTrips<frmTrSet>(QStringLiteral("frmTrSet"),
                               {
                                   {"none", choose("（なし）", "（なし）")},
                                   {"left bottom", choose("左揃え", "下揃え")},
                                   {"center top", choose("中央揃え", "上揃え")},
                                   {"right", choose("右揃え", "（なし）")},
                                   {"middle only", choose("（なし）", "中央揃え")},
                               });
}

TEST_F(TableRoundTrip, CellTags)
{
    expectRoundTrips<frmTdSet>(
        QStringLiteral("frmTdSet"),
        {
            {"defaults", [](QDialog &) {}},
            {"header with everything",
             [](QDialog &d) {
                 setControlChecked(d, QStringLiteral("chkTH"), true);
                 setControlText(d, QStringLiteral("txtBgcolor"), QStringLiteral("#FFCC00"));
                 setControlText(d, QStringLiteral("cboAlign"), QStringLiteral("右揃え"));
                 setControlText(d, QStringLiteral("cboValign"), QStringLiteral("上揃え"));
                 setControlChecked(d, QStringLiteral("chkWrap"), true);
                 setControlText(d, QStringLiteral("txtColspan"), QStringLiteral("2"));
                 setControlText(d, QStringLiteral("txtRowspan"), QStringLiteral("3"));
                 setControlText(d, QStringLiteral("txtWidth"), QStringLiteral("50"));
                 setControlChecked(d, QStringLiteral("chkWidth"), true);
                 setControlText(d, QStringLiteral("txtHeight"), QStringLiteral("20"));
             }},
            {"data cell, bottom, sizes",
             [](QDialog &d) {
                 setControlText(d, QStringLiteral("cboValign"), QStringLiteral("下揃え"));
                 setControlText(d, QStringLiteral("txtWidth"), QStringLiteral("120"));
                 setControlText(d, QStringLiteral("txtHeight"), QStringLiteral("10"));
                 setControlChecked(d, QStringLiteral("chkHeight"), true);
             }},
        });
}

} // namespace

namespace {

// Re-editing a tag as it stands in a real page and pressing OK unchanged gives back every
// attribute: the dialog's own in its order, then those it does not manage, as they were.
TEST_F(TableReEdit, OkUnchangedKeepsEveryAttribute)
{
    const struct
    {
        const char *name;
        const char *tag;
        const char *dialog;
        const char *after;
    } cases[] = {
        {"cell with class and style",
         "<td class=\"price\" style=\"color:red\" width=\"50%\" valign=\"top\" align=\"left\">",
         "frmTdSet",
         "<TD align=\"left\" valign=\"top\" width=\"50%\" class=\"price\" style=\"color:red\">"},
        {"table with bgcolor and summary",
         "<table bordercolor=\"#999999\" border=\"1\" bgcolor=#ffffff summary='売上の表'>",
         "frmTableSet2",
         "<TABLE border=\"1\" bordercolor=\"#999999\" bgcolor=#ffffff summary='売上の表'>"},
        {"row with bgcolor and an event", "<TR bgcolor=\"#eeeeee\" onclick=\"go(1)\" align=right>",
         "frmTrSet", "<TR align=\"right\" bgcolor=\"#eeeeee\" onclick=\"go(1)\">"},
        {"cell written over two lines", "<TD\r\n id=\"c1\" nowrap>", "frmTdSet",
         "<TD nowrap id=\"c1\">"},
    };
    for (const auto &c : cases) {
        const QString tag = QString::fromUtf8(c.tag);
        const QString after = reEdit(QStringLiteral("x") + tag + QStringLiteral("y</TD>"), tag,
                                     QLatin1String(c.dialog), pressOk);
        EXPECT_EQ(after,
                  QStringLiteral("x") + QString::fromUtf8(c.after) + QStringLiteral("y</TD>"))
            << c.name;
    }
}

} // namespace
