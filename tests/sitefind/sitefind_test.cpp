#include "sitefind/sitefind.h"

#include "support/qstringprinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A page in one encoding. Lines without the name hold what a careless rewrite would change:
// a byte no code uses (kept as it is) and a code that reads as the same character as another.
struct Page
{
    const char *name;
    TextEncoding encoding;
    const char *lineBreak;
    int paragraphs; // lines of the address, the first naming the shop twice
};

const Page pages[] = {
    {"sjis.htm", TextEncoding::ShiftJis, "\r\n", 3},
    {"euc.html", TextEncoding::EucJp, "\n", 2},
    {"utf8.shtml", TextEncoding::Utf8, "\r\n", 2},
    {"bom.css", TextEncoding::Utf8Bom, "\n", 1},
    {"wide.txt", TextEncoding::Utf16LeBom, "\r\n", 2},
    {"sub/deep.htm", TextEncoding::ShiftJis, "\n", 1},
};

QByteArray pageBytes(const Page &page, const QString &name)
{
    const QString charset = page.encoding == TextEncoding::ShiftJis ? QStringLiteral("Shift_JIS")
                            : page.encoding == TextEncoding::EucJp  ? QStringLiteral("EUC-JP")
                                                                    : QStringLiteral("UTF-8");
    QStringList lines{QStringLiteral("<meta charset=\"%1\">").arg(charset),
                      QStringLiteral("<h1>%1へようこそ</h1>").arg(name)};
    for (int i = 1; i < page.paragraphs; ++i)
        lines << QStringLiteral("<p>住所：東京都　%1（本店）と%1</p>")
                     .arg(i == 1 ? name : QString("x"));
    lines << QStringLiteral("<p>変わらない行：ｶﾀｶﾅと漢字</p>");
    QString text = lines.join(QString::fromLatin1(page.lineBreak));
    QByteArray bytes = encodeText(text, page.encoding);
    if (page.encoding == TextEncoding::ShiftJis)
        bytes.append(QByteArray(page.lineBreak) + "\x80\xed\x40<br>");
    return bytes;
}

// A stretch of text as it stands inside a file: without the byte-order mark.
QByteArray withoutMark(const QString &text, TextEncoding encoding)
{
    const QByteArray bytes = encodeText(text, encoding);
    return encoding == TextEncoding::Utf8Bom ? bytes.sliced(3)
           : encoding == TextEncoding::Utf16LeBom || encoding == TextEncoding::Utf16BeBom
               ? bytes.sliced(2)
               : bytes;
}

int namesIn(const Page &page)
{
    // The <h1> line once, the first address line twice.
    return page.paragraphs >= 2 ? 3 : 1;
}

struct SiteTree
{
    QTemporaryDir dir;
    std::map<QString, QByteArray> before;

    SiteTree()
    {
        for (const Page &page : pages) {
            const QByteArray bytes = pageBytes(page, QStringLiteral("山田商店"));
            writeBytes(dir.filePath(page.name), bytes);
            before[page.name] = bytes;
        }
        writeBytes(dir.filePath("picture.htm"), QByteArray("GIF89a\0\0山田商店", 16));
        writeBytes(dir.filePath("notes.doc"), QByteArray("山田商店"));
        writeBytes(dir.filePath("huge.htm"), QByteArray(4096, 'a') + "山田商店");
        // A link back up the tree, which a walk that follows links would enter for ever.
        ::symlink("..", QFile::encodeName(dir.filePath("sub/loop")).constData());
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    SiteFileFilter filter() const
    {
        SiteFileFilter filter;
        filter.folder = dir.path();
        filter.sizeLimit = 4000;
        return filter;
    }
};

struct Found
{
    QList<SiteFile> files;
    QList<SkippedFile> skipped;
};

Found find(const SiteFileFilter &filter, const SiteSearch &search,
           const QHash<QString, QString> &windowTexts = {})
{
    Found found;
    findInSite(filter, search, windowTexts,
               {[&found](const SiteFile &file) { found.files.append(file); },
                [&found](const SkippedFile &skipped) { found.skipped.append(skipped); },
                {}});
    return found;
}

QString relative(const SiteTree &tree, const QString &path)
{
    return QDir(tree.dir.path()).relativeFilePath(path);
}

} // namespace

