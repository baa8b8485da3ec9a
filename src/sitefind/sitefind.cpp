#include "sitefind/sitefind.h"

#include "core/documentfile.h"
#include "core/unmappablechars.h"

#include <QFileInfo>
#include <QObject>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

bool isUtf16(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf16LeBom || encoding == TextEncoding::Utf16BeBom;
}

} // namespace

namespace {

// What became of one listed file: its matches, or why it was skipped.
struct Examined
{
    SiteFile file;
    std::optional<SkippedFile> skipped;
};

Examined examine(const QString &path, const QRegularExpression &expression,
                 const SiteSearch &search, const QHash<QString, QString> &windowTexts)
{
    Examined result;
    SiteFile &file = result.file;
    file.path = path;
    const auto window = windowTexts.isEmpty()
                            ? windowTexts.cend()
                            : windowTexts.constFind(QFileInfo(path).canonicalFilePath());
    const ReadResult read = readDocumentFile(path);
    if (window != windowTexts.cend()) {
        file.encoding = read.encoding;
        file.text = *window;
        file.inWindow = true;
    } else if (!read.error.ok()) {
        result.skipped = {path, QObject::tr("読み込めません（%1）").arg(read.error.description)};
        return result;
    } else if (!isUtf16(read.encoding) && read.lines->bytes().contains('\0')) {
        result.skipped = {path, QObject::tr("バイナリファイル")};
        return result;
    } else {
        file.encoding = read.encoding;
        file.text = read.text;
        file.lines = read.lines;
        file.stamp = read.stamp;
    }
    file.matches = findMatches(file.text, expression, search);
    return result;
}

// Runs a worker for every index below `count` on `workers` threads; `makeWork` gives each
// thread its worker.
void onWorkers(int count, int workers, const std::function<std::function<void(int)>()> &makeWork)
{
    std::atomic<int> next = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < std::min(workers, count); ++i)
        threads.emplace_back([&] {
            const std::function<void(int)> work = makeWork();
            for (int index; (index = next.fetch_add(1)) < count;)
                work(index);
        });
    for (std::thread &thread : threads)
        thread.join();
}

} // namespace

void findInSite(const SiteFileFilter &filter, const SiteSearch &search,
                const QHash<QString, QString> &windowTexts, const SiteFindReceiver &receiver)
{
    const SiteFileListing listing = listSiteFiles(filter);
    for (const SkippedFile &skipped : listing.skipped)
        if (receiver.skipped)
            receiver.skipped(skipped);
    const int total = int(listing.files.size());
    if (receiver.progress && !receiver.progress(0, total))
        return;
    // Files are read on several threads; their results are passed on in the order of the
    // listing, from one thread at a time.
    std::mutex lock;
    std::vector<std::optional<Examined>> results(static_cast<size_t>(total));
    int delivered = 0;
    std::atomic<bool> stopped = false;
    const auto examineAndDeliver = [&](int index, const QRegularExpression &expression) {
        if (stopped.load())
            return;
        Examined examined = examine(listing.files.at(index), expression, search, windowTexts);
        const std::lock_guard<std::mutex> guard(lock);
        results[size_t(index)] = std::move(examined);
        while (delivered < total && results[size_t(delivered)] && !stopped.load()) {
            Examined done = std::move(*results[size_t(delivered)]);
            results[size_t(delivered)].reset();
            ++delivered;
            if (done.skipped && receiver.skipped)
                receiver.skipped(*done.skipped);
            else if (!done.file.matches.isEmpty() && receiver.found)
                receiver.found(done.file);
            if (receiver.progress && !receiver.progress(delivered, total))
                stopped.store(true);
        }
    };
    // Reading waits on the disk as much as on the processor.
    const int workers = std::clamp(int(std::thread::hardware_concurrency()), 2, 4);
    onWorkers(total, workers, [&]() -> std::function<void(int)> {
        // An expression of each thread's own: they match at the same time.
        auto expression = std::make_shared<QRegularExpression>(searchExpression(search));
        return [&, expression](int index) { examineAndDeliver(index, *expression); };
    });
}

QString unholdableReplacements(const SiteFile &file)
{
    QString inserted;
    for (const TextMatch &match : file.matches)
        inserted += match.replacement + u'\n';
    const QList<UnmappableCharacter> characters = unmappableCharacters(inserted, file.encoding);
    return characters.isEmpty() ? QString() : describeUnmappable(characters);
}

bool writeReplacements(const SiteFile &file, ReplacedFile *replaced, QString *problem,
                       FolderSyncs *folderSyncs)
{
    if (!file.lines || fileStampOf(file.path) != file.stamp) {
        *problem = QObject::tr("検索の後でファイルが変更されました");
        return false;
    }
    const QString unholdable = unholdableReplacements(file);
    if (!unholdable.isEmpty()) {
        *problem = QObject::tr("%1 で保存できない文字があります: %2")
                       .arg(encodingName(file.encoding), unholdable);
        return false;
    }
    const WriteResult result = writeDocumentFile(file.path, replaceMatches(file.text, file.matches),
                                                 file.encoding, file.lines, folderSyncs);
    if (!result.error.ok()) {
        *problem = result.error.description;
        return false;
    }
    *replaced = {file.path, file.lines, result.stamp};
    return true;
}

QString undoReplacement(const ReplacedFile &replaced, FolderSyncs *folderSyncs)
{
    if (fileStampOf(replaced.path) != replaced.written)
        return QObject::tr("置換の後でファイルが変更されました");
    const WriteResult result
        = writeDocumentFile(replaced.path, replaced.before->text(), replaced.before->encoding(),
                            replaced.before, folderSyncs);
    return result.error.ok() ? QString() : result.error.description;
}

QList<ReplaceOutcome> writeAllReplacements(const QList<SiteFile> &files,
                                           const std::function<bool(int done, int total)> &progress)
{
    const int total = int(files.size());
    QList<ReplaceOutcome> outcomes(total);
    FolderSyncs folderSyncs;
    std::mutex lock;
    int done = 0;
    std::atomic<bool> stopped = false;
    // Each file waits for its bytes to reach the disk before it is renamed into place: those
    // waits overlap. The renames reach the disk with one sync of each folder, at the end.
    onWorkers(total, 32, [&]() -> std::function<void(int)> {
        return [&](int index) {
            ReplaceOutcome &outcome = outcomes[index];
            if (stopped.load()) {
                outcome.cancelled = true;
                outcome.problem = QObject::tr("中止したため置換しませんでした");
                return;
            }
            outcome.written = writeReplacements(files.at(index), &outcome.replaced,
                                                &outcome.problem, &folderSyncs);
            if (!progress)
                return;
            const std::lock_guard<std::mutex> guard(lock);
            if (!progress(++done, total))
                stopped.store(true);
        };
    });
    folderSyncs.syncAll();
    return outcomes;
}

QStringList undoAllReplacements(const QList<ReplacedFile> &replaced)
{
    QStringList problems(replaced.size());
    FolderSyncs folderSyncs;
    onWorkers(int(replaced.size()), 32, [&]() -> std::function<void(int)> {
        return
            [&](int index) { problems[index] = undoReplacement(replaced.at(index), &folderSyncs); };
    });
    folderSyncs.syncAll();
    return problems;
}
