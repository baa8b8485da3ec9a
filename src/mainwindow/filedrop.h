#pragma once

#include <QStringList>

#include <functional>

class QWidget;

// Makes `target` take drags that carry local files and hand the files to `open` when they are
// dropped. Drags of anything else pass by.
void acceptFileDrops(QWidget *target, std::function<void(const QStringList &files)> open);

// Opens each dropped file as a document (or brings its window forward).
void openDroppedFiles(const QStringList &files);