TEST(SiteFind, CountsEveryMatchPerFileInItsOwnEncodingAndListsWhatItSkipped)
{
    SiteTree tree;
    const Found found = find(tree.filter(), {.find = QStringLiteral("山田商店")});
    std::map<QString, int> counts;
    for (const SiteFile &file : found.files)
        counts[relative(tree, file.path)] = int(file.matches.size());
    std::map<QString, int> expected;
    for (const Page &page : pages)
        expected[page.name] = namesIn(page);
    EXPECT_EQ(counts, expected);
    QStringList skipped;
    for (const SkippedFile &file : found.skipped)
        skipped << relative(tree, file.path) + u':' + file.reason;
    skipped.sort();
    EXPECT_EQ(skipped,
              QStringList({"huge.htm:サイズが上限を超えています", "picture.htm:バイナリファイル",
                           "sub/loop:リンクが循環しています"}))
        << skipped.join(u'\n').toStdString();
    for (const SiteFile &file : found.files) {
        const TextMatch &first = file.matches.first();
        EXPECT_EQ(first.line, 2) << file.path.toStdString();
        EXPECT_EQ(first.column, 5);
        EXPECT_EQ(first.lineText, QStringLiteral("<h1>山田商店へようこそ</h1>"));
    }
}

TEST(SiteFind, OptionsNarrowTheFilesAndTheMatches)
{
    SiteTree tree;
    SiteFileFilter flat = tree.filter();
    flat.subFolders = false;
    flat.patterns = QStringLiteral("*.HTM; *.txt");
    const struct
    {
        SiteFileFilter filter;
        SiteSearch search;
        int files;
        int matches;
    } cases[] = {
        {flat, {.find = QStringLiteral("山田商店")}, 2, 6},
        {tree.filter(), {.find = QStringLiteral("H1")}, 6, 12},
        {tree.filter(), {.find = QStringLiteral("H1"), .matchCase = true}, 0, 0},
        {tree.filter(), {.find = QStringLiteral("meta"), .wholeWord = true}, 6, 6},
        {tree.filter(), {.find = QStringLiteral("met"), .wholeWord = true}, 0, 0},
        {tree.filter(), {.find = QStringLiteral("^<p>"), .regularExpression = true}, 6, 11},
        {tree.filter(), {.find = QStringLiteral("</h1>$"), .regularExpression = true}, 6, 6},
        {tree.filter(), {.find = QStringLiteral("("), .regularExpression = true}, 0, 0},
        {tree.filter(), {.find = QString()}, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.search.find.toStdString());
        const Found found = find(c.filter, c.search);
        int matches = 0;
        for (const SiteFile &file : found.files)
            matches += int(file.matches.size());
        EXPECT_EQ(found.files.size(), c.files);
        EXPECT_EQ(matches, c.matches);
    }
}

