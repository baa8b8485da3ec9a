#include "document/editcommands.h"

#include "document/simpletags.h"
#include "mainwindow/explorerpane.h"
#include "support/documentfixture.h"
#include "support/qstringprinter.h"
#include "support/scriptedinteraction.h"
#include "support/spinefixture.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMimeData>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>

namespace {

struct TagCase
{
    const char *handler;
    QString result; // with "abc" selected
    int selStart;   // the selection afterwards
    int selLength;
};

class SimpleTagCommands : public DocumentFixture, public testing::WithParamInterface<TagCase>
{};

TEST_P(SimpleTagCommands, ActOnTheSelection)
{
    const TagCase &c = GetParam();
    text().setText("xabcy");
    text().select(1, 3);
    ASSERT_TRUE(doc->run(c.handler));
    EXPECT_EQ(text().text(), "x" + c.result + "y");
    EXPECT_EQ(text().selStart(), 1 + c.selStart);
    EXPECT_EQ(text().selLength(), c.selLength);
}

TagCase wrapped(const char *handler, const QString &name)
{
    return {handler, "<" + name + ">abc</" + name + ">", int(name.size()) + 2, 3};
}

INSTANTIATE_TEST_SUITE_P(
    , SimpleTagCommands,
    testing::Values(
        wrapped("mnuHtmlPageHtml_Click", "HTML"), wrapped("mnuHtmlPageHead_Click", "HEAD"),
        wrapped("mnuHtmlPageTitle_Click", "TITLE"),
        TagCase{"mnuHtmlTextParagraph_Click", "<P>\r\n", 5, 0},
        wrapped("mnuHtmlTextParagraph2_Click", "P"), TagCase{"mnuHtmlTextBr_Click", "<BR>", 4, 0},
        TagCase{"mnuHtmlTextWbr_Click", "<WBR>", 5, 0}, wrapped("mnuHtmlTextNobr_Click", "NOBR"),
        wrapped("mnuHtmlPagePre_Click", "PRE"), wrapped("mnuHtmlTextCenter_Click", "CENTER"),
        wrapped("mnuHtmlTextBold_Click", "B"), wrapped("mnuHtmlTextItlic_Click", "I"),
        wrapped("mnuHtmlTextUnderLine_Click", "U"), wrapped("mnuHtmlTextS_Click", "S"),
        wrapped("mnuHtmlTextSub_Click", "SUB"), wrapped("mnuHtmlTextSup_Click", "SUP"),
        wrapped("mnuHtmlTextTT_Click", "TT"), wrapped("mnuHtmlTextBIg_Click", "BIG"),
        wrapped("mnuHtmlTextSmall_Click", "SMALL"), wrapped("mnuHtmlTextBlink_Click", "BLINK"),
        wrapped("mnuHtmlTextAddress_Click", "ADDRESS"),
        wrapped("mnuHtmlTextBlockquote_Click", "BLOCKQUOTE"),
        wrapped("mnuHtmlCompKbd_Click", "KBD"), wrapped("mnuHtmlCompSamp_Click", "SAMP"),
        wrapped("mnuHtmlCompCode_Click", "CODE"), wrapped("mnuHtmlCompVer_Click", "VER"),
        TagCase{"mnuHtmlTextHr_Click", "<HR>\r\n", 6, 0},
        TagCase{"mnuHtmlTextLeft_Click", R"(<DIV ALIGN="Left">abc</DIV>)", 27, 0},
        TagCase{"mnuHtmlTextRight_Click", R"(<DIV ALIGN="Right">abc</DIV>)", 28, 0},
        TagCase{"mnuHtmlTextDivCenter_Click", R"(<DIV ALIGN="Center">abc</DIV>)", 29, 0},
        TagCase{"mnuHtmlPageComment_Click", "<!-- abc -->", 12, 0}),
    [](const testing::TestParamInfo<TagCase> &info) {
        return std::string(info.param.handler)
            .substr(3, std::string(info.param.handler).size() - 9);
    });

struct EmptyCase
{
    const char *handler;
    QString result;
    int caret;
};

class CommandsWithoutSelection : public DocumentFixture,
                                 public testing::WithParamInterface<EmptyCase>
{};

TEST_P(CommandsWithoutSelection, InsertAtTheCaret)
{
    const EmptyCase &c = GetParam();
    text().setText("xy");
    text().setSelStart(1);
    ASSERT_TRUE(doc->run(c.handler));
    EXPECT_EQ(text().text(), "x" + c.result + "y");
    EXPECT_EQ(text().selStart(), 1 + c.caret);
    EXPECT_EQ(text().selLength(), 0);
}

INSTANTIATE_TEST_SUITE_P(, CommandsWithoutSelection,
                         testing::Values(EmptyCase{"mnuHtmlTextBold_Click", "<B></B>", 3},
                                         EmptyCase{"mnuHtmlTextLeft_Click",
                                                   R"(<DIV ALIGN="Left"></DIV>)", 24},
                                         EmptyCase{"mnuHtmlPageComment_Click", "<!--  -->", 9}),
                         [](const testing::TestParamInfo<EmptyCase> &info) {
                             return std::string(info.param.handler)
                                 .substr(3, std::string(info.param.handler).size() - 9);
                         });

using EditCommands = DocumentFixture;

TEST_F(EditCommands, WrapReselectsFarIntoALongDocument)
{
    QString line = QString(48, u'a') + "\r\n";
    QString longText = line.repeated(1000); // 50000 characters
    for (bool selected : {true, false}) {
        text().setText(longText);
        const int start = 40010;
        text().select(start, selected ? 5 : 0);
        const QString old = text().selText();
        ASSERT_TRUE(doc->run("mnuHtmlTextBold_Click"));
        EXPECT_EQ(text().selStart(), start + 3);
        EXPECT_EQ(text().selLength(), selected ? 5 : 0);
        EXPECT_EQ(text().selText(), old);
        EXPECT_EQ(text().text(),
                  longText.left(start) + "<B>" + old + "</B>" + longText.mid(start + old.size()));
    }
}

struct DoctypeCase
{
    const char *name;
    QString before;
    int item;
    QString after;
};

class DoctypeCommand : public DocumentFixture, public testing::WithParamInterface<DoctypeCase>
{};

TEST_P(DoctypeCommand, ReplacesOrInsertsTheDeclaration)
{
    const DoctypeCase &c = GetParam();
    text().setText(c.before);
    text().setSelStart(5);
    doc->run("mnuHtmlPageDoctupeVer_Click", c.item);
    EXPECT_EQ(text().text(), c.after);
}

const QString strict
    = R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 //EN" "http://www.w3.org/TR/REC-html40/strict.dtd">)";
const QString html32 = R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2 Final//EN">)";

INSTANTIATE_TEST_SUITE_P(
    , DoctypeCommand,
    testing::Values(
        DoctypeCase{"lowerCaseReplaced",
                    "<!doctype html public \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n<HTML>", 1,
                    strict + "\r\n<HTML>"},
        DoctypeCase{"noneInsertedAtStart", "<HTML>\r\n</HTML>", 0, html32 + "<HTML>\r\n</HTML>"},
        DoctypeCase{"withoutQuoteKeepsTheRest", "<!DOCTYPE html>\r\n<a href=\"x\">y</a>", 0,
                    html32 + "\r\n<a href=\"x\">y</a>"},
        DoctypeCase{"unterminatedKeepsTheRest", "<!DOCTYPE html\r\nabc", 0,
                    html32 + "<!DOCTYPE html\r\nabc"},
        DoctypeCase{"emptyText", "", 3, doctypeDeclaration(3)}),
    [](const testing::TestParamInfo<DoctypeCase> &info) { return std::string(info.param.name); });

TEST_F(EditCommands, TypedTextsReplaceTheSelection)
{
    text().setText("xay");
    text().select(1, 1);
    doc->run("mnuInsertCharS_Click", 3);
    EXPECT_EQ(text().text(), "x&amp;y");

    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    text().setText(QString());
    doc->run("mnuInsertDW_Click");
    QLocale::setDefault(before);
    const QDate today = QDate::currentDate();
    static const char16_t *const kanji[] = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
    // Around midnight the date may move on between the command and this check.
    const QString expected
        = dateText(today) + "(" + QString::fromUtf16(kanji[today.dayOfWeek() - 1]) + ")";
    if (QDate::currentDate() == today) {
        EXPECT_EQ(text().text(), expected);
    }
}

TEST_F(EditCommands, EditMenuCopyOffersRichTextOnlyAndContextCopyPlainText)
{
    text().setText("a<b>c");
    text().select(1, 3);
    doc->run("mnuEditCopy_Click");
    EXPECT_FALSE(clipboardHasFormat(ClipboardFormat::Text));
    EXPECT_TRUE(clipboardHasFormat(ClipboardFormat::Rtf));

    doc->run("mnuPopCopy_Click");
    EXPECT_EQ(clipboardGetText(ClipboardFormat::Text), "<b>");
    EXPECT_FALSE(clipboardHasFormat(ClipboardFormat::Rtf));
    EXPECT_EQ(text().text(), "a<b>c");

    doc->run("mnuEditCut_Click");
    EXPECT_EQ(text().text(), "ac");
    EXPECT_FALSE(clipboardHasFormat(ClipboardFormat::Text));
    text().select(0, 1);
    doc->run("mnuPopCut_Click");
    EXPECT_EQ(text().text(), "c");
    EXPECT_EQ(clipboardGetText(ClipboardFormat::Text), "a");
}

TEST_F(EditCommands, CutWithNothingSelectedKeepsTheClipboard)
{
    clipboardSetText("keep");
    text().setText("abc");
    doc->run("mnuEditCut_Click");
    doc->run("mnuPopCopy_Click");
    EXPECT_EQ(clipboardGetText(ClipboardFormat::Text), "keep");
    EXPECT_EQ(text().text(), "abc");
}

TEST_F(EditCommands, EditMenuEnablesByTheSelectionAndTheClipboard)
{
    auto enabled = [this](const char *name) { return doc->action(name)->isEnabled(); };
    text().setText("abc");
    doc->run("mnuEdit_Click");
    EXPECT_FALSE(enabled("mnuEditCut") || enabled("mnuEditCopy") || enabled("mnuEditDel"));
    EXPECT_FALSE(enabled("mnuEditPaste"));

    text().select(0, 1);
    doc->run("mnuEditCopy_Click"); // rich text only
    doc->run("mnuEdit_Click");
    EXPECT_TRUE(enabled("mnuEditCut") && enabled("mnuEditCopy") && enabled("mnuEditDel"));
    EXPECT_TRUE(enabled("mnuEditPaste"));
}

TEST(PasteDecision, EveryFormatCodeHasOneAction)
{
    using A = PasteDecision::Action;
    const QString bitmapOnly = "クリップボード上にあるのはビットマップだけです。";
    const QString textAndBitmap = "クリップボード上にあるのはテキストとビットマップです。";
    const QString nothing = "クリップボード上には何もありません。";
    const QList<std::pair<A, QString>> expected
        = {{A::Message, nothing},       {A::InsertText, {}},         {A::Message, bitmapOnly},
           {A::Message, textAndBitmap}, {A::Message, bitmapOnly},    {A::Message, textAndBitmap},
           {A::Message, bitmapOnly},    {A::Message, textAndBitmap}, {A::InsertRtf, {}},
           {A::InsertRtf, {}},          {A::Message, nothing},       {A::Message, nothing},
           {A::Message, nothing},       {A::Message, nothing},       {A::Message, nothing},
           {A::Message, nothing}};
    for (int code = 0; code < 16; ++code) {
        const PasteDecision d = pasteDecision(code);
        EXPECT_EQ(d.action, expected[code].first) << code;
        EXPECT_EQ(d.message, expected[code].second) << code;
    }
    EXPECT_EQ(clipboardFormatCode(true, false, true, true), 13);
}

struct PasteCase
{
    const char *name;
    bool plain, image, rtf;
    QString result;  // text afterwards ("x_y" with the caret at "_")
    QString message; // part of the message shown, empty for none
};

class Paste : public DocumentFixture, public testing::WithParamInterface<PasteCase>
{};

TEST_P(Paste, FollowsTheClipboardFormats)
{
    const PasteCase &c = GetParam();
    auto *data = new QMimeData;
    if (c.plain)
        data->setText("<i>");
    if (c.image)
        data->setImageData(QImage(2, 2, QImage::Format_RGB32));
    if (c.rtf) {
        RichTextBox source;
        source.setText("<u>");
        source.select(0, 3);
        data->setData("text/rtf", source.selRtf().toLatin1());
    }
    QGuiApplication::clipboard()->setMimeData(data);

    ScriptedInteraction ui;
    if (!c.message.isEmpty())
        ui.expectMessage(c.message);
    shared().blnTagColor = true;
    text().setText("xy");
    text().setSelStart(1);
    doc->run("mnuEditPaste_Click");
    EXPECT_EQ(text().text(), QString(c.result).remove(u'_'));
    EXPECT_EQ(text().selStart(), c.result.indexOf(u'_'));
    if (c.plain && !c.image && !c.rtf) { // pasted plain text is coloured like an insertion
        EXPECT_EQ(looks(text(), 1, 3), "RBR");
    }
}

INSTANTIATE_TEST_SUITE_P(
    , Paste,
    testing::Values(
        PasteCase{"nothing", false, false, false, "x_y", "クリップボード上には何もありません。"},
        PasteCase{"plainText", true, false, false, "x<i>_y", {}},
        PasteCase{"image", false, true, false, "x_y",
                  "クリップボード上にあるのはビットマップだけです。"},
        PasteCase{"textAndImage", true, true, false, "x_y",
                  "クリップボード上にあるのはテキストとビットマップです。"},
        PasteCase{"richText", false, false, true, "x<u>_y", {}},
        PasteCase{"richAndPlainText", true, false, true, "x<u>_y", {}},
        PasteCase{"richTextAndImage", false, true, true, "x_y",
                  "クリップボード上には何もありません。"},
        PasteCase{"everything", true, true, true, "x_y", "クリップボード上には何もありません。"}),
    [](const testing::TestParamInfo<PasteCase> &info) { return std::string(info.param.name); });

TEST_F(EditCommands, PasteAfterCtrlVInsertsNothingAndClearsTheFlags)
{
    clipboardSetText("z");
    text().setText("xy");
    doc->blnCtrlKey = true;
    doc->blnPasteKey = true;
    doc->run("mnuEditPaste_Click");
    EXPECT_EQ(text().text(), "xy");
    EXPECT_FALSE(doc->blnCtrlKey || doc->blnPasteKey);
}

} // namespace

