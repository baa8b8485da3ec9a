#pragma once

#include "core/recoveryrecord.h"

#include <QDialog>
#include <QList>

class QPushButton;
class QTreeWidget;
class RecoveryFolder;

// The window a start shows when an earlier run ended without closing its pages: one row per
// recovery file (the page's name or "新規", when its text was taken, its size, its first line),
// and for the chosen one: restore it as a changed document, show how it differs from the file
// on the disk, or discard it. Rows left when the window closes stay for the next start.
class frmRecover : public QDialog
{
    Q_OBJECT

public:
    frmRecover(RecoveryFolder &folder, const QStringList &files, QWidget *parent = nullptr);

    QTreeWidget *lstFiles = nullptr;
    QPushButton *cmdRestore = nullptr;
    QPushButton *cmdDifference = nullptr;
    QPushButton *cmdDiscard = nullptr;
    QPushButton *cmdClose = nullptr;

    // How many pages were restored.
    int restoredCount() const { return m_restored; }

    void cmdRestore_Click();
    void cmdDifference_Click();
    void cmdDiscard_Click();

private:
    struct Entry
    {
        QString file;
        RecoveryRecord record;
    };
    int chosen() const;
    void removeRow(int row);
    void enableButtons();
    RecoveryFolder &m_folder;
    QList<Entry> m_entries;
    int m_restored = 0;
};

// Offers the files that runs which are gone left in `folder`, when there are any. Returns how
// many pages were restored. Files that do not read as recovery files are set aside silently.
int offerRecovery(RecoveryFolder &folder, QWidget *parent);