// Each file comes back in its own encoding with only the replaced stretches changed: every
// other byte, the kept odd byte and the twin code included, stays as it was.
TEST(SiteReplace, ChangesExactlyTheMatchedBytesInEveryEncodingAndUndoesThemAll)
{
    SiteTree tree;
    const struct
    {
        SiteSearch search;
        QString inserted; // what each 山田商店 becomes
    } cases[] = {
        {{.find = QStringLiteral("山田商店"), .replacement = QStringLiteral("山田書店")},
         QStringLiteral("山田書店")},
        {{.find = QStringLiteral("(山田)(商)店"),
          .replacement = QStringLiteral("\\1\\2事\\\\\\0"),
          .regularExpression = true},
         QStringLiteral("山田商事\\山田商店")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.search.find.toStdString());
        const Found found = find(tree.filter(), c.search);
        ASSERT_EQ(found.files.size(), std::size(pages));
        QList<ReplacedFile> replaced;
        for (const SiteFile &file : found.files) {
            ReplacedFile done;
            QString problem;
            ASSERT_TRUE(writeReplacements(file, &done, &problem)) << problem.toStdString();
            replaced.append(done);
        }
        for (const Page &page : pages) {
            SCOPED_TRACE(page.name);
            QByteArray expected = tree.before[page.name];
            expected.replace(withoutMark(QStringLiteral("山田商店"), page.encoding),
                             withoutMark(c.inserted, page.encoding));
            EXPECT_EQ(readBytes(tree.path(page.name)).toHex(' ').toStdString(),
                      expected.toHex(' ').toStdString());
        }
        for (const ReplacedFile &file : replaced)
            EXPECT_EQ(undoReplacement(file), QString());
        for (const Page &page : pages)
            EXPECT_EQ(readBytes(tree.path(page.name)), tree.before[page.name]) << page.name;
    }
}

TEST(SiteReplace, AMatchAcrossALineBreakOfEitherKind)
{
    QTemporaryDir dir;
    const struct
    {
        const char *name;
        TextEncoding encoding;
        QString text;
        QString after;
    } cases[] = {
        {"crlf.htm", TextEncoding::ShiftJis,
         QStringLiteral("<meta charset=Shift_JIS><p>終わり\r\n次の行</p>\r\n残り\r\n"),
         QStringLiteral("<meta charset=Shift_JIS><p>終わり・次の行</p>\r\n残り\r\n")},
        {"lf.htm", TextEncoding::EucJp,
         QStringLiteral("<meta charset=EUC-JP><p>終わり\n次の行</p>\n残り"),
         QStringLiteral("<meta charset=EUC-JP><p>終わり・次の行</p>\n残り")},
        {"cr.htm", TextEncoding::Utf8, QStringLiteral("<p>終わり\r次の行</p>\r残り\r"),
         QStringLiteral("<p>終わり・次の行</p>\r残り\r")},
    };
    for (const auto &c : cases)
        writeBytes(dir.filePath(c.name), encodeText(c.text, c.encoding));
    SiteFileFilter filter;
    filter.folder = dir.path();
    for (const SiteSearch &search : {SiteSearch{.find = QStringLiteral("終わり\n次"),
                                    .replacement = QStringLiteral("終わり・次")},
                                     SiteSearch{.find = QStringLiteral("(わり)\\R(次)"),
                                     .replacement = QStringLiteral("\\1・\\2"),
                                     .regularExpression = true}}) {
        SCOPED_TRACE(search.find.toStdString());
        for (const auto &c : cases)
            writeBytes(dir.filePath(c.name), encodeText(c.text, c.encoding));
        const Found found = find(filter, search);
        ASSERT_EQ(found.files.size(), std::size(cases));
        for (const SiteFile &file : found.files) {
            ASSERT_EQ(file.matches.size(), 1);
            EXPECT_EQ(file.matches.first().line, 1);
            ReplacedFile done;
            QString problem;
            EXPECT_TRUE(writeReplacements(file, &done, &problem)) << problem.toStdString();
        }
        for (const auto &c : cases)
            EXPECT_EQ(readBytes(dir.filePath(c.name)), encodeText(c.after, c.encoding)) << c.name;
    }
}

