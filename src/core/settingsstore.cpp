#include "core/settingsstore.h"

#include "core/filestamp.h"
#include "core/interaction.h"

#include <QHash>
#include <QSettings>
#include <QStringList>

#include <cmath>
#include <limits>
#include <optional>

namespace SettingsStore {
namespace {

// One QSettings for the whole run: opening the file per key would make LoadSettings read it a
// hundred times.
QSettings &settings()
{
    static QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Orvine"),
                           QStringLiteral("Orvine"));
    return store;
}

int batchDepth = 0;
bool writeFailureTold = false;

// Every stored spelling of every key, by the case-folded path of the key (group and name).
// Key names match without letter case; without the index each key not stored in its own
// spelling would list all the keys of the file, which made a start with a large file take
// seconds. It is built from the file when first needed and again whenever another program (or
// a hand edit) has changed the file since the store last wrote or read it. Most keys have one
// spelling, kept in `m_first`; the rare further spellings wait in `m_more`.
class KeySpellings
{
public:
    QStringList of(const QString &group, const QString &key)
    {
        if (!m_built)
            build();
        const QString path = foldedPath(group, key);
        const auto first = m_first.constFind(path);
        if (first == m_first.cend())
            return {};
        return QStringList{*first} + m_more.value(path);
    }
    void set(const QString &group, const QString &key, const QString &spelling)
    {
        if (!m_built)
            return; // built from the file when first needed
        const QString path = foldedPath(group, key);
        m_more.remove(path);
        if (spelling.isEmpty())
            m_first.remove(path);
        else
            m_first.insert(path, spelling);
    }
    void forget()
    {
        m_built = false;
        m_first = {};
        m_more = {};
    }
    // The file as the store knows it; a different file on disk means the index is stale.
    FileStamp knownStamp;

private:
    static QString foldedPath(const QString &group, const QString &key)
    {
        return group.isEmpty() ? key.toCaseFolded() : (group + u'/' + key).toCaseFolded();
    }
    void build()
    {
        QSettings &s = settings();
        const QString open = s.group();
        while (!s.group().isEmpty())
            s.endGroup();
        const QStringList paths = s.allKeys();
        m_first.reserve(paths.size());
        for (const QString &path : paths) {
            const QString key = path.mid(path.lastIndexOf(u'/') + 1);
            const QString folded = path.toCaseFolded();
            const auto found = m_first.constFind(folded);
            if (found == m_first.cend())
                m_first.insert(folded, key);
            else
                m_more[folded].append(key);
        }
        if (!open.isEmpty())
            s.beginGroup(open);
        m_built = true;
    }

    bool m_built = false;
    QHash<QString, QString> m_first;
    QHash<QString, QStringList> m_more;
};

KeySpellings &keySpellings()
{
    // Never destroyed: freeing an index of a large file one key at a time would only slow the
    // program's exit.
    static KeySpellings *spellings = new KeySpellings;
    return *spellings;
}

// Writes what is pending. When the file cannot be written (a read-only folder, a full disk, a
// folder in its place) the values stay in memory for this run and the user is told once; a
// later successful write ends that episode.
void writeNow()
{
    QSettings &s = settings();
    // The store re-reads a file that changed on disk as it writes: its keys are indexed anew.
    if (fileStampOf(s.fileName()) != keySpellings().knownStamp)
        keySpellings().forget();
    s.sync();
    keySpellings().knownStamp = fileStampOf(s.fileName());
    if (s.status() != QSettings::AccessError) {
        writeFailureTold = false;
        return;
    }
    if (writeFailureTold)
        return;
    writeFailureTold = true;
    Interaction::inform(QObject::tr("設定ファイルに書き込めません。\n%1\n\n"
                                    "変更した設定はこのプログラムを終了するまで有効ですが、"
                                    "次回の起動には引き継がれません。")
                            .arg(s.fileName()),
                        Interaction::Icon::Warning);
}

void flush()
{
    if (batchDepth == 0)
        writeNow();
}

// Texts with kept bytes (unpaired surrogates) do not survive the store's UTF-8: such a text is
// stored as a byte array holding its generalized UTF-8 form, in which an unpaired surrogate is
// written as its own three bytes, and read back from it.
bool hasUnpairedSurrogate(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return true;
    }
    return false;
}

QByteArray toGeneralizedUtf8(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 3);
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text.at(i).unicode();
        if (QChar::isHighSurrogate(code) && i + 1 < text.size()
            && text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }
    return out;
}

