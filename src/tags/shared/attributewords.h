#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The words an attribute of a tag takes as its value, as a family's dialogs write them; the
// list of names offered while typing is built from these.
struct AttributeWords
{
    QString tag; // upper case
    QString attribute;
    QStringList words;
};
