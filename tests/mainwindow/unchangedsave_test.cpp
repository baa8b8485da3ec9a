// Files opened in a document window and saved again through the File commands come back byte
// for byte, whatever their encoding, line breaks and stray bytes.

#include "core/codec.h"
#include "core/encodings.h"
#include "support/spinefixture.h"
#include "support/u8.h"

#include <QDirIterator>

#include <optional>
#include <random>

namespace {

std::string hex(const QByteArray &bytes)
{
    return bytes.toHex(' ').toStdString();
}

QByteArray withBreaks(QByteArray bytes, const QByteArray &lineBreak)
{
    bytes.replace("\r\n", "\n");
    return bytes.replace("\n", lineBreak);
}

// Every file the tests carry: real Japanese texts in four encodings.
QStringList corpusFiles()
{
    QStringList files;
    QDirIterator it(QStringLiteral(ORVINE_TEST_DATA), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

QByteArray readCorpusFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Characters that the edit control itself turns into line breaks; the codecs keep them as
// bytes rather than show them.
bool hasControlBreaks(const QString &text)
{
    return text.contains(QChar::ParagraphSeparator) || text.contains(QChar(0xFDD0))
           || text.contains(QChar(0xFDD1));
}

class UnchangedSaveTest : public SpineTest
{
protected:
    // Writes `bytes` to a file, opens it (in `encoding` when given, else as detected), saves it
    // unchanged twice, and checks the file each time. Gives the window, still open.
    frmDocument *openAndSave(const QByteArray &bytes,
                             std::optional<TextEncoding> encoding = std::nullopt)
    {
        const QString file = path(QStringLiteral("page%1.htm").arg(++m_files));
        writeBytes(file, bytes);
        frmDocument *doc = open(file);
        if (!doc) {
            ADD_FAILURE() << "not opened";
            return nullptr;
        }
        if (encoding && *encoding != doc->encoding) {
            ScriptedInteraction ui;
            ui.expectChoice(encodingName(*encoding));
            doc->run(QStringLiteral("mnuFileReopenEncoding_Click"));
        }
        for (int save = 1; save <= 2; ++save) {
            SCOPED_TRACE(save);
            EXPECT_TRUE(doc->run(QStringLiteral("mnuFileSave_Click")));
            EXPECT_FALSE(doc->blnFlgDirty);
            EXPECT_EQ(hex(readBytes(file)), hex(bytes))
                << encodingName(doc->encoding).toStdString();
        }
        return doc;
    }

    void openSaveAndClose(const QByteArray &bytes,
                          std::optional<TextEncoding> encoding = std::nullopt)
    {
        if (frmDocument *doc = openAndSave(bytes, encoding))
            closeNow(doc);
    }

    static void closeNow(frmDocument *doc)
    {
        doc->blnFlgDirty = false;
        doc->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    int m_files = 0;
};

} // namespace

TEST_F(UnchangedSaveTest, EveryCorpusFileInEveryLineBreakStyle)
{
    const QStringList files = corpusFiles();
    ASSERT_GE(files.size(), 4);
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        const QByteArray bytes = readCorpusFile(file);
        ASSERT_FALSE(bytes.isEmpty());
        const struct
        {
            const char *name;
            QByteArray bytes;
        } variants[] = {
            {"as it is", bytes},
            {"LF", withBreaks(bytes, "\n")},
            {"CR LF", withBreaks(bytes, "\r\n")},
            {"lone CR", withBreaks(bytes, "\r")},
            {"no final break", withBreaks(bytes, "\n").chopped(bytes.endsWith('\n') ? 1 : 0)},
            {"mixed, two final breaks",
             withBreaks(bytes, "\n").replace("\n\n", "\r\n\n") + "\r\n\n"},
        };
        for (const auto &v : variants) {
            SCOPED_TRACE(v.name);
            openSaveAndClose(v.bytes);
        }
    }
}

// All 9,604 two-byte codes of code page 932, the 398 duplicates (NEC-selected IBM extensions
// and the rest) among them: saved unchanged they stay as read, and an edit on one line leaves
// the codes on every other line alone.
TEST_F(UnchangedSaveTest, EveryShiftJisTwoByteCode)
{
    QByteArray bytes = "<html><body>\r\n";
    int codes = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QByteArray code = QByteArray(1, char(lead)) + char(trail);
            const QString text = decodeCp932(code);
            if (text.size() != 1
                || (text.at(0).unicode() >= 0xDC80 && text.at(0).unicode() <= 0xDCFF))
                continue;
            bytes += code;
            if (++codes % 32 == 0)
                bytes += "<br>\r\n";
        }
    }
    bytes += "</body></html>\r\n";
    ASSERT_EQ(codes, 9604);
    frmDocument *doc = openAndSave(bytes, TextEncoding::ShiftJis);
    ASSERT_TRUE(doc);
    doc->txtText->setSelStart(0);
    doc->txtText->setSelText(QStringLiteral("<!-- edited -->"));
    ASSERT_TRUE(doc->run(QStringLiteral("mnuFileSave_Click")));
    EXPECT_EQ(hex(readBytes(doc->strFileName)), hex("<!-- edited -->" + bytes));
    closeNow(doc);
}

