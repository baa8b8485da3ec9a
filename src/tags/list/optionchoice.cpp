#include "tags/list/optionchoice.h"

#include <QRadioButton>

QString selectedCaption(const QList<QRadioButton *> &options)
{
    for (const QRadioButton *option : options) {
        if (option->isChecked())
            return option->text();
    }
    return {};
}

void selectCaption(const QList<QRadioButton *> &options, const QString &caption)
{
    // An exclusive option cannot be unticked directly; lift the exclusiveness meanwhile.
    for (QRadioButton *option : options) {
        option->setAutoExclusive(false);
        option->setChecked(!caption.isEmpty() && option->text() == caption);
    }
    for (QRadioButton *option : options)
        option->setAutoExclusive(true);
}
