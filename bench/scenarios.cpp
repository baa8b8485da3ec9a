#include "scenarios.h"

#include "check/pagecheck.h"
#include "core/recoveryservice.h"
#include "core/settings.h"
#include "core/settingsstore.h"
#include "document/frmdocument.h"
#include "document/recoverykeeper.h"
#include "document/richtextbox.h"
#include "document/typinghelp.h"
#include "harness.h"
#include "livepreviewscenario.h"
#include "mainwindow/documentio.h"
#include "orvinesubject.h"
#include "pagegen.h"
#include "processscenarios.h"
#include "references.h"
#include "sitefind/sitefind.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>

namespace bench {
namespace {

struct BenchPage
{
    const char *name;
    qsizetype bytes;
    pagegen::Style style;
    pagegen::Landmarks landmarks;
    int lines = 0; // cut after this many lines (0: as generated)
};

const BenchPage benchPages[] = {
    {"10k", 10 * 1024, pagegen::Style::HomePage, {}},
    {"line80k", 80 * 1000, pagegen::Style::OneLine, {}},
    {"line1m", 1000 * 1000, pagegen::Style::OneLine, {}},
    {"1m", 1024 * 1024, pagegen::Style::HomePage, {}},
    {"10m", 10 * 1024 * 1024, pagegen::Style::HomePage, {true, true, true}},
    {"dense", 1024 * 1024, pagegen::Style::DenseMarkup, {}},
    {"csv", 1024 * 1024, pagegen::Style::Csv, {}},
    {"csv100k", 8 * 1024 * 1024, pagegen::Style::Csv, {}, 100000},
    {"50m", 50 * 1024 * 1024, pagegen::Style::HomePage, {}},
};

// The first `lines` lines of `text` with their line breaks (all of it when it has fewer).
QString firstLines(const QString &text, int lines)
{
    qsizetype at = 0;
    for (int i = 0; i < lines && at >= 0; ++i) {
        at = text.indexOf(QLatin1String("\r\n"), at);
        if (at >= 0)
            at += 2;
    }
    return at < 0 ? text : text.left(at);
}

QString pagePath(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(QStringLiteral("page-%1.html").arg(name));
}

Page loadPage(const QString &folder, const QString &name)
{
    Page page;
    page.path = pagePath(folder, name);
    QFile file(page.path);
    if (file.open(QIODevice::ReadOnly))
        page.bytes = file.readAll();
    page.text = pagegen::fromShiftJis(page.bytes);
    return page;
}

std::unique_ptr<Subject> makeSubject(const QString &name)
{
    if (name == QLatin1String("floor"))
        return makeFloor();
    if (name == QLatin1String("peer"))
        return makePeer();
    if (name == QLatin1String("orvine"))
        return makeOrvine();
    return nullptr;
}

// 200 characters of hand-typed markup.
QString typedText()
{
    const QString unit = QStringLiteral("<A href=\"next.html\">Next page</A> <B>bold</B>; ");
    QString text;
    while (text.size() < 200)
        text += unit;
    return text.left(200);
}

// Sends one character as a real keyboard would on a Japanese layout: key, Shift state, text.
void typeCharacter(QWidget *target, QChar c)
{
    static const QString shifted = QStringLiteral("<>\"=!&()'~|{}+*?_");
    const int key = c.toUpper().unicode();
    const Qt::KeyboardModifiers modifiers
        = (c.isUpper() || shifted.contains(c)) ? Qt::ShiftModifier : Qt::NoModifier;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(c));
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, QString(c));
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

// The page just opened is shown as the figures assume: coloured where the editor colours, in
// a window of the measured size. What is wrong is said on standard error.
bool openedAsMeasured(Subject &subject)
{
    QString problem = subject.problem();
    const QWidget *target = subject.keyTarget();
    const QSize size = target ? target->window()->size() : QSize();
    if (problem.isEmpty() && size != QSize(Subject::WindowWidth, Subject::WindowHeight))
        problem = QStringLiteral("the window measures %1x%2, not %3x%4")
                      .arg(size.width())
                      .arg(size.height())
                      .arg(Subject::WindowWidth)
                      .arg(Subject::WindowHeight);
    if (!problem.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(problem));
    return problem.isEmpty();
}

QString key(const QString &scenario, const QString &page, const QString &subject)
{
    return scenario + QLatin1Char('.') + page + QLatin1Char('.') + subject;
}

bool runOpen(Subject &subject, const Page &page, const QString &k, int repetitions)
{
    bool ok = true;
    const auto checkAndClose = [&] {
        if (subject.keyTarget())
            ok = openedAsMeasured(subject) && ok;
        subject.close();
    };
    const Samples s = repeat(
        repetitions, [&] { subject.open(page); }, checkAndClose);
    checkAndClose();
    if (ok)
        report(k, s.median());
    return ok;
}

bool runTyping(Subject &subject, const Page &page, const QString &k)
{
    subject.open(page);
    if (!openedAsMeasured(subject))
        return false;
    subject.caretToMiddle();
    QWidget *target = subject.keyTarget();
    target->activateWindow();
    target->setFocus();
    settleEvents();
    Samples s;
    for (QChar c : typedText()) {
        QElapsedTimer timer;
        timer.start();
        typeCharacter(target, c);
        settleEvents();
        s.add(elapsedMs(timer));
    }
    subject.close();
    report(k + QLatin1String(".p50"), s.percentile(50));
    report(k + QLatin1String(".p99"), s.percentile(99));
    return true;
}

// The caret put into a start tag in the middle of the page (its partner's background shown,
// painted), and the jump to that partner.
bool runMatching(Subject &subject, const Page &page, const QString &k, int repetitions)
{
    subject.open(page);
    if (!openedAsMeasured(subject))
        return false;
    auto *box = qobject_cast<RichTextBox *>(subject.keyTarget());
    TypingHelp *help = box ? box->findChild<TypingHelp *>() : nullptr;
    if (!help)
        return false;
    subject.caretToMiddle();
    const QString text = box->text();
    const int tag = int(text.indexOf(QLatin1String("<TD"), box->selStart()));
    if (tag < 0)
        return false;
    bool found = true;
    const Samples shown = repeat(
        repetitions,
        [&] {
            box->select(tag + 1, 0);
            settleEvents();
            found = !box->extraSelections().isEmpty() && found;
        },
        [&] {
            box->select(0, 0);
            settleEvents();
        });
    const Samples jumped = repeat(
        repetitions,
        [&] {
            found = help->goToMatchingTag() && found;
            settleEvents();
        },
        [&] {
            box->select(tag + 1, 0);
            settleEvents();
        });
    subject.close();
    if (!found)
        return false;
    report(k, shown.median());
    report(k + QLatin1String(".jump"), jumped.median());
    return true;
}

bool runInsert(Subject &subject, const Page &page, const QString &k, int repetitions)
{
    const QString fragment = pagegen::fragmentText(100 * 1024);
    // Each repetition inserts once more at the caret, which stays in the middle of the page.
    subject.open(page);
    if (!openedAsMeasured(subject))
        return false;
    subject.caretToMiddle();
    bool ok = true;
    const Samples s = repeat(repetitions, [&] { ok = subject.insert(fragment) && ok; });
    subject.close();
    if (ok)
        report(k, s.median());
    return ok;
}

bool runFind(Subject &subject, const Page &page, const QString &k, int repetitions)
{
    subject.open(page);
    if (!openedAsMeasured(subject))
        return false;
    bool found = true;
    const Samples s = repeat(
        repetitions, [&] { found = subject.find(pagegen::lastWord()) && found; },
        [&] { subject.touch(); });
    subject.close();
    if (found)
        report(k, s.median());
    return found;
}

// One press of the replace command on a page of one long line: the next "bbs.cgi" (in the
// forms of the generated markup) becomes "board.cgi". The first press, untimed, opens what the
// editor needs and replaces the first match.
bool runReplaceOne(Subject &subject, const Page &page, const QString &k, int repetitions)
{
    const QString word = QStringLiteral("bbs.cgi");
    const QString replacement = QStringLiteral("board.cgi");
    subject.open(page);
    if (!openedAsMeasured(subject) || !subject.replaceNext(word, replacement)) {
        subject.close();
        return false;
    }
    bool ok = true;
    const Samples s
        = repeat(repetitions, [&] { ok = subject.replaceNext(word, replacement) && ok; });
    subject.close();
    if (ok)
        report(k, s.median());
    else
        std::fprintf(stderr, "a press of replace did not replace the next match\n");
    return ok;
}

bool runSave(Subject &subject, const Page &page, const QString &k, int repetitions)
{
    const QString target = page.path + QLatin1String(".saved");
    subject.open(page);
    if (!openedAsMeasured(subject))
        return false;
    bool ok = true;
    const Samples s = repeat(
        repetitions, [&] { ok = subject.save(target) && ok; }, [&] { subject.touch(); });
    subject.close();
    QFile::remove(target);
    if (ok)
        report(k, s.median());
    return ok;
}

// The floor of saving: the page's own bytes written with QFile.
bool runSaveFloor(const Page &page, const QString &k, int repetitions)
{
    const QString target = page.path + QLatin1String(".floor");
    const Samples s = repeat(repetitions, [&] {
        QFile file(target);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(page.bytes);
    });
    QFile::remove(target);
    report(k, s.median());
    return true;
}

// Replace all turns the attributes' double quotes into single ones: about 300,000 matches on
// the 10 MB page.
const QString replacedMarkup = QStringLiteral("\"");
const QString replacementMarkup = QStringLiteral("'");

// Replace all of a frequent piece of markup on the page, then its undo, in each repetition:
// the undo gives the page back for the next one. The figures count only when every replace
// changed the text and every undo gave back exactly the text that was opened.
bool runReplaceAll(Subject &subject, const Page &page, const QString &k, int repetitions)
{
    subject.open(page);
    if (!openedAsMeasured(subject))
        return false;
    const QString opened = subject.text();
    bool ok = !opened.isEmpty();
    Samples replacing;
    Samples undoing;
    for (int i = 0; i < repetitions && ok; ++i) {
        QElapsedTimer timer;
        timer.start();
        ok = subject.replaceAll(replacedMarkup, replacementMarkup);
        replacing.add(elapsedMs(timer));
        if (ok && subject.text().count(replacementMarkup) != page.text.count(replacedMarkup)) {
            std::fprintf(stderr, "replace all left the wrong text\n");
            ok = false;
        }
        timer.restart();
        ok = subject.undo() && ok;
        undoing.add(elapsedMs(timer));
        if (ok && subject.text() != opened) {
            std::fprintf(stderr, "the undo of replace all did not give the page back\n");
            ok = false;
        }
    }
    subject.close();
    if (ok) {
        report(k, replacing.median());
        report(k + QLatin1String(".undo"), undoing.median());
    }
    return ok;
}

// A text tool over the whole page, on a freshly opened page each time.
bool runTool(Subject &subject, const Page &page, Tool tool, const QString &k, int repetitions)
{
    bool ok = true;
    const Samples s = repeat(
        repetitions, [&] { ok = subject.runTool(tool) && ok; },
        [&] {
            subject.close();
            subject.open(page);
            ok = openedAsMeasured(subject) && ok;
        });
    subject.close();
    if (ok)
        report(k, s.median());
    return ok;
}

// Double-click on the word that follows `anchor` (its last occurrence) and answer the
// re-edit dialog.
bool runDoubleClick(Subject &subject, const Page &page, const QString &anchor, bool accept,
                    const QString &k, int repetitions)
{
    const qsizetype at = page.text.lastIndexOf(anchor);
    if (at < 0)
        return false;
    const qsizetype word = at + 1; // inside the tag name, after "<"
    // A re-edit leaves the element or tag at the same place. After a cancelled dialog the page
    // is as it was; an accepted one rewrites the tag once, so each OK gets the page afresh:
    // a second OK on the same tag would replace nothing.
    subject.open(page);
    bool ok = openedAsMeasured(subject);
    const Samples s = repeat(
        repetitions, [&] { ok = subject.doubleClickEdit(word, accept) && ok; },
        [&] {
            if (accept) {
                subject.close();
                subject.open(page);
                ok = openedAsMeasured(subject) && ok;
            }
            subject.touch();
        });
    subject.close();
    if (ok)
        report(k, s.median());
    return ok;
}

// Peak resident memory while the page is open, above what the process held before.
bool runMemory(Subject &subject, const QString &folder, const QString &name, const QString &k)
{
    const qint64 before = currentRssKb();
    if (!resetPeakRss())
        return false;
    subject.open(loadPage(folder, name));
    settleEvents();
    const qint64 peak = peakRssKb();
    const bool ok = openedAsMeasured(subject);
    subject.close();
    if (ok)
        report(k, double(peak - before) / 1024.0);
    return ok;
}

// A start with a settings file of 300,000 keys (left by another program, or grown by hand):
// the settings are read as the start and the first window read them; then one is written.
bool runSettings(const QString &k)
{
    const QString file = QDir(qEnvironmentVariable("XDG_CONFIG_HOME"))
                             .filePath(QStringLiteral("Orvine/Orvine.ini"));
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray content = "[Settings]\n";
    for (int i = 0; i < 300000; ++i)
        content += "Extra" + QByteArray::number(i) + "=" + QByteArray::number(i * 7) + "\n";
    out.write(content);
    out.close();

    QElapsedTimer timer;
    timer.start();
    LoadSettings(); // the start
    LoadSettings(); // the first window
    report(k, elapsedMs(timer));
    // A setting changed afterwards writes the whole file again.
    timer.restart();
    SettingsStore::setBool(QStringLiteral("Settings"), QStringLiteral("TagColor"), true);
    report(k + QLatin1String(".write"), elapsedMs(timer));
    return SettingsStore::get(QStringLiteral("Settings"), QStringLiteral("extra299999"))
           == QLatin1String("2099993");
}

// What keeping a recovery file costs the GUI thread: after an edit, the text taken (its cache
// patched) and handed to the writer's thread. The write itself runs on that thread, unmeasured;
// the figure counts only when every write read back as the text.
bool runRecovery(const Page &page, const QString &k, int repetitions)
{
    QTemporaryDir root;
    RecoveryService service(root.path());
    frmDocument *doc = createDocumentWindow();
    doc->txtText->setText(page.text);
    doc->blnFlgDirty = true;
    bool ok = true;
    const Samples s = repeat(
        repetitions, [&] { ok = handRecoveryTextOver(*doc) && ok; },
        [&] {
            service.writer().flush();
            doc->txtText->setSelStart(doc->txtText->textLength() / 2);
            doc->txtText->setSelText(QStringLiteral("x"));
        });
    service.writer().flush();
    delete doc;
    if (ok)
        report(k, s.median());
    return ok;
}

} // namespace