// Random bytes, opened as detected and then read again in each encoding, are saved back as
// they were.
TEST_F(UnchangedSaveTest, RandomBytesInEveryEncoding)
{
    std::mt19937 random(4);
    std::uniform_int_distribution<int> length(0, 90);
    std::uniform_int_distribution<int> byte(0, 0xFF);
    const QByteArray pieces[] = {"\r\n",     "\n",       "\r",       "\x1B$B",      "\x1B(B",
                                 "\xA4\xA2", "\x82\xA0", "\xED\x40", "\xE3\x81\x82"};
    for (int round = 0; round < 25; ++round) {
        QByteArray bytes;
        for (int n = length(random); n > 0; --n)
            bytes += byte(random) < 64 ? pieces[byte(random) % std::size(pieces)]
                                       : QByteArray(1, char(byte(random)));
        SCOPED_TRACE(hex(bytes));
        const QString file = path(QStringLiteral("random%1.htm").arg(round));
        writeBytes(file, bytes);
        frmDocument *doc = open(file);
        ASSERT_TRUE(doc);
        for (TextEncoding encoding : textEncodings) {
            SCOPED_TRACE(encodingName(encoding).toStdString());
            if (hasControlBreaks(decodeText(bytes, encoding)))
                continue;
            ScriptedInteraction ui;
            ui.expectChoice(encodingName(encoding));
            doc->run(QStringLiteral("mnuFileReopenEncoding_Click"));
            ASSERT_EQ(doc->encoding, encoding);
            ASSERT_TRUE(doc->run(QStringLiteral("mnuFileSave_Click")));
            ASSERT_EQ(hex(readBytes(file)), hex(bytes));
        }
        closeNow(doc);
    }
}

// A EUC-JP page with stray bytes at line ends opens as EUC-JP, and comes back as it was, also
// after an edit elsewhere.
TEST_F(UnchangedSaveTest, EucJpWithStrayBytes)
{
    const QByteArray euc
        = readCorpusFile(QStringLiteral(ORVINE_TEST_DATA "/ja-encodings/euc-jp.txt"));
    ASSERT_FALSE(euc.isEmpty());
    // "ごろか" (A4B4 A4ED A4AB) is what a Shift-JIS reading rewrites.
    const QByteArray page
        = "<html><body>\n<p>\xA4\xB4\xA4\xED\xA4\xAB</p>\n" + euc + "</body></html>\n";
    const struct
    {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"8E at a line end", QByteArray(page).replace("</p>\n", "</p>\x8E\n")},
        {"FF A1 at a line end", QByteArray(page).replace("</p>\n", "</p>\xFF\xA1\n")},
        {"both, CR LF breaks", withBreaks(page, "\r\n")
                                   .replace("<body>\r\n", "<body>\x8E\r\n")
                                   .replace("</p>\r\n", "</p>\xFF\xA1\r\n")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        frmDocument *doc = openAndSave(c.bytes);
        ASSERT_TRUE(doc);
        EXPECT_EQ(encodingName(doc->encoding), encodingName(TextEncoding::EucJp));
        EXPECT_TRUE(doc->txtText->text().contains(u8("ごろか")));
        doc->txtText->setSelStart(0);
        doc->txtText->setSelText(QStringLiteral("<!-- x -->"));
        ASSERT_TRUE(doc->run(QStringLiteral("mnuFileSave_Click")));
        EXPECT_EQ(hex(readBytes(doc->strFileName)), hex("<!-- x -->" + c.bytes));
        closeNow(doc);
    }
}

