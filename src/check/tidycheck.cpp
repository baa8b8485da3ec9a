#include "check/tidycheck.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>
#include <tidy.h>
#include <tidybuffio.h>
#include <vector>

namespace {

// Tidy counts a tab as the blanks up to the next stop of this width.
constexpr int TabSize = 8;

// A message as Tidy reports it: its place in Tidy's own counting.
struct RawMessage
{
    int line;
    int tidyColumn;
    FindingSeverity severity;
    QString id;
    QString message;
};

struct Collector
{
    const QStringList *hiddenIds;
    std::vector<RawMessage> messages;
};

std::optional<FindingSeverity> severityOf(TidyReportLevel level)
{
    switch (level) {
    case TidyInfo:
    case TidyWarning: return FindingSeverity::Warning;
    case TidyAccess: return FindingSeverity::Access;
    case TidyError:
    case TidyBadDocument:
    case TidyFatal: return FindingSeverity::Error;
    default: return std::nullopt;
    }
}

Bool TIDY_CALL collectMessage(TidyMessage message)
{
    auto *collector = static_cast<Collector *>(tidyGetAppData(tidyGetMessageDoc(message)));
    const std::optional<FindingSeverity> severity = severityOf(tidyGetMessageLevel(message));
    const int line = tidyGetMessageLine(message);
    // Messages about the whole run (the summary, the version guessed) have no place.
    if (!severity || line <= 0)
        return no;
    const QString id = QString::fromLatin1(tidyGetMessageKey(message));
    if (collector->hiddenIds->contains(id))
        return no;
    collector->messages.push_back({line, std::max(tidyGetMessageColumn(message), 1), *severity, id,
                                   QString::fromUtf8(tidyGetMessage(message)).trimmed()});
    return no; // nothing goes to Tidy's own output
}

// The DOCTYPE line given to Tidy in front of a page without one.
QString assumedDoctype(AssumedHtmlVersion version)
{
    switch (version) {
    case AssumedHtmlVersion::Html32:
        return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">");
    case AssumedHtmlVersion::Html401Transitional:
        return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
    case AssumedHtmlVersion::Html401Strict:
        return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">");
    case AssumedHtmlVersion::Automatic: break;
    }
    return {};
}

// Tidy's languages are chosen for the whole process; Japanese when the library has it.
void chooseLanguageOnce()
{
    static const bool chosen = [] {
        tidySetLanguage("ja");
        return true;
    }();
    Q_UNUSED(chosen);
}

struct TidyDocRelease
{
    void operator()(TidyDoc doc) const { tidyRelease(doc); }
};
using TidyDocument = std::unique_ptr<std::remove_pointer_t<TidyDoc>, TidyDocRelease>;

// Tidy reads CR, LF and CR LF each as one line break, but counts the column after a lone CR
// one too far: it is given LF alone.
QString withLineFeeds(const QString &text)
{
    QString fed = text;
    fed.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    fed.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return fed;
}

bool isHighSurrogateFollowedByLow(QStringView line, qsizetype at)
{
    return line[at].isHighSurrogate() && at + 1 < line.size() && line[at + 1].isLowSurrogate();
}

