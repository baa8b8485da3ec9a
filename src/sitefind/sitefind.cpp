#include "sitefind/sitefind.h"

#include "core/documentfile.h"
#include "core/unmappablechars.h"

#include <QFileInfo>
#include <QObject>

namespace {

bool isUtf16(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf16LeBom || encoding == TextEncoding::Utf16BeBom;
}

} // namespace

void findInSite(const SiteFileFilter &filter, const SiteSearch &search,
                const QHash<QString, QString> &windowTexts, const SiteFindReceiver &receiver)
{
    const SiteFileListing listing = listSiteFiles(filter);
    for (const SkippedFile &skipped : listing.skipped)
        if (receiver.skipped)
            receiver.skipped(skipped);
    const QRegularExpression expression = searchExpression(search);
    const int total = int(listing.files.size());
    for (int done = 0; done < total; ++done) {
        if (receiver.progress && !receiver.progress(done, total))
            return;
        SiteFile file;
        file.path = listing.files.at(done);
        const auto window = windowTexts.isEmpty()
                                ? windowTexts.cend()
                                : windowTexts.constFind(QFileInfo(file.path).canonicalFilePath());
        const ReadResult read = readDocumentFile(file.path);
        if (window != windowTexts.cend()) {
            file.encoding = read.encoding;
            file.text = *window;
            file.inWindow = true;
        } else if (!read.error.ok()) {
            if (receiver.skipped)
                receiver.skipped(
                    {file.path, QObject::tr("読み込めません（%1）").arg(read.error.description)});
            continue;
        } else if (!isUtf16(read.encoding) && read.lines->bytes().contains('\0')) {
            if (receiver.skipped)
                receiver.skipped({file.path, QObject::tr("バイナリファイル")});
            continue;
        } else {
            file.encoding = read.encoding;
            file.text = read.text;
            file.lines = read.lines;
            file.stamp = read.stamp;
        }
        file.matches = findMatches(file.text, expression, search);
        if (!file.matches.isEmpty() && receiver.found)
            receiver.found(file);
    }
    if (receiver.progress)
        receiver.progress(total, total);
}

QString unholdableReplacements(const SiteFile &file)
{
    QString inserted;
    for (const TextMatch &match : file.matches)
        inserted += match.replacement + u'\n';
    const QList<UnmappableCharacter> characters = unmappableCharacters(inserted, file.encoding);
    return characters.isEmpty() ? QString() : describeUnmappable(characters);
}

bool writeReplacements(const SiteFile &file, ReplacedFile *replaced, QString *problem)
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
                                                 file.encoding, file.lines);
    if (!result.error.ok()) {
        *problem = result.error.description;
        return false;
    }
    *replaced = {file.path, file.lines, result.stamp};
    return true;
}

QString undoReplacement(const ReplacedFile &replaced)
{
    if (fileStampOf(replaced.path) != replaced.written)
        return QObject::tr("置換の後でファイルが変更されました");
    const WriteResult result = writeDocumentFile(replaced.path, replaced.before->text(),
                                                 replaced.before->encoding(), replaced.before);
    return result.error.ok() ? QString() : result.error.description;
}