// Japanese that starts after more than 64 KiB of ASCII script is judged where it starts.
TEST_F(UnchangedSaveTest, JapaneseAfterALongScript)
{
    QByteArray script = "<html><head><script>\n";
    while (script.size() < 70 * 1024)
        script += "  var counter = counter + 1; // no Japanese here at all\n";
    script += "</script></head><body>\n";
    const struct
    {
        const char *file;
        TextEncoding encoding;
    } cases[] = {
        {"euc-jp.txt", TextEncoding::EucJp},
        {"shift_jis.txt", TextEncoding::ShiftJis},
        {"utf-8.txt", TextEncoding::Utf8},
        {"iso-2022-jp.txt", TextEncoding::Iso2022Jp},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const QByteArray sample = readCorpusFile(QStringLiteral(ORVINE_TEST_DATA "/ja-encodings/")
                                                 + QLatin1String(c.file));
        const QByteArray bytes = script + sample + "</body></html>\n";
        frmDocument *doc = openAndSave(bytes);
        ASSERT_TRUE(doc);
        EXPECT_EQ(encodingName(doc->encoding), encodingName(c.encoding));
        EXPECT_TRUE(doc->txtText->text().contains(decodeText(sample, c.encoding).left(10)));
        closeNow(doc);
    }
}

// UTF-16 without a byte-order mark opens as UTF-16 and is saved without one.
TEST_F(UnchangedSaveTest, Utf16WithoutAMark)
{
    const QString page = u8("<html><body>\r\n<p>日本語のページ</p>\r\n</body></html>\r\n");
    const struct
    {
        const char *name;
        TextEncoding encoding;
    } cases[] = {
        {"little-endian", TextEncoding::Utf16LeBom},
        {"big-endian", TextEncoding::Utf16BeBom},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = encodeText(page, c.encoding).sliced(2);
        frmDocument *doc = openAndSave(bytes);
        ASSERT_TRUE(doc);
        EXPECT_EQ(encodingName(doc->encoding), encodingName(c.encoding));
        EXPECT_EQ(doc->txtText->text(), page);
        doc->txtText->setSelStart(0);
        doc->txtText->setSelText(QStringLiteral("x"));
        ASSERT_TRUE(doc->run(QStringLiteral("mnuFileSave_Click")));
        EXPECT_EQ(hex(readBytes(doc->strFileName)),
                  hex(encodeText(QStringLiteral("x") + page, c.encoding).sliced(2)));
        closeNow(doc);
    }
}

// Lines typed into a file follow its own line breaks; a new page gets CR LF, and saving it again
// does not make it grow.
TEST_F(UnchangedSaveTest, TypedLinesFollowTheFile)
{
    const struct
    {
        const char *name;
        QByteArray before;
        int at;
        QString typed;
        QByteArray after;
    } cases[] = {
        {"LF file", "<p>a</p>\n<p>b</p>\n", 0, QStringLiteral("<p>x</p>\r\n"),
         "<p>x</p>\n<p>a</p>\n<p>b</p>\n"},
        {"CR file", "a\rb\r", 1, QStringLiteral("\r\nx"), "a\rx\rb\r"},
        {"a final line without a break", "a\nb", 4, QStringLiteral("c"), "a\nbc"},
        {"a break typed at the end", "a\nb", 4, QStringLiteral("\r\n"), "a\nb\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        frmDocument *doc = openAndSave(c.before);
        ASSERT_TRUE(doc);
        doc->txtText->setSelStart(c.at);
        doc->txtText->setSelText(c.typed);
        ASSERT_TRUE(doc->run(QStringLiteral("mnuFileSave_Click")));
        EXPECT_EQ(hex(readBytes(doc->strFileName)), hex(c.after));
        closeNow(doc);
    }

    ScriptedInteraction ui;
    frmDocument *doc = newDocument(ui);
    ASSERT_TRUE(doc);
    const QString file = path(QStringLiteral("new.htm"));
    ui.expectSaveFile(file);
    ASSERT_TRUE(doc->run(QStringLiteral("mnuFileSave_Click")));
    const QByteArray first = readBytes(file);
    EXPECT_EQ(hex(first), hex(encodeText(doc->txtText->text(), TextEncoding::ShiftJis) + "\r\n"));
    for (int save = 0; save < 3; ++save) {
        ASSERT_TRUE(doc->run(QStringLiteral("mnuFileSave_Click")));
        EXPECT_EQ(hex(readBytes(file)), hex(first));
    }
    closeNow(doc);
    // Opened again, it is the same file once more.
    openSaveAndClose(first);
}
