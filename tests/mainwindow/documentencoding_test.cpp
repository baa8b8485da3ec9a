#include "core/encodings.h"
#include "support/spinefixture.h"

#include <QStatusBar>

namespace {

using DocumentEncodingTest = SpineTest;

// The status bar's panel of the active document's encoding.
constexpr int EncodingPanel = 7;

std::string hex(const QByteArray &bytes)
{
    return bytes.toHex(' ').toStdString();
}

// A page in `encoding` with the characters it holds: kanji, kana, half-width katakana, the
// NEC and IBM extensions and, in Unicode, an emoji.
QString pageFor(TextEncoding encoding, const QString &lineBreak)
{
    QString chars = QStringLiteral("漢字ひらがなカタカナﾊﾝｶｸ①㈱");
    if (encoding != TextEncoding::Iso2022Jp)
        chars += QStringLiteral("髙");
    if (encoding != TextEncoding::ShiftJis && encoding != TextEncoding::EucJp
        && encoding != TextEncoding::Iso2022Jp)
        chars += QStringLiteral("😀");
    const QString meta
        = QStringLiteral("<meta charset=\"%1\">").arg(encodingName(encoding).section(u' ', 0, 0));
    return QStringList{QStringLiteral("<html><head>") + meta + QStringLiteral("</head>"),
                       QStringLiteral("<p>") + chars + QStringLiteral("</p>"),
                       QStringLiteral("</html>"),
                       {}}
        .join(lineBreak);
}

} // namespace

// Opened, edited, the edit undone and saved, a file comes back byte for byte, its own line
// breaks included.
TEST_F(DocumentEncodingTest, EveryEncodingSurvivesOpenEditUndoSave)
{
    int number = 0;
    for (TextEncoding encoding : textEncodings) {
        for (const QString &lineBreak : {QStringLiteral("\r\n"), QStringLiteral("\n")}) {
            SCOPED_TRACE(encodingName(encoding).toStdString()
                         + (lineBreak.size() == 2 ? " CR LF" : " LF"));
            const QByteArray stored = encodeText(pageFor(encoding, lineBreak), encoding);
            const QByteArray expected = stored;
            const QString file = path(QStringLiteral("page%1.htm").arg(++number));
            writeBytes(file, stored);
            frmDocument *doc = open(file);
            ASSERT_TRUE(doc);
            EXPECT_EQ(encodingName(doc->encoding), encodingName(encoding));
            EXPECT_EQ(frame->panelText(EncodingPanel), encodingName(encoding));
            const QString before = doc->txtText->text();
            doc->txtText->setSelStart(20);
            doc->txtText->setSelText(QStringLiteral("編集😀"));
            doc->txtText->undo();
            EXPECT_EQ(doc->txtText->text(), before);
            ASSERT_TRUE(doc->run(QStringLiteral("mnuFileSave_Click")));
            EXPECT_EQ(hex(readBytes(file)), hex(expected));
            doc->close();
        }
    }
}

// Bytes that do not read in the chosen encoding are kept through the edit and the save.
TEST_F(DocumentEncodingTest, InvalidBytesSurviveTheSave)
{
    const struct
    {
        const char *name;
        TextEncoding encoding;
        QByteArray bytes;
    } cases[] = {
        {"Shift-JIS", TextEncoding::ShiftJis, "\x93\xfa\x80\xA0\xFD\x82\r\n\x82"},
        {"EUC-JP", TextEncoding::EucJp,
         "\xB4\xC1\xB4"
         "b\xFF\x8E\r\n\x8F\xF4"},
        {"ISO-2022-JP", TextEncoding::Iso2022Jp, "\x1B$B4A\x1Bz\xA4\r\n\x1B(B\x1B"},
        {"UTF-8", TextEncoding::Utf8, "\xE6\xBC\xA2\xC0\xAF\xED\xA0\x80\r\n\xE3\x81"},
        {"UTF-8 BOM", TextEncoding::Utf8Bom, "\xEF\xBB\xBF\xFF\xE3\x81\x82\r\n"},
        {"UTF-16LE odd length", TextEncoding::Utf16LeBom,
         QByteArray("\xFF\xFE\x00\xD8\x41\x00\r\0\n\0\x41", 11)},
        {"UTF-16BE lone surrogate", TextEncoding::Utf16BeBom,
         QByteArray("\xFE\xFF\xDC\x00\0\r\0\n\xD8\x3D", 10)},
    };
    int number = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QStringLiteral("broken%1.htm").arg(++number));
        writeBytes(file, c.bytes);
        frmDocument *doc = open(file);
        ASSERT_TRUE(doc);
        ScriptedInteraction ui;
        ui.expectChoice(encodingName(c.encoding));
        doc->run(QStringLiteral("mnuFileReopenEncoding_Click"));
        EXPECT_EQ(encodingName(doc->encoding), encodingName(c.encoding));
        doc->txtText->setSelStart(0);
        doc->txtText->setSelText(QStringLiteral("x"));
        doc->txtText->undo();
        ASSERT_TRUE(doc->run(QStringLiteral("mnuFileSave_Click")));
        // A file ending without a break, in two-byte mode or mid-character, ends so again.
        EXPECT_EQ(hex(readBytes(file)), hex(c.bytes));
        doc->close();
    }
}

