#pragma once

#include "core/livepreview.h"
#include "mainwindow/framecommands.h"

#include <QDockWidget>
#include <QPointer>
#include <QThreadPool>
#include <QUrl>

class QAction;
class QTimer;
class frmDocument;
class frmMain;

// The live preview pane, docked beside the documents (or below them): the active document's
// page as it is being typed. It follows the active document window; after each change it
// waits for a quiet moment and hands the text to the view as bytes in the document's
// encoding, with the page's own address as the base for its relative addresses (a page never
// saved has none). Nothing is saved and no file is written. While the pane is hidden it does
// no work; shown again, it catches up. When the page is to follow the caret, or a click in it
// is to put the caret on its source, the copy handed to the view carries the source position
// of each start tag (livepreviewmarks.h).
class LivePreviewPane : public QDockWidget
{
    Q_OBJECT

public:
    explicit LivePreviewPane(frmMain &frame);
    ~LivePreviewPane() override;

    // The web view; nullptr when the program has no live preview view installed.
    LivePreviewView *view() const { return m_view; }
    QTimer *updateTimer() const { return m_timer; }
    QTimer *caretTimer() const { return m_caretTimer; }
    frmDocument *document() const { return m_document; }
    // How many pages the pane has handed to its view.
    int pagesHanded() const { return m_pagesHanded; }

    // Follows `document` (nullptr: no document, an empty page).
    void follow(frmDocument *document);
    // Hands the current text to the view now (when the pane is shown). The text is taken at
    // once; it is encoded on a thread of its own and handed over when ready, unless a newer
    // text overtook it.
    void updateNow();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void textChanged();
    void applySettings(const LivePreviewSettings &settings);
    // The page shown is that of the text as it is now.
    bool pageCurrent() const;
    void followCaret();
    void sourceClicked(qint64 position);
    void documentSaved();
    void hand(int preparation, const QByteArray &bytes, const QByteArray &charset,
              const QUrl &base);

    frmMain &m_frame;
    LivePreviewView *m_view = nullptr;
    QTimer *m_timer;
    QTimer *m_caretTimer;
    QPointer<frmDocument> m_document;
    QList<QMetaObject::Connection> m_documentConnections;
    bool m_stale = true;
    int m_pagesHanded = 0;
    bool m_followCaret = false;
    bool m_clickToSource = false;
    bool m_marked = false;       // the page handed last carries source positions
    QUrl m_baseHanded;           // the base address handed last
    bool m_shownCurrent = false; // the page shown is the one of the text as it is
    QThreadPool m_encoder;       // one thread: encodes the text handed next
    int m_preparations = 0;      // counts the texts taken, so that an overtaken one is dropped
};

// The pane of `frame`, nullptr until it was first shown.
LivePreviewPane *livePreviewPane(const frmMain &frame);
bool livePreviewShown(const frmMain &frame);
// Shows or hides the pane (made the first time), marks the menu entries and the toolbar
// button and remembers the choice.
void setLivePreviewShown(frmMain &frame, bool shown);
// Adds the toolbar button and shows the pane when it was shown last time; remembers the
// pane's side and size when the frame closes.
void attachLivePreview(frmMain &frame);

// "ライブプレビュー" of the View menus of the frame and of the document window.
FrameCommandTable frameLivePreviewCommands();
DocumentCommandTable documentLivePreviewCommands();
void registerLivePreviewCommands();

// The charset name a browser knows for `encoding`.
QByteArray charsetOf(TextEncoding encoding);
