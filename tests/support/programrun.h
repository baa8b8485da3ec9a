#pragma once

#include <QString>
#include <QStringList>

// Starts the built or installed program as a process of its own, with settings and a runtime
// folder of its own, asks it to report when it has shown a saved page in its built-in browser
// (ORVINE_PAINT_REPORT=preview), and answers all it wrote once it has finished or been
// stopped after three minutes.
QString previewRunOutput(const QString &program, const QString &page);

// Makes an empty file at `relative` under `root`, with the folders on its way.
void makeEmptyFile(const QString &root, const QString &relative);