TEST_F(DocumentEncodingTest, OpeningDecidesTheEncoding)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        TextEncoding expected;
    } cases[] = {
        {"pure ASCII stays Shift-JIS", "<html><body>hello</body></html>\r\n",
         TextEncoding::ShiftJis},
        {"empty file", "", TextEncoding::ShiftJis},
        {"very short UTF-8", "\xE3\x81\x82", TextEncoding::Utf8},
        {"very short Shift-JIS", "\x82\xA0", TextEncoding::ShiftJis},
        {"UTF-8 BOM", "\xEF\xBB\xBF<p>a</p>", TextEncoding::Utf8Bom},
        {"UTF-16BE BOM", QByteArray("\xFE\xFF\0<\0p\0>", 8), TextEncoding::Utf16BeBom},
        {"meta EUC-JP", "<meta charset=\"EUC-JP\"><p>\xB4\xC1\xBB\xFA</p>", TextEncoding::EucJp},
        {"meta claiming UTF-8 over Shift-JIS bytes",
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\x8A\xBF\x8E\x9A\x82\xC6\x82\xA9\x82\xC8",
         TextEncoding::ShiftJis},
        {"valid UTF-8 without meta",
         "<p>\xE6\xBC\xA2\xE5\xAD\x97\xE3\x81\xA8\xE3\x81\x8B\xE3\x81\xAA</p>", TextEncoding::Utf8},
        {"ISO-2022-JP escapes", "<p>\x1B$B4A;z$H$+$J\x1B(B</p>", TextEncoding::Iso2022Jp},
    };
    int number = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QStringLiteral("detect%1.htm").arg(++number));
        writeBytes(file, c.bytes);
        frmDocument *doc = open(file);
        ASSERT_TRUE(doc);
        EXPECT_EQ(encodingName(doc->encoding), encodingName(c.expected));
        EXPECT_EQ(frame->panelText(EncodingPanel), encodingName(c.expected));
        doc->close();
    }
}

TEST_F(DocumentEncodingTest, NewDocumentsAreShiftJis)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->encoding, TextEncoding::ShiftJis);
    EXPECT_EQ(frame->panelText(EncodingPanel), QStringLiteral("Shift_JIS"));
}

TEST_F(DocumentEncodingTest, ReopenReadsTheFileAgainInTheChosenEncoding)
{
    // 漢字 in EUC-JP without a meta line, read at first as something else.
    const QString file = path(QStringLiteral("euc.htm"));
    writeBytes(file, "\xB4\xC1\xBB\xFA");
    frmDocument *doc = open(file);
    ASSERT_TRUE(doc);
    ScriptedInteraction ui;

    ui.expectChoice(std::nullopt);
    doc->run(QStringLiteral("mnuFileReopenEncoding_Click"));
    const TextEncoding first = doc->encoding;

    // Unsaved changes are only dropped when the user agrees.
    doc->txtText->setText(QStringLiteral("edited"));
    ui.expectChoice(QStringLiteral("EUC-JP"))
        .expectMessage(QStringLiteral("変更は失われます"), Interaction::Answer::No);
    doc->run(QStringLiteral("mnuFileReopenEncoding_Click"));
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("edited"));
    EXPECT_EQ(doc->encoding, first);

    ui.expectChoice(QStringLiteral("EUC-JP"))
        .expectMessage(QStringLiteral("変更は失われます"), Interaction::Answer::Yes);
    doc->run(QStringLiteral("mnuFileReopenEncoding_Click"));
    EXPECT_EQ(doc->txtText->text(), QStringLiteral("漢字"));
    EXPECT_EQ(doc->encoding, TextEncoding::EucJp);
    EXPECT_FALSE(doc->blnFlgDirty);
    EXPECT_EQ(frame->panelText(EncodingPanel), QStringLiteral("EUC-JP"));
    // The prompt offered every encoding with the document's own chosen at first.
    EXPECT_EQ(ui.log()[ui.log().size() - 2].arguments.size(), qsizetype(std::size(textEncodings)));

    ui.expectChoice(QStringLiteral("UTF-8"));
    doc->run(QStringLiteral("mnuFileReopenEncoding_Click"));
    EXPECT_EQ(ui.lastPrompt().current, 1);
    EXPECT_EQ(doc->encoding, TextEncoding::Utf8);

    // A page that was never saved has no file to read.
    frmDocument *fresh = newDocument(ui);
    ASSERT_TRUE(fresh);
    ui.expectMessage(QStringLiteral("開き直せません"));
    fresh->run(QStringLiteral("mnuFileReopenEncoding_Click"));
}

