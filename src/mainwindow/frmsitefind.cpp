#include "mainwindow/frmsitefind.h"

#include "core/interaction.h"
#include "document/frmdocument.h"
#include "document/linejump.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "mainwindow/documentio.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>

namespace {

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Where an item of the results list points: the file (an index into the files found) and,
// for a match, its index in that file.
constexpr int FileRole = Qt::UserRole;
constexpr int MatchRole = Qt::UserRole + 1;

QString canonical(const QString &path)
{
    const QString canonicalPath = QFileInfo(path).canonicalFilePath();
    return canonicalPath.isEmpty() ? path : canonicalPath;
}

// The line of a match with the match between 【】.
QString markedLine(const TextMatch &match)
{
    const qsizetype at = match.column - 1;
    const qsizetype length = std::min(match.length, match.lineText.size() - at);
    return match.lineText.left(at) + u'【' + match.lineText.mid(at, length) + u'】'
           + match.lineText.mid(at + length);
}

} // namespace

frmSiteFind::frmSiteFind(QWidget *owner) : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("frmSiteFind"));
    setWindowTitle(tr("フォルダ内の検索・置換"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    setBusy(false);
}

frmSiteFind::~frmSiteFind()
{
    // A replace cut short here keeps the files it wrote; they can no longer be undone.
    if (m_thread) {
        m_cancel->store(true);
        m_thread->wait();
        delete m_thread;
    }
}

void frmSiteFind::buildControls()
{
    auto *grid = new QGridLayout;
    auto row = [&](int at, const QString &caption, QLineEdit *edit) {
        grid->addWidget(new QLabel(caption, this), at, 0);
        grid->addWidget(edit, at, 1);
    };
    txtFind = named(new QLineEdit(this), "txtFind");
    txtReplace = named(new QLineEdit(this), "txtReplace");
    txtFolder = named(new QLineEdit(this), "txtFolder");
    txtPatterns = named(new QLineEdit(SiteFileFilter().patterns, this), "txtPatterns");
    row(0, tr("検索する文字列:"), txtFind);
    row(1, tr("置換後の文字列:"), txtReplace);
    row(2, tr("フォルダ:"), txtFolder);
    row(3, tr("ファイルの種類:"), txtPatterns);

    auto *options = new QHBoxLayout;
    chkSubFolders = named(new QCheckBox(tr("サブフォルダも検索する"), this), "chkSubFolders");
    chkSubFolders->setChecked(true);
    chkMatchCase = named(new QCheckBox(tr("大文字と小文字を区別する"), this), "chkMatchCase");
    chkWholeWord = named(new QCheckBox(tr("単語単位で探す"), this), "chkWholeWord");
    chkRegex = named(new QCheckBox(tr("正規表現"), this), "chkRegex");
    for (QCheckBox *box : {chkSubFolders, chkMatchCase, chkWholeWord, chkRegex})
        options->addWidget(box);
    options->addStretch();

    auto *buttons = new QHBoxLayout;
    cmdFind = named(new QPushButton(tr("検索"), this), "cmdFind");
    cmdReplace = named(new QPushButton(tr("置換"), this), "cmdReplace");
    cmdUndo = named(new QPushButton(tr("元に戻す"), this), "cmdUndo");
    cmdCancel = named(new QPushButton(tr("中止"), this), "cmdCancel");
    lblProgress = named(new QLabel(this), "lblProgress");
    for (QPushButton *button : {cmdFind, cmdReplace, cmdUndo, cmdCancel})
        buttons->addWidget(button);
    buttons->addWidget(lblProgress, 1);

    lstResults = named(new QTreeWidget(this), "lstResults");
    lstResults->setHeaderLabels({tr("ファイル"), tr("行"), tr("内容")});
    lstResults->header()->setStretchLastSection(true);
    lblChange = named(new QLabel(this), "lblChange");
    lblChange->setTextFormat(Qt::PlainText);
    lblChange->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(options);
    layout->addLayout(buttons);
    layout->addWidget(lstResults, 1);
    layout->addWidget(lblChange);
    resize(720, 520);

    connect(cmdFind, &QPushButton::clicked, this, [this] { startSearch(false); });
    connect(cmdReplace, &QPushButton::clicked, this, [this] { startSearch(true); });
    connect(cmdUndo, &QPushButton::clicked, this, &frmSiteFind::undoAll);
    connect(cmdCancel, &QPushButton::clicked, this, [this] {
        if (m_cancel)
            m_cancel->store(true);
    });
    connect(lstResults, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { openMatch(item); });
    connect(lstResults, &QTreeWidget::currentItemChanged, this, &frmSiteFind::showChange);
}

void frmSiteFind::setBusy(bool busy)
{
    cmdFind->setEnabled(!busy);
    cmdReplace->setEnabled(!busy);
    cmdCancel->setEnabled(busy);
    cmdUndo->setEnabled(!busy && (!m_replaced.isEmpty() || !m_windowChanges.isEmpty()));
}

void frmSiteFind::startSearch(bool forReplace)
{
    if (m_thread || txtFind->text().isEmpty())
        return;
    SiteFileFilter filter;
    filter.folder = txtFolder->text();
    filter.patterns = txtPatterns->text();
    filter.subFolders = chkSubFolders->isChecked();
    SiteSearch search{txtFind->text(), txtReplace->text(), chkMatchCase->isChecked(),
                      chkWholeWord->isChecked(), chkRegex->isChecked()};
    if (search.regularExpression && !searchExpression(search).isValid()) {
        Interaction::inform(
            tr("正規表現が正しくありません: %1").arg(searchExpression(search).errorString()),
            Interaction::Icon::Warning);
        return;
    }
    // The pages open in windows are searched as the windows hold them.
    QHash<QString, QString> windowTexts;
    for (frmDocument *doc : openDocuments())
        if (doc->strFileName != frmDocument::NewFileName)
            windowTexts.insert(canonical(doc->strFileName), doc->txtText->text());

    m_forReplace = forReplace;
    m_cancelled = false;
    m_matchCount = 0;
    m_files.clear();
    m_fileItems.clear();
    lstResults->clear();
    lblChange->clear();
    lblProgress->setText(tr("検索しています..."));
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    setBusy(true);

    auto cancel = m_cancel;
    QPointer<frmSiteFind> window(this);
    runInBackground(
        [=] {
            findInSite(filter, search, windowTexts,
                       {[window](const SiteFile &file) {
                            QMetaObject::invokeMethod(
                                window, [window, file] { window->addFile(file); },
                                Qt::QueuedConnection);
                        },
                        [window](const SkippedFile &skipped) {
                            QMetaObject::invokeMethod(
                                window, [window, skipped] { window->addSkipped(skipped); },
                                Qt::QueuedConnection);
                        },
                        [window, cancel](int done, int total) {
                            QMetaObject::invokeMethod(
                                window,
                                [window, done, total] {
                                    window->lblProgress->setText(
                                        tr("%1 / %2 ファイル").arg(done).arg(total));
                                },
                                Qt::QueuedConnection);
                            return !cancel->load();
                        }});
        },
        [this] { finishSearch(); });
}

void frmSiteFind::runInBackground(std::function<void()> work, std::function<void()> done)
{
    m_thread = QThread::create(std::move(work));
    connect(m_thread, &QThread::finished, this, [this, done = std::move(done)] {
        m_thread->deleteLater();
        m_thread = nullptr;
        done();
    });
    m_thread->start();
}

void frmSiteFind::addFile(const SiteFile &file)
{
    const int index = int(m_files.size());
    m_files.append(file);
    m_matchCount += int(file.matches.size());
    auto *item = new QTreeWidgetItem(lstResults, {QDir::toNativeSeparators(file.path), QString(),
                                                  tr("%1 件").arg(file.matches.size())});
    item->setData(0, FileRole, index);
    m_fileItems.append(item);
    for (int i = 0; i < file.matches.size(); ++i) {
        const TextMatch &match = file.matches.at(i);
        auto *child = new QTreeWidgetItem(
            item, {QString(), QString::number(match.line), markedLine(match)});
        child->setData(0, FileRole, index);
        child->setData(0, MatchRole, i);
    }
}

void frmSiteFind::addSkipped(const SkippedFile &skipped)
{
    auto *item = new QTreeWidgetItem(lstResults, {QDir::toNativeSeparators(skipped.path), QString(),
                                                  tr("スキップ: %1").arg(skipped.reason)});
    item->setData(0, FileRole, -1);
}

void frmSiteFind::finishSearch()
{
    m_cancelled = m_cancel->load();
    lblProgress->setText((m_cancelled ? tr("中止しました。") : QString())
                         + tr("%1 個のファイルに %2 件").arg(m_files.size()).arg(m_matchCount));
    setBusy(false);
    emit searchFinished();
    if (m_forReplace && !m_cancelled && !m_files.isEmpty()
        && Interaction::ask(tr("%1 個のファイルの %2 箇所を置換します。よろしいですか？")
                                .arg(m_files.size())
                                .arg(m_matchCount),
                            Interaction::Icon::Question, Interaction::Buttons::YesNo)
               == Interaction::Answer::Yes)
        replaceAll();
}

bool frmSiteFind::replaceInWindow(frmDocument &doc, const SiteFile &file, QString *problem)
{
    RichTextBox &box = *doc.txtText;
    SiteFile asHeld = file;
    asHeld.encoding = doc.encoding;
    const QString unholdable = unholdableReplacements(asHeld);
    if (!unholdable.isEmpty()) {
        *problem
            = tr("%1 で保存できない文字があります: %2").arg(encodingName(doc.encoding), unholdable);
        return false;
    }
    if (box.text() != file.text) {
        *problem = tr("検索の後でウィンドウの内容が変更されました");
        return false;
    }
    const QList<TextMatch> &matches = file.matches;
    const bool alike = std::all_of(matches.begin(), matches.end(), [&](const TextMatch &m) {
        return m.length == matches.first().length && m.replacement == matches.first().replacement;
    });
    if (alike) {
        QList<int> starts;
        for (const TextMatch &match : matches)
            starts.append(int(match.start));
        replaceMatches(box, starts, int(matches.first().length), matches.first().replacement);
    } else {
        // Matches of different lengths: the stretch from the first to the last, in one step.
        const qsizetype from = matches.first().start;
        const qsizetype to = matches.last().start + matches.last().length;
        QList<TextMatch> shifted = matches;
        for (TextMatch &match : shifted)
            match.start -= from;
        box.select(int(from), int(to - from));
        putText(box, ::replaceMatches(file.text.mid(from, to - from), shifted));
    }
    doc.blnFlgDirty = true;
    m_windowChanges.append({&doc, file.path, box.text()});
    return true;
}

void frmSiteFind::report(const QString &path, const QString &problem)
{
    m_problems << QDir::toNativeSeparators(path) + QStringLiteral(": ") + problem;
}

void frmSiteFind::markFile(qsizetype index, const QString &outcome)
{
    if (index < 0 || index >= m_fileItems.size())
        return;
    QTreeWidgetItem *item = m_fileItems.at(index);
    item->setText(2, tr("%1 件 %2").arg(m_files.at(index).matches.size()).arg(outcome));
}

qsizetype frmSiteFind::indexOfFile(const QString &path) const
{
    for (qsizetype i = 0; i < m_files.size(); ++i)
        if (m_files.at(i).path == path)
            return i;
    return -1;
}

void frmSiteFind::replaceAll()
{
    m_problems.clear();
    m_written = 0;
    // Pages open in windows are changed there, for their user to save; the others are written
    // on a thread of their own, so the window stays alive and Cancel works.
    QList<SiteFile> files;
    QList<qsizetype> onDisk;
    for (qsizetype i = 0; i < m_files.size(); ++i) {
        const SiteFile &file = m_files.at(i);
        if (!file.inWindow) {
            files.append(file);
            onDisk.append(i);
            continue;
        }
        QString problem = tr("ウィンドウが閉じられました");
        frmDocument *doc = documentShowing(file.path);
        if (doc && replaceInWindow(*doc, file, &problem)) {
            ++m_written;
            markFile(i, tr("置換しました（ウィンドウ内）"));
        } else {
            report(file.path, problem);
            markFile(i, tr("置換しませんでした: %1").arg(problem));
        }
    }
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    setBusy(true);
    lblProgress->setText(tr("置換しています..."));
    auto cancel = m_cancel;
    auto outcomes = std::make_shared<QList<ReplaceOutcome>>();
    QPointer<frmSiteFind> window(this);
    runInBackground(
        [=] {
            *outcomes = writeAllReplacements(files, [window, cancel](int done, int total) {
                QMetaObject::invokeMethod(
                    window,
                    [window, done, total] {
                        window->lblProgress->setText(
                            tr("%1 / %2 ファイルを置換しました").arg(done).arg(total));
                    },
                    Qt::QueuedConnection);
                return !cancel->load();
            });
        },
        [this, onDisk, outcomes] { finishReplace(onDisk, *outcomes); });
}

void frmSiteFind::finishReplace(const QList<qsizetype> &onDisk,
                                const QList<ReplaceOutcome> &outcomes)
{
    int cancelled = 0;
    for (qsizetype i = 0; i < outcomes.size() && i < onDisk.size(); ++i) {
        const ReplaceOutcome &outcome = outcomes.at(i);
        const SiteFile &file = m_files.at(onDisk.at(i));
        if (outcome.written) {
            m_replaced.append(outcome.replaced);
            ++m_written;
            markFile(onDisk.at(i), tr("置換しました"));
        } else if (outcome.cancelled) {
            ++cancelled;
            markFile(onDisk.at(i), outcome.problem);
        } else {
            report(file.path, outcome.problem);
            markFile(onDisk.at(i), tr("置換しませんでした: %1").arg(outcome.problem));
        }
    }
    setBusy(false);
    lblProgress->setText(
        (cancelled > 0 ? tr("中止しました。%1 個のファイルは置換していません。").arg(cancelled)
                       : QString())
        + tr("%1 個のファイルを置換しました。").arg(m_written));
    if (!m_problems.isEmpty())
        Interaction::inform(tr("次のファイルは置換しませんでした。\r\n") + m_problems.join(u'\n'),
                            Interaction::Icon::Warning);
    emit replaceFinished();
}

void frmSiteFind::undoAll()
{
    if (m_thread)
        return;
    m_problems.clear();
    for (const WindowChange &change : std::as_const(m_windowChanges)) {
        if (change.doc && change.doc->txtText->text() == change.textAfter) {
            change.doc->txtText->undoStep();
            markFile(indexOfFile(change.path), tr("元に戻しました（ウィンドウ内）"));
        } else {
            report(change.path, tr("置換の後でウィンドウの内容が変更されました"));
            markFile(indexOfFile(change.path),
                     tr("元に戻しませんでした: %1")
                         .arg(tr("置換の後でウィンドウの内容が変更されました")));
        }
    }
    m_windowChanges.clear();
    const QList<ReplacedFile> files = std::exchange(m_replaced, {});
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    setBusy(true);
    cmdCancel->setEnabled(false); // putting back is not cut short halfway
    lblProgress->setText(tr("元に戻しています..."));
    auto answers = std::make_shared<QStringList>();
    runInBackground([=] { *answers = undoAllReplacements(files); },
                    [this, files, answers] { finishUndo(files, *answers); });
}

void frmSiteFind::finishUndo(const QList<ReplacedFile> &files, const QStringList &answers)
{
    for (qsizetype i = 0; i < files.size() && i < answers.size(); ++i) {
        const QString &problem = answers.at(i);
        if (!problem.isEmpty())
            report(files.at(i).path, problem);
        markFile(indexOfFile(files.at(i).path), problem.isEmpty()
                                                    ? tr("元に戻しました")
                                                    : tr("元に戻しませんでした: %1").arg(problem));
    }
    setBusy(false);
    lblProgress->setText(tr("置換を元に戻しました。"));
    if (!m_problems.isEmpty())
        Interaction::inform(tr("次のファイルは元に戻しませんでした。\r\n") + m_problems.join(u'\n'),
                            Interaction::Icon::Warning);
    emit undoFinished();
}

void frmSiteFind::showChange()
{
    QTreeWidgetItem *item = lstResults->currentItem();
    const int file = item ? item->data(0, FileRole).toInt() : -1;
    const QVariant match = item ? item->data(0, MatchRole) : QVariant();
    if (file < 0 || file >= m_files.size() || !match.isValid()) {
        lblChange->clear();
        return;
    }
    const TextMatch &found = m_files.at(file).matches.at(match.toInt());
    const qsizetype at = found.column - 1;
    const QString after
        = found.lineText.left(at) + found.replacement + found.lineText.mid(at + found.length);
    lblChange->setText(tr("置換前: %1\n置換後: %2").arg(found.lineText, after));
}

void frmSiteFind::openMatch(QTreeWidgetItem *item)
{
    const int file = item ? item->data(0, FileRole).toInt() : -1;
    if (file < 0 || file >= m_files.size())
        return;
    const SiteFile &found = m_files.at(file);
    ReadDoc(found.path);
    frmDocument *doc = documentShowing(found.path);
    const QVariant match = item->data(0, MatchRole);
    if (!doc || !match.isValid())
        return;
    // The window counts positions with CR LF breaks: the match is found by its line there.
    const TextMatch &at = found.matches.at(match.toInt());
    goToLine(*doc, at.line, at.column - 1);
}

frmSiteFind *showSiteFind(QWidget *frame, const QString &folder)
{
    auto *window
        = frame ? frame->findChild<frmSiteFind *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window)
        window = new frmSiteFind(frame);
    if (!folder.isEmpty() && !window->searching())
        window->txtFolder->setText(folder);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
