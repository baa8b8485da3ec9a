#pragma once

#include "sitefind/sitefind.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>

class frmDocument;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QThread;
class QTreeWidget;
class QTreeWidgetItem;

// "フォルダ内の検索・置換": finds a text in every page of a folder and replaces it, each file
// read and written in its own encoding. The search runs on a thread of its own and lists the
// matches as they come; a replace shows what it will change, asks, then writes the files (and
// changes the pages open in windows in those windows), and can be undone as a whole while the
// window stays open.
class frmSiteFind : public QWidget
{
    Q_OBJECT

public:
    explicit frmSiteFind(QWidget *owner = nullptr);
    ~frmSiteFind() override;

    QLineEdit *txtFind = nullptr;
    QLineEdit *txtReplace = nullptr;
    QLineEdit *txtFolder = nullptr;
    QLineEdit *txtPatterns = nullptr;
    QCheckBox *chkSubFolders = nullptr;
    QCheckBox *chkMatchCase = nullptr;
    QCheckBox *chkWholeWord = nullptr;
    QCheckBox *chkRegex = nullptr;
    QPushButton *cmdFind = nullptr;
    QPushButton *cmdReplace = nullptr;
    QPushButton *cmdUndo = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *lblProgress = nullptr;
    QTreeWidget *lstResults = nullptr;
    QLabel *lblChange = nullptr; // the old and the new line of the selected match

    // A search, a replace or its undo is running.
    bool searching() const { return m_thread != nullptr; }
    // Opens the file of a match at that match, or brings its window to the front.
    void openMatch(QTreeWidgetItem *item);

signals:
    void searchFinished();
    void replaceFinished();
    void undoFinished();

private:
    void buildControls();
    void startSearch(bool forReplace);
    void addFile(const SiteFile &file);
    void addSkipped(const SkippedFile &skipped);
    void finishSearch();
    void replaceAll();
    void finishReplace(const QList<qsizetype> &onDisk, const QList<ReplaceOutcome> &outcomes);
    bool replaceInWindow(frmDocument &doc, const SiteFile &file, QString *problem);
    void undoAll();
    void finishUndo(const QList<ReplacedFile> &files, const QStringList &answers);
    // Runs `work` on a thread of its own, then `done` on this window's thread.
    void runInBackground(std::function<void()> work, std::function<void()> done);
    // Marks the line of the file in the results list with what the replace did to it.
    void markFile(qsizetype index, const QString &outcome);
    // The place of the file at `path` in the list, or -1.
    qsizetype indexOfFile(const QString &path) const;
    void report(const QString &path, const QString &problem);
    void showChange();
    void setBusy(bool busy);

    struct WindowChange
    {
        QPointer<frmDocument> doc;
        QString path;
        QString textAfter;
    };

    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    bool m_forReplace = false;
    bool m_cancelled = false;
    int m_matchCount = 0;
    QList<SiteFile> m_files;
    QList<QTreeWidgetItem *> m_fileItems; // the line of each file found
    QStringList m_problems;
    int m_written = 0;
    QList<ReplacedFile> m_replaced;
    QList<WindowChange> m_windowChanges;
};

// Shows the window (one per frame) with `folder` as the folder to search.
frmSiteFind *showSiteFind(QWidget *frame, const QString &folder);
