#pragma once

#include <QString>

// The per-user settings store: string values by application, section and key, key names
// without letter case. Lives in ~/.config/Orvine/Orvine.ini (QSettings, INI format).
namespace SettingsStore {

QString get(const QString &section, const QString &key, const QString &defaultValue = {});
void set(const QString &section, const QString &key, const QString &value);
bool getBool(const QString &section, const QString &key, bool defaultValue);
int getInt(const QString &section, const QString &key, int defaultValue);
void setBool(const QString &section, const QString &key, bool value);
void setInt(const QString &section, const QString &key, int value);
// Full path of the store's file.
QString fileName();

} // namespace SettingsStore
