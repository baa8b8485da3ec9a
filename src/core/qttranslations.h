#pragma once

#include <QLocale>

// Loads Qt's own translations (file, colour and print dialogs, standard buttons) for `locale`
// from Qt's translations folder and installs them in the application. False when Qt has none
// for that language.
bool installQtTranslations(const QLocale &locale = QLocale());
