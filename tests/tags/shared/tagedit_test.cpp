#include "tags/shared/tagedit.h"

#include "document/documentmenus.h"
#include "support/retagfixture.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTest>

namespace {

class TagEditing : public ReEditTest
{
protected:
    bool visible(const char *item) const { return doc->action(QLatin1String(item))->isVisible(); }
    bool shown(const char *menu) const { return doc->menu(QLatin1String(menu))->isVisible(); }
    void closeMenus() const
    {
        doc->menu(QStringLiteral("mnuPopupText"))->hide();
        doc->menu(QStringLiteral("mnuJs"))->hide();
    }
    void release(Qt::MouseButton button, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        txtText_MouseUp(*doc, button, modifiers, QPoint(5, 5));
    }
};

TEST_F(TagEditing, EditItemFollowsTheSelection)
{
    const struct
    {
        const char *content;
        const char *selected; // empty: nothing selected
        bool edit;
    } cases[] = {
        {"<TR><TD>x</TD></TR>", "<TD>x</TD>", true},
        {"<TR><TD>x</TD></TR>", "<TD>", false},
        {"<table border=1><tr>", "<table border=1><tr>", false},
        {"<table border=1><tr>", "<table border=1>", true},
        {"<table border=1><tr>", "", false},
    };
    // Cut, copy and delete follow the selection (unless still to be built).
    const std::pair<const char *, const char *> editing[] = {{"mnuPopCut", "mnuPopCut_Click"},
                                                             {"mnuPopCopy", "mnuPopCopy_Click"},
                                                             {"mnuPopEditDel", "mnuEditDel_Click"}};
    for (const auto &c : cases) {
        load(QString::fromUtf8(c.content), QString::fromUtf8(c.selected));
        release(Qt::LeftButton);
        EXPECT_EQ(visible("mnuTagEdit"), c.edit) << c.selected;
        for (const auto &[item, handler] : editing) {
            const bool selected = *c.selected != '\0';
            EXPECT_EQ(doc->action(QLatin1String(item))->isEnabled(), selected)
                << item << " / " << c.selected;
        }
    }
}

TEST_F(TagEditing, ColourItemFollowsTheColouringSwitch)
{
    for (const bool on : {true, false}) {
        shared().blnTagColor = on;
        release(Qt::LeftButton);
        EXPECT_EQ(visible("mnuPopColor"), on);
    }
}

TEST_F(TagEditing, PasteItemNeedsPlainTextOnTheClipboard)
{
    QAction *paste = doc->action(QStringLiteral("mnuPopPaist"));
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    release(Qt::LeftButton);
    EXPECT_TRUE(paste->isEnabled());
    QGuiApplication::clipboard()->clear();
    release(Qt::LeftButton);
    EXPECT_FALSE(paste->isEnabled());
}

TEST_F(TagEditing, CaretInTagColourSetsTheLiveColouringFlag)
{
    text().setText(QStringLiteral("<b>x"));
    text().select(0, 3);
    text().setSelColor(TextColor::Blue);
    for (const auto &[caret, inTag] : {std::pair{3, true}, std::pair{4, false}}) {
        text().setSelStart(caret);
        release(Qt::LeftButton);
        EXPECT_EQ(doc->blnInTag, inTag) << caret;
    }
    // With a selection the flag is left alone.
    text().select(0, 2);
    doc->blnInTag = false;
    release(Qt::LeftButton);
    EXPECT_FALSE(doc->blnInTag);
}

TEST_F(TagEditing, RightButtonChoosesThePopupByModifier)
{
    const struct
    {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        bool textMenu;
        bool scriptMenu;
    } cases[] = {
        {Qt::RightButton, Qt::NoModifier, true, false},
        {Qt::RightButton, Qt::ShiftModifier, false, true},
        {Qt::RightButton, Qt::ControlModifier, false, false},
        {Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, false, false},
        {Qt::LeftButton, Qt::NoModifier, false, false},
    };
    for (const auto &c : cases) {
        release(c.button, c.modifiers);
        EXPECT_EQ(shown("mnuPopupText"), c.textMenu) << int(c.modifiers);
        EXPECT_EQ(shown("mnuJs"), c.scriptMenu) << int(c.modifiers);
        closeMenus();
    }
}

TEST_F(TagEditing, EditItemReEditsTheSelectionAsItStands)
{
    const QString content = QStringLiteral("x <table border=1>\r\n");
    load(content, QStringLiteral("<table border=1>"));
    ScriptedInteraction ui;
    ui.expectDialog(QStringLiteral("frmTableSet2"), [](QDialog &d) {
        EXPECT_EQ(controlText(d, QStringLiteral("txtBorder")), QStringLiteral("1"));
        clickControl(d, QStringLiteral("cmdOK"));
    });
    EXPECT_TRUE(doc->run(QStringLiteral("mnuTagEdit_Click")));
    EXPECT_EQ(text().text(), QStringLiteral("x <TABLE border=\"1\">\r\n"));
}

TEST_F(TagEditing, ScanThatFindsNoRoutineLeavesItsSelection)
{
    const struct
    {
        const char *content;
        const char *word;
        const char *selected;
    } cases[] = {
        {"x\r\n<p>hello", "hello", "<p>"},
        {"<table border=1>", "<table", "<table"}, // selection at the very start: no scan
        {"x <table border=1", "border", "border"},
        {"x plain", "plain", "plain"},
        {"x <tH>a</tH>", "tH", "<tH>"},
    };
    for (const auto &c : cases) {
        load(QString::fromUtf8(c.content), QString::fromUtf8(c.word));
        ScriptedInteraction ui; // no dialog may open
        SelectTagAtCaret(*doc);
        EXPECT_EQ(text().selText(), QString::fromUtf8(c.selected)) << c.content;
        EXPECT_EQ(text().text(), QString::fromUtf8(c.content));
    }
}

TEST_F(TagEditing, DoubleClickOnACellTagOpensTheCellDialog)
{
    doc->show();
    text().setText(QStringLiteral("<TR>\r\n<TD width=\"50%\">cell</TD>"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(doc.get()));
    const QPoint word = text().cursorRect(text().cursorFor(12, 0)).center() + QPoint(2, 0);
    ScriptedInteraction ui;
    ui.expectDialog(QStringLiteral("frmTdSet"), [](QDialog &d) {
        EXPECT_EQ(controlText(d, QStringLiteral("txtWidth")), QStringLiteral("50"));
        EXPECT_TRUE(isChecked(d, QStringLiteral("chkWidth")));
        setControlText(d, QStringLiteral("cboAlign"), QStringLiteral("中央揃え"));
        clickControl(d, QStringLiteral("cmdOK"));
    });
    QTest::mouseDClick(text().viewport(), Qt::LeftButton, Qt::NoModifier, word);
    EXPECT_EQ(text().text(),
              QStringLiteral("<TR>\r\n<TD align=\"center\" width=\"50%\">cell</TD>"));
}

} // namespace

namespace {

// The middle of the character at text position `position` in the viewport.
QPoint middleOfCharacter(RichTextBox &box, int position)
{
    const QRect before = box.cursorRect(box.cursorFor(position, 0));
    const QRect after = box.cursorRect(box.cursorFor(position + 1, 0));
    return {(before.x() + after.x()) / 2, before.center().y()};
}

TEST_F(TagEditing, DoubleClickOnTheOpeningOfATagAfterAnotherTagReEditsTheTagClicked)
{
    const struct
    {
        const char *name;
        const char *content;
        const char *clicked; // the tag whose "<" is double-clicked
        const char *after;
    } cases[] = {
        {"a cell after an end tag", "<TR><TD>a</TD><td align=\"center\">b</TD>",
         "<td align=\"center\">", "<TR><TD>a</TD><TD align=\"left\">b</TD>"},
        {"a cell right after its row", "x<TR><TD align=center>b</TD>", "<TD align=center>",
         "x<TR><TD align=\"left\">b</TD>"},
    };
    doc->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(doc.get()));
    for (const auto &c : cases) {
        const QString content = QString::fromUtf8(c.content);
        text().setText(content);
        const int at = int(content.indexOf(QString::fromUtf8(c.clicked)));
        ScriptedInteraction ui;
        ui.expectDialog(QStringLiteral("frmTdSet"), [](QDialog &d) {
            EXPECT_EQ(controlText(d, QStringLiteral("cboAlign")), QStringLiteral("中央揃え"));
            setControlText(d, QStringLiteral("cboAlign"), QStringLiteral("左揃え"));
            clickControl(d, QStringLiteral("cmdOK"));
        });
        QTest::mouseDClick(text().viewport(), Qt::LeftButton, Qt::NoModifier,
                           middleOfCharacter(text(), at));
        EXPECT_EQ(text().text(), QString::fromUtf8(c.after)) << c.name;
        EXPECT_EQ(ui.pendingCount(), 0) << c.name;
    }
}

} // namespace