// A replacement the file's encoding cannot hold is refused for that file, which stays as it
// was; never written as a reference or a question mark. 丂 is in JIS X 0212, which EUC-JP
// holds in its three-byte form and Shift-JIS does not hold at all.
TEST(SiteReplace, AReplacementTheEncodingCannotHoldIsRefusedForThoseFilesOnly)
{
    const struct
    {
        QString replacement;
        QStringList refused;
    } cases[] = {
        {QStringLiteral("𠮷野家"), {"euc.html", "sjis.htm", "sub/deep.htm"}},
        {QStringLiteral("山田😀"), {"euc.html", "sjis.htm", "sub/deep.htm"}},
        {QStringLiteral("丂商店"), {"sjis.htm", "sub/deep.htm"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.replacement.toStdString());
        SiteTree tree;
        const Found found = find(
            tree.filter(), {.find = QStringLiteral("山田商店"), .replacement = c.replacement});
        QStringList refused;
        for (const SiteFile &file : found.files) {
            ReplacedFile done;
            QString problem;
            if (!writeReplacements(file, &done, &problem)) {
                refused << relative(tree, file.path);
                EXPECT_TRUE(problem.contains(c.replacement.first(2))
                            || problem.contains(c.replacement.last(2))
                            || problem.contains(c.replacement.first(1)))
                    << problem.toStdString();
            }
        }
        refused.sort();
        EXPECT_EQ(refused, c.refused);
        for (const Page &page : pages) {
            SCOPED_TRACE(page.name);
            const QByteArray now = readBytes(tree.path(page.name));
            const bool isRefused = c.refused.contains(QLatin1String(page.name));
            EXPECT_EQ(now == tree.before[page.name], isRefused);
            EXPECT_FALSE(now.contains("&#")) << now.toStdString();
            if (isRefused)
                continue;
            // Written: exactly the matched bytes changed, and the text reads back.
            QByteArray expected = tree.before[page.name];
            expected.replace(withoutMark(QStringLiteral("山田商店"), page.encoding),
                             withoutMark(c.replacement, page.encoding));
            EXPECT_EQ(now.toHex(' ').toStdString(), expected.toHex(' ').toStdString());
            EXPECT_TRUE(decodeText(now, page.encoding).contains(c.replacement));
        }
        if (c.replacement.startsWith(u'丂')) {
            EXPECT_TRUE(readBytes(tree.path("euc.html")).contains("\x8f\xb0\xa1\xbe\xa6\xc5\xb9"))
                << "丂商店 in EUC-JP, the first in its three-byte form";
        }
    }
}

TEST(SiteReplace, FilesThatCannotBeWrittenOrChangedMeanwhileStayWholeAndAreReported)
{
    SiteTree tree;
    const Found found = find(tree.filter(), {.find = QStringLiteral("山田商店"),
                                             .replacement = QStringLiteral("山田書店")});
    ASSERT_EQ(found.files.size(), std::size(pages));
    ::chmod(QFile::encodeName(tree.path("euc.html")).constData(), 0444);
    writeBytes(tree.path("bom.css"), "changed by someone else");
    const QByteArray changed = readBytes(tree.path("bom.css"));
    QStringList refused;
    QList<ReplacedFile> replaced;
    for (const SiteFile &file : found.files) {
        ReplacedFile done;
        QString problem;
        if (writeReplacements(file, &done, &problem))
            replaced.append(done);
        else
            refused << relative(tree, file.path) + u':' + (problem.isEmpty() ? "?" : "!");
    }
    refused.sort();
    EXPECT_EQ(refused, QStringList({"bom.css:!", "euc.html:!"}));
    EXPECT_EQ(readBytes(tree.path("euc.html")), tree.before["euc.html"]);
    EXPECT_EQ(readBytes(tree.path("bom.css")), changed);

    // Undo leaves alone a file changed after the replace and puts back the others.
    writeBytes(tree.path("utf8.shtml"), "edited after the replace");
    QStringList undoRefused;
    for (const ReplacedFile &file : replaced)
        if (!undoReplacement(file).isEmpty())
            undoRefused << relative(tree, file.path);
    EXPECT_EQ(undoRefused, QStringList({"utf8.shtml"}));
    EXPECT_EQ(readBytes(tree.path("utf8.shtml")), QByteArray("edited after the replace"));
    EXPECT_EQ(readBytes(tree.path("sjis.htm")), tree.before["sjis.htm"]);
}

// A full disk, made by a file size limit in a child process: the file stays whole.
TEST(SiteReplace, AFullDiskLeavesTheFileWholeAndIsReported)
{
    SiteTree tree;
    const QString path = tree.path("sjis.htm");
    QByteArray big = readBytes(path);
    big.append(QByteArray(200000, 'a'));
    writeBytes(path, big);
    SiteFileFilter filter = tree.filter();
    filter.sizeLimit = 1 << 20;
    filter.patterns = QStringLiteral("sjis.htm");
    filter.subFolders = false;
    const Found found = find(
        filter, {.find = QStringLiteral("山田商店"), .replacement = QStringLiteral("山田書店")});
    ASSERT_EQ(found.files.size(), 1);
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100000, 100000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ReplacedFile done;
        QString problem;
        const bool written = writeReplacements(found.files.first(), &done, &problem);
        ::_exit(!written && !problem.isEmpty() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readBytes(path), big);
}

// A file open in a window is searched in the window's text, not on the disk.
TEST(SiteFind, SearchesTheTextOfAnOpenWindowInsteadOfItsFile)
{
    SiteTree tree;
    const QHash<QString, QString> windows{
        {tree.path("sjis.htm"), QStringLiteral("山田商店\r\n山田商店\r\n山田商店\r\n山田商店")}};
    const Found found = find(tree.filter(), {.find = QStringLiteral("山田商店")}, windows);
    for (const SiteFile &file : found.files)
        if (file.path == tree.path("sjis.htm")) {
            EXPECT_TRUE(file.inWindow);
            EXPECT_EQ(file.matches.size(), 4);
            EXPECT_EQ(file.matches.last().line, 4);
        }
}

// Many files written at once: a stop asked for by the progress ends the replace before the
// next file; the files begun are written whole, the others left as they were; undoing all of
// them puts every byte back.
TEST(SiteReplace, AStoppedReplaceKeepsWhatItWroteAndUndoesIt)
{
    QTemporaryDir dir;
    const int count = 120;
    const auto before = [](int i) {
        return encodeText(QStringLiteral("<p>%1：山田商店</p>\r\n").arg(i).repeated(20),
                          TextEncoding::ShiftJis);
    };
    for (int i = 0; i < count; ++i)
        writeBytes(dir.filePath(QStringLiteral("sub%1/p%2.htm").arg(i % 3).arg(i)), before(i));
    SiteFileFilter filter;
    filter.folder = dir.path();
    const Found found = find(
        filter, {.find = QStringLiteral("山田商店"), .replacement = QStringLiteral("山田書店")});
    ASSERT_EQ(found.files.size(), count);

    int calls = 0;
    const QList<ReplaceOutcome> outcomes
        = writeAllReplacements(found.files, [&](int done, int total) {
              EXPECT_EQ(total, count);
              EXPECT_EQ(done, ++calls); // one call at a time, counting up
              return done < 5;
          });
    ASSERT_EQ(outcomes.size(), count);
    int written = 0;
    QList<ReplacedFile> replaced;
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        const ReplaceOutcome &outcome = outcomes.at(i);
        const QString path = found.files.at(i).path;
        EXPECT_NE(outcome.written, outcome.cancelled) << path.toStdString();
        const QByteArray now = readBytes(path);
        const int number = QFileInfo(path).baseName().mid(1).toInt();
        if (outcome.written) {
            ++written;
            replaced.append(outcome.replaced);
            QByteArray expected = before(number);
            expected.replace(encodeText(QStringLiteral("商店"), TextEncoding::ShiftJis),
                             encodeText(QStringLiteral("書店"), TextEncoding::ShiftJis));
            EXPECT_EQ(now, expected) << path.toStdString();
        } else {
            EXPECT_FALSE(outcome.problem.isEmpty());
            EXPECT_EQ(now, before(number)) << path.toStdString();
        }
    }
    EXPECT_GE(written, 5);
    EXPECT_LT(written, count) << "the stop was not heeded";

    // Undo puts back every file written.
    const QStringList answers = undoAllReplacements(replaced);
    EXPECT_EQ(answers, QStringList(replaced.size()));
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("sub%1/p%2.htm").arg(i % 3).arg(i))),
                  before(i));
}
