#pragma once

#include "commands/commandtable.h"
#include "core/encodings.h"
#include "core/filelinessnapshot.h"
#include "core/filestamp.h"

#include <QHash>
#include <QList>
#include <QMdiSubWindow>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QTimer;
class RichTextBox;

class frmDocument;
class TypingHelp;
using DocumentCommandTable = CommandTable<frmDocument>;
using DocumentCommands = CommandRegistry<frmDocument>;

// A document window: one HTML file (or a never-saved new page) in the frame's MDI area. It
// keeps its state, its controls, its events and its menu plumbing; the menu commands are free
// functions registered per feature (DocumentCommands) and run by handler name. The window
// knows nothing of the frame: it reports through its signals, which the frame connects.
class frmDocument : public QMdiSubWindow
{
    Q_OBJECT

public:
    // The value of strFileName for a document that was never saved.
    static inline const QString NewFileName = QStringLiteral("NewHtml");

    // Creates the window hidden and runs its load steps (window state, settings, working
    // folder, recent-file entries). The creator fills it and calls showDocument().
    explicit frmDocument(QWidget *parent = nullptr);
    ~frmDocument() override;

    RichTextBox *txtText = nullptr;
    // Completion list, matching tags and line numbers of txtText.
    TypingHelp *typingHelp = nullptr;
    QTimer *Timer1 = nullptr; // caret position while txtText has the focus

    QString strFileName = NewFileName;
    // The file as this window last read or wrote it, and as the user was last told about it
    // (outsidechanges.h): a save or an activation that finds another file there asks first.
    FileStamp fileStamp;
    FileStamp fileStampTold;
    // The encoding the file was read in and is saved in; new documents are Shift-JIS.
    // Change it through setEncoding, which tells the status bar.
    TextEncoding encoding = TextEncoding::ShiftJis;
    void setEncoding(TextEncoding newEncoding);
    // The file as it was read or last saved, line by line: a save writes the lines the user
    // left alone as they were. None for a page that was never saved. After a save the lines
    // are found on another thread; the next save waits for them.
    FileLinesSnapshot fileLines;
    bool blnFlgDirty = false;
    bool blnCtrlKey = false;
    bool blnPasteKey = false;
    bool blnInTag = false;
    bool blnTagMark = false;
    qint32 lngCaretLine = 0;
    qint32 lngLineStart = 0;
    qint32 lngCaretColumn = 0;

    // Runs the command registered under `handler` ("mnuFileSave_Click"), with `index` for
    // control arrays. False when no such command is registered.
    Q_INVOKABLE bool run(const QString &handler, int index = -1);
    static bool hasCommand(const QString &handler) { return DocumentCommands::has(handler); }

    // A step that every new document window runs at the end of its load (the features above
    // the window connect their events here, as the re-editing does with the double-click).
    using SetUpStep = void (*)(frmDocument &doc);
    static void addSetUpStep(SetUpStep step);

    // Menu entries and menus by objectName (control-array items as "mnuRecentFile_3").
    QAction *action(const QString &objectName) const;
    QMenu *menu(const QString &objectName) const;
    // The menus that go on the frame's menu bar while this window is active.
    const QList<QMenu *> &menuBarMenus() const { return m_barMenus; }
    // Enables an entry, but never one whose command is not registered yet.
    void setCommandEnabled(const QString &objectName, bool enabled);

    QString caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }
    // The tag of txtText: a second copy of the document's path.
    QString textTag() const;
    void setTextTag(const QString &tag);

    // Shows the window after its creator has filled it, in the state the load step chose.
    void showDocument();

    // Writes the text to strFileName; false (after telling the user) when it failed.
    bool FileSave();
    // The close question about unsaved changes; false when the window must stay open (Cancel,
    // or a save that did not happen). A window whose question was answered closes afterwards
    // without asking again: the frame's shutdown asks every window before it closes any.
    bool queryClose();
    void closeAnswered();
    // Brings this window's and the frame's recent-file entries up to date.
    void RefreshRecentMenus();
    // One tick of Timer1: caret line and column, reported by caretMoved.
    void updateCaretPosition();

signals:
    // The caret's "column/line" for the status bar ("0/0" when the window closes).
    void caretMoved(const QString &position);
    // A passing note for the status bar.
    void note(const QString &text);
    // The document's encoding changed (read in, or saved in another one).
    void encodingChanged(TextEncoding encoding);
    // The recent-file list changed; menus that show it should follow.
    void recentFilesChanged();
    // The mouse moved over the text: any pointer shape of a drag elsewhere ends.
    void mouseMovedOverText();
    // Insert switched the text between inserting and overwriting.
    void overwriteModeChanged(bool overwrite);
    // Files were dropped on the text: they are to be opened as documents.
    void filesDropped(const QStringList &files);
    // The text was written to the document's file.
    void saved();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildMenus();
    QList<QAction *> recentFileItems() const;
    void connectText();
    void freeSystemMenuKeys();
    void onKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // Stores the window state under "ChildState" (never a minimised one).
    void storeChildState();
    int windowStateCode() const;
    QList<QMenu *> m_barMenus;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    int m_initialState = 0;
    bool m_closeAnswered = false;
};
