#pragma once

#include <QString>

// The per-user settings store: string values by application, section and key, key names
// without letter case. Lives in ~/.config/Orvine/Orvine.ini (QSettings, INI format).
//
// Sections are INI groups. Reading finds a stored key whatever its letter case; writing first
// removes every other spelling of the key, so one entry remains. Each write reaches the file at
// once (an atomic replace) unless a Batch is open.
namespace SettingsStore {

QString get(const QString &section, const QString &key, const QString &defaultValue = {});
void set(const QString &section, const QString &key, const QString &value);
// A stored text that does not convert reads as the default. Booleans accept "True"/"False" in
// any letter case and numbers (non-zero is true); numbers accept decimal text.
bool getBool(const QString &section, const QString &key, bool defaultValue);
int getInt(const QString &section, const QString &key, int defaultValue);
// Booleans are written as "True" or "False", numbers as decimal text.
void setBool(const QString &section, const QString &key, bool value);
void setInt(const QString &section, const QString &key, int value);
// Removes the key in every letter case.
void remove(const QString &section, const QString &key);
// Re-reads the file when something else changed it and writes what is pending.
void sync();
// Full path of the store's file.
QString fileName();

// While a Batch lives, writes collect in memory; the outermost one writes them all at its end.
class Batch
{
public:
    Batch();
    ~Batch();
    Batch(const Batch &) = delete;
    Batch &operator=(const Batch &) = delete;
};

} // namespace SettingsStore
