#pragma once

#include <QList>
#include <QString>

class QRadioButton;

// An option array read and set by the captions of its buttons.

// The caption of the selected option, or empty when none is selected.
QString selectedCaption(const QList<QRadioButton *> &options);
// Selects the option captioned `caption`; any other text (empty included) selects none.
void selectCaption(const QList<QRadioButton *> &options, const QString &caption);
