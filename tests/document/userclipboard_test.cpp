#include "support/documentfixture.h"
#include "support/qstringprinter.h"
#include "support/scriptedinteraction.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QTest>

// The clipboard belongs to the user: inserting tags, by menu, shortcut, tool, dialog or
// re-edit, leaves whatever the user (or another program) put there exactly as it was.

namespace {

// What the clipboard holds, format by format.
struct Held
{
    const QMimeData *object = nullptr;
    QStringList formats;
    QList<QByteArray> bytes;
    QImage image;

    bool operator==(const Held &) const = default;
};

Held held()
{
    Held now;
    now.object = QGuiApplication::clipboard()->mimeData();
    if (!now.object)
        return now;
    now.formats = now.object->formats();
    for (const QString &format : std::as_const(now.formats))
        now.bytes << now.object->data(format);
    if (now.object->hasImage())
        now.image = qvariant_cast<QImage>(now.object->imageData());
    return now;
}

// Text in two scripts with a line break, an image, and a format of another program.
void putTheUsersClipboard()
{
    auto *data = new QMimeData;
    data->setText(QStringLiteral("ユーザーが写した文\r\ncopied <b>"));
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(QColor(12, 200, 34));
    data->setImageData(image);
    data->setData(QStringLiteral("application/x-other-program"),
                  QByteArray("\0\xff\x1a{\\rtf1}", 10));
    QGuiApplication::clipboard()->setMimeData(data);
}

struct InsertCase
{
    const char *name;
    QString content;
    int start, length;                      // the selection the command works on
    const char *handler;                    // a command run by name, or
    std::function<void(frmDocument &)> act; // anything else a user does
    const char *dialog;                     // a dialog the command shows, or nullptr
    ScriptedInteraction::DialogScript script;
    QString inserted; // a part of the text that the insertion puts in
};

const auto ok = [](const char *button) {
    return [button](QDialog &d) { clickControl(d, QString::fromLatin1(button)); };
};

const QList<InsertCase> insertions = {
    {"wrapInBold", "abc", 1, 1, "mnuHtmlTextBold_Click", {}, nullptr, {}, "<B>b</B>"},
    {"lineBreakTag", "abc", 1, 0, "mnuHtmlTextBr_Click", {}, nullptr, {}, "a<BR>b"},
    {"paragraphWithLineBreak",
     "abc",
     1,
     1,
     "mnuHtmlTextParagraph_Click",
     {},
     nullptr,
     {},
     "<P>\r\n"},
    {"lineBreakByCtrlEnter",
     "abc",
     1,
     0,
     nullptr,
     [](frmDocument &doc) { QTest::keyClick(doc.txtText, Qt::Key_Return, Qt::ControlModifier); },
     nullptr,
     {},
     "<BR>"},
    {"alignedBlock",
     "abc",
     0,
     3,
     "mnuHtmlTextLeft_Click",
     {},
     nullptr,
     {},
     R"(<DIV ALIGN="Left">abc</DIV>)"},
    {"comment", "abc", 0, 3, "mnuHtmlPageComment_Click", {}, nullptr, {}, "<!-- abc -->"},
    {"documentType",
     "<HTML>",
     0,
     0,
     nullptr,
     [](frmDocument &doc) { doc.run("mnuHtmlPageDoctupeVer_Click", 0); },
     nullptr,
     {},
     "<!DOCTYPE"},
    {"lineBreakTagsAtLineEnds",
     "a\r\nb\r\n",
     0,
     4,
     "mnuToopBr_Click",
     {},
     nullptr,
     {},
     "a<BR>\r\nb<BR>"},
    {"paragraphTool", "a\r\nb", 0, 4, "mnuToolP_Click", {}, nullptr, {}, "<P>a</P>"},
    {"tableFromCsv", "a,b\r\nc,d", 0, 8, "mnuHtmlTableCsv_Click", {}, nullptr, {}, "<TD>d</TD>"},
    {"cellDialog", "abc", 1, 1, "mnuHtmlTableTd_Click", {}, "frmTdSet", ok("cmdOK"), "<TD>b</TD>"},
    {"authorDialog",
     "abc",
     0,
     0,
     "mnuHtmlMateNameAuthor_Click",
     {},
     "dlgAuthor",
     [](QDialog &d) {
         setControlText(d, QStringLiteral("txtAuthor"), QStringLiteral("山田"));
         clickControl(d, QStringLiteral("OKButton"));
     },
     "山田"},
    {"tableDialog",
     "abc",
     3,
     0,
     "mnuHtmlTableTable_Click",
     {},
     "frmTableSet",
     ok("cmdOK"),
     "<TABLE>"},
    {"reEditByDoubleClick", "<TD>x</TD>", 0, 0, nullptr,
     [](frmDocument &doc) {
         RichTextBox &box = *doc.txtText;
         const QPoint at = box.cursorRect(box.cursorFor(2, 0)).center();
         QTest::mouseDClick(box.viewport(), Qt::LeftButton, Qt::NoModifier, at);
     },
     "frmTdSet",
     [](QDialog &d) {
         setControlText(d, QStringLiteral("txtWidth"), QStringLiteral("40"));
         clickControl(d, QStringLiteral("cmdOK"));
     },
     "40"},
};

class UsersClipboard : public DocumentFixture, public testing::WithParamInterface<InsertCase>
{};

TEST_P(UsersClipboard, StaysAsItWasWhenTagsAreInserted)
{
    const InsertCase &c = GetParam();
    doc->resize(400, 200);
    doc->show();
    for (const bool colouring : {true, false}) {
        SCOPED_TRACE(colouring ? "colouring on" : "colouring off");
        shared().blnTagColor = colouring;
        text().setText(c.content);
        text().select(c.start, c.length);
        putTheUsersClipboard();
        const Held before = held();
        ASSERT_TRUE(before.formats.contains(QStringLiteral("application/x-other-program")));
        ASSERT_FALSE(before.image.isNull());
        {
            ScriptedInteraction ui;
            if (c.dialog)
                ui.expectDialog(QString::fromLatin1(c.dialog), c.script);
            if (c.handler)
                ASSERT_TRUE(doc->run(QString::fromLatin1(c.handler)));
            else
                c.act(*doc);
        }
        EXPECT_TRUE(text().text().contains(c.inserted)) << text().text().toStdString();
        EXPECT_TRUE(held() == before) << "the clipboard changed";
    }
}

INSTANTIATE_TEST_SUITE_P(, UsersClipboard, testing::ValuesIn(insertions),
                         [](const testing::TestParamInfo<InsertCase> &info) {
                             return std::string(info.param.name);
                         });

// Pasting reads the clipboard and leaves it as it was, whatever it pasted.
TEST_F(UsersClipboard, PastingPlainTextLeavesItAsPlainText)
{
    for (const bool colouring : {true, false}) {
        shared().blnTagColor = colouring;
        text().setText(QStringLiteral("xy"));
        text().setSelStart(1);
        QGuiApplication::clipboard()->setText(QStringLiteral("<B>太字</B>"));
        const Held before = held();
        doc->run(QStringLiteral("mnuEditPaste_Click"));
        EXPECT_EQ(text().text(), QStringLiteral("x<B>太字</B>y"));
        EXPECT_EQ(looks(text(), 1, 3), colouring ? "RBR" : "KKK");
        EXPECT_TRUE(held() == before);
        EXPECT_FALSE(clipboardHasFormat(ClipboardFormat::Rtf));
    }
}

} // namespace