namespace {

TEST_F(EditCommands, CtrlAndAltEnterInsertLineBreakAndParagraphTags)
{
    text().setText("ab");
    text().setSelStart(1);
    QTest::keyClick(&text(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(text().text(), "a<BR>b");
    QTest::keyClick(&text(), Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(text().text(), "a<BR><P>\r\nb");
    EXPECT_EQ(text().selStart(), 10);
}

} // namespace

namespace {

using EditShortcuts = SpineTest;

TEST_F(EditShortcuts, TagShortcutsWorkWhileTheTextHasTheFocus)
{
    auto *doc = new frmDocument;
    frame->findChild<QMdiArea *>()->addSubWindow(doc);
    doc->showDocument();
    QApplication::setActiveWindow(frame.get());
    doc->txtText->setFocus();
    const QList<std::pair<Qt::Key, QString>> cases
        = {{Qt::Key_L, R"(a<DIV ALIGN="Left">bc</DIV>d)"},
           {Qt::Key_R, R"(a<DIV ALIGN="Right">bc</DIV>d)"},
           {Qt::Key_E, "a<CENTER>bc</CENTER>d"},
           {Qt::Key_B, "a<B>bc</B>d"},
           {Qt::Key_I, "a<I>bc</I>d"},
           {Qt::Key_K, "a<HR>\r\nd"}};
    for (const auto &[key, expected] : cases) {
        doc->txtText->setText("abcd");
        doc->txtText->select(1, 2);
        QTest::keyClick(doc->txtText, key, Qt::ControlModifier);
        EXPECT_EQ(doc->txtText->text(), expected) << key;
    }
}

TEST_F(EditShortcuts, TheEditMenuUndoesAndRedoesAndCtrlYRedoesOnEveryDesktop)
{
    auto *doc = new frmDocument;
    frame->findChild<QMdiArea *>()->addSubWindow(doc);
    doc->showDocument();
    QApplication::setActiveWindow(frame.get());
    QAction *undo = doc->action(QStringLiteral("mnuEditUndo"));
    QAction *redo = doc->action(QStringLiteral("mnuEditRedo"));
    ASSERT_TRUE(undo && redo);
    EXPECT_EQ(undo->text(), QStringLiteral("元に戻す(&U)"));
    EXPECT_EQ(redo->text(), QStringLiteral("やり直し(&R)"));
    EXPECT_EQ(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(redo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Y")));

    RichTextBox &box = *doc->txtText;
    box.setText(QStringLiteral("one\r\ntwo three"));
    box.document()->clearUndoRedoStacks();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    box.setFocus();
    box.setSelStart(8);
    QTest::keyClick(&box, Qt::Key_X);
    const QString typed = QStringLiteral("one\r\ntwox three");
    ASSERT_EQ(box.text(), typed);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    // From the menu: back and again, the caret at the change each time.
    box.setSelStart(0);
    undo->trigger();
    EXPECT_EQ(box.text(), QStringLiteral("one\r\ntwo three"));
    EXPECT_EQ(box.selStart(), 8);
    EXPECT_TRUE(redo->isEnabled());
    box.setSelStart(0);
    redo->trigger();
    EXPECT_EQ(box.text(), typed);
    EXPECT_EQ(box.selStart(), 9);
    EXPECT_FALSE(redo->isEnabled());

    // The keys, with the keyboard in the text and elsewhere in the frame (the explorer tree):
    // Ctrl+Y redoes whatever the desktop's own redo key is.
    QWidget *tree = frame->picTree->trvTV;
    for (QWidget *focus : {static_cast<QWidget *>(&box), tree}) {
        SCOPED_TRACE(focus->metaObject()->className());
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(box.text(), QStringLiteral("one\r\ntwo three"));
        QTest::keyClick(focus, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(box.text(), typed);
    }
}

} // namespace

// The paste keys and a drop of mime data without any format never reach the text control's own
// reading (which ends the program on such data): the paste command says what is there.
TEST_F(DocumentFixture, PasteKeysWithAnEmptyClipboardSayItAndChangeNothing)
{
    const QList<QKeyCombination> keys = {Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert};
    for (const QKeyCombination key : keys) {
        QGuiApplication::clipboard()->setMimeData(new QMimeData);
        ScriptedInteraction ui;
        ui.expectMessage(QStringLiteral("クリップボード上には何もありません。"));
        text().setText("xy");
        text().setSelStart(1);
        QTest::keyClick(&text(), key.key(), key.keyboardModifiers());
        EXPECT_EQ(text().text(), QStringLiteral("xy"));
        EXPECT_EQ(text().selStart(), 1);
    }
}
