#pragma once

#include <QList>
#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class frmDocument;

// The program's frame: an MDI area for the document windows, the toolbar, the status bar and
// the explorer pane on the left. While a document window is active its menus replace the
// frame's own on the menu bar.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The running frame, or nullptr.
    static frmMain *instance();

    QMdiArea *mdiArea = nullptr;
    QToolBar *tbToolBar = nullptr;
    QStatusBar *sbStatusBar = nullptr;
    QWidget *picTree = nullptr; // the explorer pane
    // Pointer shape of a splitter drag in progress on the pane (9, 7), 0 otherwise.
    int flgMouse = 0;
    // The frame's recent-file entries: 0 the separator, 1..15 the files.
    QList<QAction *> mnuFileMRU;
    // The frame's own menus, on the menu bar while no document window is active.
    QList<QMenu *> frameMenus;

    // Status bar panels, numbered from 1; the sixth shows the caret's column/line.
    static constexpr int PanelCount = 6;
    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;
    // A passing note in the status bar.
    void showNote(const QString &text);

    bool toolBarShown() const;
    bool statusBarShown() const;
    bool treeViewShown() const;
    void setToolBarShown(bool shown);
    void setStatusBarShown(bool shown);
    void setTreeViewShown(bool shown);
    // Lays out the pane and the MDI area again (after a visibility change).
    void relayout();

    // 0 cascade, 1 tile one above the other, 2 tile side by side, 3 arrange minimised windows.
    void arrange(int arrangement);

    void addDocument(frmDocument *document);
    frmDocument *activeDocument() const;
    QList<frmDocument *> documents() const;
    // Applies the recent-file list to mnuFileMRU entries 1..lastEntry.
    void refreshRecentFileMenu(int lastEntry);
    // Enables the toolbar's buttons from the third on.
    void enableEditButtons(bool enabled);
    // Normal pointer and no splitter drag.
    void resetMousePointer();
    // The folder of the explorer pane's current node; empty while it has none.
    QString currentExplorerPath() const;

    // Asks every other window to close, in list order; false when one of them stayed open.
    bool closeOtherWindows();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showMenusOf(QMdiSubWindow *window);
    void layoutMinimisedWindows();

    QList<QLabel *> m_panels;
    bool m_destroying = false;
};