TEST_F(DocumentEncodingTest, SaveInAnEncodingWarnsAboutCharactersItCannotHold)
{
    const QString file = path(QStringLiteral("save.htm"));
    writeBytes(file, "a\r\n");
    frmDocument *doc = open(file);
    ASSERT_TRUE(doc);
    doc->txtText->setText(QStringLiteral("漢😀\r\nｱ\r\n😀𠀋"));
    ScriptedInteraction ui;

    // Cancelled at the warning: nothing written, the encoding unchanged.
    ui.expectChoice(QStringLiteral("EUC-JP"))
        .expectMessage(QStringLiteral("😀 (1, 3 行目)  𠀋 (3 行目)"), Interaction::Answer::Cancel);
    doc->run(QStringLiteral("mnuFileSaveEncoding_Click"));
    EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Warning);
    EXPECT_EQ(ui.lastPrompt().message.buttons, Interaction::Buttons::OkCancel);
    EXPECT_EQ(readBytes(file), "a\r\n");
    EXPECT_EQ(doc->encoding, TextEncoding::ShiftJis);
    EXPECT_TRUE(doc->blnFlgDirty);

    // The file's last line had no break (its break ended the line before): the text's last
    // line, which took its place, has none either.
    ui.expectChoice(QStringLiteral("EUC-JP"))
        .expectMessage(QStringLiteral("数値文字参照"), Interaction::Answer::Ok);
    doc->run(QStringLiteral("mnuFileSaveEncoding_Click"));
    EXPECT_EQ(hex(readBytes(file)), hex("\xB4\xC1&#x1F600;\r\n\x8E\xB1\r\n&#x1F600;&#x2000B;"));
    EXPECT_EQ(doc->encoding, TextEncoding::EucJp);
    EXPECT_FALSE(doc->blnFlgDirty);
    EXPECT_EQ(frame->panelText(EncodingPanel), QStringLiteral("EUC-JP"));
    EXPECT_TRUE(frame->sbStatusBar->currentMessage().contains(QStringLiteral("😀 (1, 3 行目)")))
        << frame->sbStatusBar->currentMessage().toStdString();

    // UTF-8 holds every character: no warning, and the plain save keeps UTF-8.
    ui.expectChoice(QStringLiteral("UTF-8"));
    doc->run(QStringLiteral("mnuFileSaveEncoding_Click"));
    const QByteArray utf8 = QStringLiteral("漢😀\r\nｱ\r\n😀𠀋").toUtf8();
    EXPECT_EQ(hex(readBytes(file)), hex(utf8));
    doc->run(QStringLiteral("mnuFileSave_Click"));
    EXPECT_EQ(hex(readBytes(file)), hex(utf8));
}

TEST_F(DocumentEncodingTest, SaveInAnEncodingOfANewPageAsksForTheName)
{
    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    doc->txtText->setText(QStringLiteral("あ"));
    ui.expectChoice(QStringLiteral("UTF-16LE (BOM)")).expectSaveFile(QString());
    doc->run(QStringLiteral("mnuFileSaveEncoding_Click"));
    EXPECT_EQ(doc->encoding, TextEncoding::ShiftJis); // cancelled: nothing changes

    const QString file = path(QStringLiteral("new.htm"));
    ui.expectChoice(QStringLiteral("UTF-16LE (BOM)")).expectSaveFile(file);
    doc->run(QStringLiteral("mnuFileSaveEncoding_Click"));
    EXPECT_EQ(hex(readBytes(file)), hex(QByteArray("\xFF\xFE\x42\x30\r\0\n\0", 8)));
    EXPECT_EQ(doc->encoding, TextEncoding::Utf16LeBom);
}