QStringList pageNames()
{
    QStringList names;
    for (const BenchPage &page : benchPages)
        names << QLatin1String(page.name);
    return names;
}

bool writePages(const QString &folder, const QStringList &names)
{
    for (const BenchPage &page : benchPages) {
        if (!names.contains(QLatin1String(page.name)))
            continue;
        QFile file(pagePath(folder, QLatin1String(page.name)));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        QString text = pagegen::pageText(page.bytes, page.style, page.landmarks);
        if (page.lines > 0)
            text = firstLines(text, page.lines);
        const QByteArray bytes = pagegen::toShiftJis(text);
        if (file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

namespace {

// The page check (HTML Tidy's diagnostics and the local links) of the whole page in memory.
bool runCheck(const Page &page, const QString &k, int repetitions)
{
    int findings = 0;
    const Samples s = repeat(repetitions, [&] {
        SiteFiles files;
        findings = int(checkPage(page.text, page.path, {}, files).size());
    });
    if (findings == 0)
        std::fprintf(stderr, "the page check found nothing on a generated page\n");
    report(k, s.median());
    return true;
}

// A site of 2,000 Shift-JIS pages of 20 KB, each naming the shop a few times.
bool writeSite(const QString &site)
{
    QDir().mkpath(site);
    for (int i = 0; i < 2000; ++i) {
        QString text = pagegen::pageText(20 * 1024, pagegen::Style::HomePage, {}, quint32(i + 1));
        for (qsizetype at : {qsizetype(100), text.size() / 2, text.size() - 100})
            text.insert(at, QStringLiteral("山田商店"));
        QFile file(
            QDir(site).filePath(QStringLiteral("page%1.html").arg(i, 4, 10, QLatin1Char('0'))));
        if (!file.open(QIODevice::WriteOnly) || file.write(pagegen::toShiftJis(text)) < 0)
            return false;
    }
    return true;
}

// Find a word in every page of the site, then replace it in all of them (the search, the
// check of each encoding and the safe write of every file), as the folder window does.
bool runSiteFind(const QString &folder, const QString &k, int repetitions)
{
    const QString site = QDir(folder).filePath(QStringLiteral("site"));
    SiteFileFilter filter;
    filter.folder = site;
    SiteSearch search{QStringLiteral("山田商店"), QStringLiteral("山田書店")};
    QList<SiteFile> found;
    const auto findAll = [&] {
        found.clear();
        findInSite(filter, search, {},
                   {[&found](const SiteFile &file) { found.append(file); }, {}, {}});
    };
    bool written = writeSite(site);
    const Samples finding = repeat(repetitions, findAll);
    if (found.size() != 2000)
        std::fprintf(stderr, "the site search found %d pages of 2000\n", int(found.size()));
    const Samples replacing = repeat(
        repetitions,
        [&] {
            findAll();
            for (const ReplaceOutcome &outcome : writeAllReplacements(found))
                written = outcome.written && written;
        },
        [&] { written = writeSite(site) && written; });
    QDir(site).removeRecursively();
    if (!written)
        return false;
    report(k, finding.median());
    report(k + QLatin1String(".replace"), replacing.median());
    return true;
}

} // namespace

bool runScenario(const QString &scenario, const QString &subjectName, const QString &pageName,
                 const QString &folder, int repetitions)
{
    const QString k = key(scenario, pageName, subjectName);
    if (scenario == QLatin1String("settings"))
        return runSettings(k); // before any window reads the settings
    if (scenario == QLatin1String("startup"))
        return runStartup(subjectName, pagePath(folder, pageName), k, repetitions);
    if (scenario == QLatin1String("preview"))
        return subjectName == QLatin1String("orvine")
               && runPreviewPaint(pagePath(folder, pageName), k, repetitions);
    if (scenario == QLatin1String("picture"))
        return runBigPicture(subjectName, k, repetitions);
    if (scenario == QLatin1String("save") && subjectName == QLatin1String("floor"))
        return runSaveFloor(loadPage(folder, pageName), k, repetitions);
    if (scenario == QLatin1String("sitefind"))
        return subjectName == QLatin1String("orvine") && runSiteFind(folder, k, repetitions);
    if (scenario == QLatin1String("livepreview") && subjectName == QLatin1String("floor"))
        return runLivePreviewFloor(pagePath(folder, pageName), k, repetitions);
    if (scenario == QLatin1String("livepreview"))
        return subjectName == QLatin1String("orvine")
               && runLivePreview(pagePath(folder, pageName), k, repetitions);
    if (scenario == QLatin1String("check"))
        return subjectName == QLatin1String("orvine")
               && runCheck(loadPage(folder, pageName), k, repetitions);

    std::unique_ptr<Subject> subject = makeSubject(subjectName);
    if (!subject)
        return false;
    // One-time costs (fonts, styles, the first window) are paid on the small page, untimed.
    subject->open(loadPage(folder, QStringLiteral("10k")));
    subject->close();
    settleEvents();
    if (scenario == QLatin1String("recovery"))
        return runRecovery(loadPage(folder, pageName), k, repetitions);
    if (scenario == QLatin1String("memory"))
        return runMemory(*subject, folder, pageName, k);

    const Page page = loadPage(folder, pageName);
    if (scenario == QLatin1String("open"))
        return runOpen(*subject, page, k, repetitions);
    if (scenario == QLatin1String("typing"))
        return runTyping(*subject, page, k);
    if (scenario == QLatin1String("typing-help") || scenario == QLatin1String("typing-plain")) {
        // The same keys with the help while typing all on, or all off.
        const bool on = scenario == QLatin1String("typing-help");
        TypingHelpOptions help;
        help.completion = help.lineNumbers = help.matchingTags = on;
        storeTypingHelp(help);
        return runTyping(*subject, page, k);
    }
    if (scenario == QLatin1String("matching"))
        return runMatching(*subject, page, k, repetitions);
    if (scenario == QLatin1String("insert"))
        return runInsert(*subject, page, k, repetitions);
    if (scenario == QLatin1String("find"))
        return runFind(*subject, page, k, repetitions);
    if (scenario == QLatin1String("replace-one"))
        return runReplaceOne(*subject, page, k, repetitions);
    if (scenario == QLatin1String("paragraphs"))
        return runTool(*subject, page, Tool::Paragraphs, k, repetitions);
    if (scenario == QLatin1String("replaceall"))
        return runReplaceAll(*subject, page, k, repetitions);
    if (scenario == QLatin1String("csv"))
        return runTool(*subject, page, Tool::CsvTable, k, repetitions);
    if (scenario == QLatin1String("save"))
        return runSave(*subject, page, k, repetitions);
    if (scenario == QLatin1String("scan-dl") || scenario == QLatin1String("reedit-dl"))
        return runDoubleClick(*subject, page, QString::fromLatin1(pagegen::definitionListStart),
                              scenario.startsWith(QLatin1String("reedit")), k, repetitions);
    if (scenario == QLatin1String("scan-cell") || scenario == QLatin1String("reedit-cell"))
        return runDoubleClick(*subject, page, QStringLiteral("<TD "),
                              scenario.startsWith(QLatin1String("reedit")), k, repetitions);
    return false;
}

} // namespace bench