// Reads generalized UTF-8; a byte that starts no complete sequence reads as U+FFFD.
QString fromGeneralizedUtf8(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    const auto byteAt = [&](qsizetype i) { return uchar(bytes.at(i)); };
    for (qsizetype i = 0; i < bytes.size();) {
        const uchar lead = byteAt(i);
        const int length = lead < 0x80                   ? 1
                           : lead >= 0xF0 && lead < 0xF5 ? 4
                           : lead >= 0xE0                ? 3
                           : lead >= 0xC2 && lead < 0xE0 ? 2
                                                         : 0;
        char32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        bool complete = length > 0 && i + length <= bytes.size();
        for (int k = 1; complete && k < length; ++k) {
            const uchar next = byteAt(i + k);
            complete = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!complete || code < least[length] || code > 0x10FFFF) {
            out += QChar(QChar::ReplacementCharacter);
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            out += QChar(QChar::highSurrogate(code));
            out += QChar(QChar::lowSurrogate(code));
        } else {
            out += QChar(char16_t(code));
        }
        i += length;
    }
    return out;
}

QVariant storedForm(const QString &value)
{
    return hasUnpairedSurrogate(value) ? QVariant(toGeneralizedUtf8(value)) : QVariant(value);
}

// Opens `section` for the lifetime of the object.
class Group
{
public:
    explicit Group(const QString &section) { settings().beginGroup(section); }
    ~Group() { settings().endGroup(); }
    Group(const Group &) = delete;
    Group &operator=(const Group &) = delete;
};

// The stored spelling of `key` in the open group, or an empty string when there is none.
QString storedKey(const QString &key)
{
    QSettings &s = settings();
    if (s.contains(key))
        return key;
    for (const QString &candidate : keySpellings().of(s.group(), key)) {
        if (s.contains(candidate))
            return candidate;
    }
    return {};
}

// Removes every spelling of `key` in the open group except `keep`.
void removeVariants(const QString &key, const QString &keep)
{
    QSettings &s = settings();
    const QStringList spellings = keySpellings().of(s.group(), key);
    for (const QString &candidate : spellings) {
        if (candidate != keep)
            s.remove(candidate);
    }
    keySpellings().set(s.group(), key, keep);
}

// The stored text, or a null string when the key is missing.
QString storedText(const QString &section, const QString &key)
{
    Group group(section);
    const QString found = storedKey(key);
    if (found.isEmpty())
        return {};
    const QVariant value = settings().value(found);
    if (value.typeId() == QMetaType::QByteArray)
        return fromGeneralizedUtf8(value.toByteArray());
    // A hand-edited value with unquoted commas reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    const QString text = value.toString();
    return text.isNull() ? QString(QLatin1String("")) : text;
}

// The stored text as a finite number, if it is one.
std::optional<double> storedNumber(const QString &text)
{
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

} // namespace

QString get(const QString &section, const QString &key, const QString &defaultValue)
{
    const QString text = storedText(section, key);
    return text.isNull() ? defaultValue : text;
}

void set(const QString &section, const QString &key, const QString &value)
{
    {
        Group group(section);
        removeVariants(key, key);
        // An unchanged value is not written again: the file is replaced only when it changes.
        const QVariant stored = storedForm(value);
        if (settings().value(key) != stored)
            settings().setValue(key, stored);
    }
    flush();
}

bool getBool(const QString &section, const QString &key, bool defaultValue)
{
    const QString text = storedText(section, key).trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> number = storedNumber(text);
    return number ? *number != 0 : defaultValue;
}

int getInt(const QString &section, const QString &key, int defaultValue)
{
    const QString text = storedText(section, key).trimmed();
    bool ok = false;
    const int whole = text.toInt(&ok);
    if (ok)
        return whole;
    // Decimal fractions round to the nearest whole number, as the classic conversion does.
    const std::optional<double> number = storedNumber(text);
    if (!number)
        return defaultValue;
    const double rounded = std::round(*number);
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return defaultValue;
    return static_cast<int>(rounded);
}

void setBool(const QString &section, const QString &key, bool value)
{
    set(section, key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

void setInt(const QString &section, const QString &key, int value)
{
    set(section, key, QString::number(value));
}

void remove(const QString &section, const QString &key)
{
    {
        Group group(section);
        removeVariants(key, QString());
    }
    flush();
}

void sync()
{
    writeNow();
}

QString fileName()
{
    return settings().fileName();
}

Batch::Batch()
{
    ++batchDepth;
}

Batch::~Batch()
{
    if (--batchDepth == 0)
        writeNow();
}

} // namespace SettingsStore
