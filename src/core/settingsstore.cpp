#include "core/settingsstore.h"

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

void flush()
{
    if (batchDepth == 0)
        settings().sync();
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
    const QStringList keys = s.childKeys();
    for (const QString &candidate : keys) {
        if (candidate.compare(key, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return {};
}

// Removes every spelling of `key` in the open group except `keep`.
void removeVariants(const QString &key, const QString &keep)
{
    QSettings &s = settings();
    const QStringList keys = s.childKeys();
    for (const QString &candidate : keys) {
        if (candidate != keep && candidate.compare(key, Qt::CaseInsensitive) == 0)
            s.remove(candidate);
    }
}

// The stored text, or a null string when the key is missing.
QString storedText(const QString &section, const QString &key)
{
    Group group(section);
    const QString found = storedKey(key);
    if (found.isEmpty())
        return {};
    const QVariant value = settings().value(found);
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
        if (settings().value(key) != QVariant(value))
            settings().setValue(key, value);
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
    settings().sync();
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
        settings().sync();
}

} // namespace SettingsStore
