#pragma once

// Small local pages for the preview tests, written into a scratch folder whose name has a
// blank, ";" and Japanese characters, as users' folders do.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

class PreviewPages
{
public:
    PreviewPages() : folder(QDir::tempPath() + QStringLiteral("/プレビュー; test XXXXXX")) {}

    // Writes a page titled `title` and returns its path.
    QString write(const QString &name, const QString &title)
    {
        const QString file = folder.filePath(name);
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly)) << file.toStdString();
        out.write(QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                                 "<body><p>%1</p></body></html>")
                      .arg(title)
                      .toUtf8());
        return file;
    }

    QString path(const QString &name) const { return folder.filePath(name); }

    QTemporaryDir folder;
};

// Waits for `condition` (up to ten seconds); the page loads are asynchronous.
template <class Condition> bool waitFor(Condition condition)
{
    return QTest::qWaitFor(condition, 10000);
}
