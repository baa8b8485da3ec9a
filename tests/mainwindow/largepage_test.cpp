#include "document/frmprogress.h"
#include "support/spinefixture.h"

#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <QTextDocument>

namespace {

// Presses the Cancel button of the progress window as soon as its bar reaches `cancelAt`
// (never when negative), and notes what the window showed.
class ProgressWatcher : public QObject
{
public:
    explicit ProgressWatcher(int cancelAt) : cancelAt(cancelAt) { qApp->installEventFilter(this); }
    ~ProgressWatcher() override { qApp->removeEventFilter(this); }

    int cancelAt;
    int shown = 0;
    bool cancellable = false;
    QStringList captions;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *progress = qobject_cast<frmProgress *>(watched);
        if (progress && event->type() == QEvent::Show) {
            ++shown;
            cancellable = progress->cmdCancel && progress->isModal();
            captions << progress->windowTitle();
            connect(progress->ProgressBar1, &QProgressBar::valueChanged, progress,
                    [this, progress](int value) {
                        if (!captions.contains(progress->windowTitle()))
                            captions << progress->windowTitle();
                        if (cancelAt >= 0 && value >= cancelAt && progress->cmdCancel)
                            progress->cmdCancel->click();
                    });
        }
        return false;
    }
};

// Every file of `folder` with its bytes.
QMap<QString, QByteArray> filesIn(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

using LargePageTest = SpineTest;

// A page of several megabytes opens under a progress window with a Cancel button. Cancel at any
// step leaves no window, no half-open document and nothing written: not the page, not the
// settings (recent list, last path). Left alone, the page opens whole, coloured, clean, and its
// opening cannot be undone piece by piece.
TEST_F(LargePageTest, OpensUnderAProgressWindowWhoseCancelLeavesNothingBehind)
{
    SettingsStore::set(QStringLiteral("Settings"), QStringLiteral("TagColor"),
                       QStringLiteral("True"));
    shared().blnTagColor = true;
    QString page;
    for (int i = 0; page.size() < 4'500'000; ++i)
        page += QStringLiteral("<TR><TD bgcolor=\"#ffcc00\">山田%1のお店</TD>\r\n"
                               "<TD><A href=\"p%1.html\">次へ</A></TD></TR>\r\n")
                    .arg(i);
    page += QStringLiteral("<P>最後の行");
    const QString file = path(QStringLiteral("large.htm"));
    writeBytes(file, page.toUtf8());
    const QString settings = SettingsStore::fileName();

    const struct
    {
        const char *when;
        int cancelAt; // the bar's value, of 1000
    } cases[] = {
        {"after reading", 200},
        {"while the text goes in", 450},
        {"while colouring", 800},
        {"at the end", 1000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.when);
        const auto scratchBefore = filesIn(scratch.path());
        const auto settingsBefore = filesIn(QFileInfo(settings).path());
        const auto recentBefore = shared().strRecentFile;
        ProgressWatcher watcher(c.cancelAt);
        ReadDoc(file);
        EXPECT_EQ(watcher.shown, 1);
        EXPECT_TRUE(watcher.cancellable);
        EXPECT_TRUE(frame->documents().isEmpty());
        EXPECT_TRUE(frame->findChildren<frmDocument *>().isEmpty());
        EXPECT_TRUE(frame->findChildren<frmProgress *>().isEmpty());
        EXPECT_EQ(filesIn(scratch.path()), scratchBefore);
        EXPECT_EQ(filesIn(QFileInfo(settings).path()), settingsBefore);
        EXPECT_TRUE(shared().strRecentFile == recentBefore);
    }

    ProgressWatcher watcher(-1);
    frmDocument *doc = open(file);
    ASSERT_TRUE(doc);
    EXPECT_EQ(watcher.shown, 1);
    EXPECT_TRUE(frame->findChildren<frmProgress *>().isEmpty());
    EXPECT_EQ(watcher.captions.first(), "ﾌｧｲﾙ読み込み処理中－しばらくお待ち下さい。");
    EXPECT_TRUE(watcher.captions.contains("タグの色変換処理中－しばらくお待ち下さい。"));
    RichTextBox &box = *doc->txtText;
    ASSERT_TRUE(box.text() == page);
    EXPECT_TRUE(doc->isVisible());
    EXPECT_FALSE(doc->blnFlgDirty);
    EXPECT_EQ(shared().strRecentFile[1], file);
    EXPECT_EQ(box.selStart(), 0);
    // Coloured to the end, the same on both sides of every megabyte (where a page of this
    // size may be cut into pieces).
    for (qsizetype cut = 0; cut < page.size(); cut += 1 << 20) {
        for (qsizetype at = std::max<qsizetype>(cut - 40, 0); at < std::min(cut + 40, page.size());
             ++at) {
            const qsizetype tagStart = page.lastIndexOf(u'<', at);
            const qsizetype tagEnd = page.lastIndexOf(u'>', at);
            const QChar c = page[at];
            const Look expected = c == u'<' || c == u'>' ? Look{TextColor::Red, true}
                                  : c == u'"' || c == u'=' || c == u'/'
                                      ? Look{TextColor::Magenta, true}
                                  : tagStart > tagEnd ? Look{TextColor::Blue, false}
                                                      : Look{TextColor::Black, false};
            if (c != u'\r' && c != u'\n') {
                EXPECT_EQ(box.lookAt(int(at)), expected) << at;
            }
        }
    }
    EXPECT_EQ(box.lookAt(int(page.size()) - 1), (Look{TextColor::Black, false}));
    EXPECT_FALSE(box.document()->isUndoAvailable());
    box.undoStep();
    EXPECT_EQ(box.textLength(), page.size());
}

} // namespace
