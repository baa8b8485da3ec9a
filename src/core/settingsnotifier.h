#pragma once

#include <QObject>

// Tells open windows that the user changed the options and that they were stored, so that a
// window which keeps a copy of an option can follow.
class SettingsNotifier : public QObject
{
    Q_OBJECT

public:
    static SettingsNotifier &instance();

signals:
    void optionsChanged();
};
