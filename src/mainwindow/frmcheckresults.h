#pragma once

#include "check/pagefinding.h"

#include <QDockWidget>
#include <QPointer>

class QTreeWidget;
class QTreeWidgetItem;
class frmDocument;

// The results of the page check, docked below the documents: one row per finding with its
// line, column, kind, message and id; for a folder, the rows grouped under each page.
// Double-clicking a row puts the caret on its place: in the checked document window, or in
// the page of a folder check, opened for it when it is not open yet.
class frmCheckResults : public QDockWidget
{
    Q_OBJECT

public:
    explicit frmCheckResults(QWidget *parent = nullptr);

    QTreeWidget *lstFindings = nullptr;

    void showPage(frmDocument *document, const QList<PageFinding> &findings);
    void showFolder(const QString &folder, const QList<FileFindings> &pages, bool cancelled);

    void lstFindings_DblClick(QTreeWidgetItem *item);

private:
    QTreeWidgetItem *addFinding(QTreeWidgetItem *parent, const PageFinding &finding,
                                const QString &path);
    void addNote(const QString &text);

    QPointer<frmDocument> m_document;
};

// Puts the caret of `document` on `line` (from 1) at `column` (from 1, in characters), brings
// its window to the front and gives it the focus.
void showPlace(frmDocument &document, int line, int column);
