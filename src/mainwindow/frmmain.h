#pragma once

#include "core/settings.h"

#include <QHash>
#include <QList>
#include <QMainWindow>

class ExplorerPane;
class ExplorerTree;
class FrameClient;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;
class frmDocument;

// The program's frame: an MDI area for the document windows, the toolbar, the status bar and
// the explorer pane on the left. While a document window is active its menus replace the
// frame's own on the menu bar. The frame is also where the settings store gets the layout it
// keeps: bar and pane visibility, pane sizes, window state and normal-state geometry.
class frmMain : public QMainWindow, public FrameLayout
{
    Q_OBJECT

public:
    // Load: restores the layout, reads the settings, lays out the pane and changes to the
    // folder of the last document.
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The running frame, or nullptr.
    static frmMain *instance();

    QMdiArea *mdiArea = nullptr;
    QToolBar *tbToolBar = nullptr;
    QStatusBar *sbStatusBar = nullptr;
    ExplorerPane *picTree = nullptr;
    // The behaviour of the pane's tree and preview.
    ExplorerTree *explorer = nullptr;
    // Pointer shape of a splitter drag in progress on the pane (9, 7), 0 otherwise.
    int flgMouse = 0;
    // The frame's recent-file entries: 0 the separator, 1..15 the files.
    QList<QAction *> mnuFileMRU;
    // The frame's own menus, on the menu bar while no document window is active.
    QList<QMenu *> frameMenus;
    // The help file; empty when the program has none.
    QString helpFile;

    // Runs the frame's command `handler` ("mnuFileOpen_Click"), with `index` for the
    // recent-file entries. False when the frame has no such command.
    bool run(const QString &handler, int index = -1);
    static bool hasCommand(const QString &handler);
    // The frame's menu entries and menus by objectName ("mnuFileMRU_3").
    QAction *action(const QString &objectName) const;
    QMenu *menu(const QString &objectName) const;

    // Status bar panels, numbered from 1: the explorer's path, insert or overwrite, whether
    // the active document has changed, the date, the time, the caret's column/line, the active
    // document's encoding.
    static constexpr int PanelCount = 7;
    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;
    // A passing note in the status bar.
    void showNote(const QString &text);
    // Panels 2 to 5 and 7 brought up to date (a clock ticks this every second).
    void refreshStatusPanels();

    bool toolBarShown() const;
    bool statusBarShown() const;
    bool treeViewShown() const;
    void setToolBarShown(bool shown);
    void setStatusBarShown(bool shown);
    void setTreeViewShown(bool shown);
    // Lays out the pane and the MDI area again; nothing happens while the frame is minimised.
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

    // Asks every document its close question, then closes the windows in list order and then
    // every other window of the program; false when one of them cancelled (with every window
    // still open when a document cancelled).
    bool closeOtherWindows();

    // The layout the settings store keeps, in twips.
    Values current() const override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void restoreLayout();
    void buildStatusBar();
    void showMenusOf(QMdiSubWindow *window);
    void layoutMinimisedWindows();
    void cascade();
    // How far each document window opens right and down from the one before.
    int documentStep() const;
    int windowStateCode() const;

    FrameClient *m_client = nullptr;
    QList<QLabel *> m_panels;
    QTimer *m_clock = nullptr;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    bool m_destroying = false;
};