// Turns Tidy's places into lines and character columns: a line is walked once for all the
// messages on it, whatever its length.
QList<PageFinding> placeMessages(std::vector<RawMessage> &messages, QStringView text,
                                 int firstLineShift)
{
    std::stable_sort(messages.begin(), messages.end(),
                     [](const RawMessage &a, const RawMessage &b) {
                         return a.line != b.line ? a.line < b.line : a.tidyColumn < b.tidyColumn;
                     });
    QList<PageFinding> findings;
    findings.reserve(qsizetype(messages.size()));
    qsizetype lineStart = 0;
    int lineNumber = 1;
    size_t i = 0;
    while (i < messages.size()) {
        // Tidy may place a message just past the last line: it goes to the last line.
        while (lineNumber < messages[i].line) {
            const qsizetype end = text.indexOf(QLatin1Char('\n'), lineStart);
            if (end < 0)
                break;
            lineStart = end + 1;
            ++lineNumber;
        }
        qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        const QStringView line = text.mid(lineStart, lineEnd - lineStart);
        qsizetype at = 0;
        int tidyColumn = 1;
        int characters = 0;
        const int thisLine = messages[i].line;
        for (; i < messages.size() && messages[i].line == thisLine; ++i) {
            RawMessage &m = messages[i];
            int target = m.tidyColumn;
            if (lineNumber == 1)
                target = std::max(target - firstLineShift, 1);
            while (tidyColumn < target && at < line.size()) {
                const int next = line[at] == QLatin1Char('\t')
                                     ? tidyColumn + TabSize - (tidyColumn - 1) % TabSize
                                     : tidyColumn + 1;
                if (next > target)
                    break; // the place lies inside a tab: the tab itself
                tidyColumn = next;
                at += isHighSurrogateFollowedByLow(line, at) ? 2 : 1;
                ++characters;
            }
            findings.append(
                {lineNumber, characters + 1, m.severity, std::move(m.id), std::move(m.message)});
        }
    }
    return findings;
}

} // namespace

bool declaresDoctype(const QString &text)
{
    qsizetype at = 0;
    while (at < text.size()) {
        if (text[at].isSpace() || text[at] == QChar(0xFEFF)) {
            ++at;
        } else if (QStringView(text).mid(at, 4) == QLatin1String("<!--")) {
            const qsizetype end = text.indexOf(QStringLiteral("-->"), at + 4);
            if (end < 0)
                return false;
            at = end + 3;
        } else if (QStringView(text).mid(at, 2) == QLatin1String("<?")) {
            const qsizetype end = text.indexOf(QLatin1Char('>'), at);
            if (end < 0)
                return false;
            at = end + 1;
        } else {
            return QStringView(text).mid(at, 9).compare(QLatin1String("<!DOCTYPE"),
                                                        Qt::CaseInsensitive)
                   == 0;
        }
    }
    return false;
}

int lineOffsetOfColumn(QStringView line, int column)
{
    qsizetype at = 0;
    for (int c = 1; c < column && at < line.size(); ++c)
        at += isHighSurrogateFollowedByLow(line, at) ? 2 : 1;
    return int(at);
}

QList<PageFinding> tidyFindings(const QString &text, const PageCheckOptions &options)
{
    chooseLanguageOnce();
    const QString fed = withLineFeeds(text);
    QString prefix;
    if (options.assumedVersion != AssumedHtmlVersion::Automatic && !declaresDoctype(fed))
        prefix = assumedDoctype(options.assumedVersion);
    QByteArray input = prefix.toUtf8() + fed.toUtf8();

    Collector collector{&options.hiddenIds, {}};
    TidyDocument doc(tidyCreate());
    tidySetAppData(doc.get(), &collector);
    tidySetMessageCallback(doc.get(), collectMessage);
    tidySetInCharEncoding(doc.get(), "utf8");
    tidyOptSetBool(doc.get(), TidyQuiet, yes);
    tidyOptSetBool(doc.get(), TidyShowInfo, yes);
    tidyOptSetBool(doc.get(), TidyShowWarnings, yes);
    tidyOptSetInt(doc.get(), TidyShowErrors, INT_MAX);
    tidyOptSetInt(doc.get(), TidyTabSize, TabSize);
    tidyOptSetInt(doc.get(), TidyAccessibilityCheckLevel, options.accessibility ? 1 : 0);
    // Whatever Tidy writes besides the messages stays in this buffer.
    TidyBuffer errors;
    tidyBufInit(&errors);
    tidySetErrorBuffer(doc.get(), &errors);
    TidyBuffer page;
    tidyBufInit(&page);
    tidyBufAttach(&page, reinterpret_cast<byte *>(input.data()), uint(input.size()));
    if (tidyParseBuffer(doc.get(), &page) >= 0 && options.accessibility)
        tidyRunDiagnostics(doc.get());
    tidyBufDetach(&page);
    tidyBufFree(&errors);
    return placeMessages(collector.messages, fed, int(prefix.size()));
}
