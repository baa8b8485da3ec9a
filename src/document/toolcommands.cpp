#include "document/csvtable.h"
#include "document/documentcommands.h"
#include "document/frmdocument.h"
#include "document/frmfind.h"
#include "document/frmprogress.h"
#include "document/linetools.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "document/widthconversion.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QPointer>

namespace {

// The hourglass for as long as it lives.
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

enum class Insertion { Typed, Fragment };

// Rewrites the selection with `tool`, under the progress window captioned `caption` and the
// hourglass. The result is typed in as plain text or inserted as a (coloured) fragment.
void runLineTool(frmDocument &doc, const QString &caption, QString (*tool)(const QString &),
                 Insertion insertion)
{
    RichTextBox &box = *doc.txtText;
    if (box.selLength() == 0)
        return;
    const QString selected = box.selText();
    WaitCursor wait;
    frmProgress progress(&doc);
    progress.setWindowTitle(caption);
    progress.start(int(selected.size()));
    const QString result = tool(selected);
    if (insertion == Insertion::Typed)
        putText(box, result);
    else
        InsertFragment(doc, result);
    progress.advance(int(selected.size()));
}

void mnuToolDelCR_Click(frmDocument &doc)
{
    runLineTool(doc, QObject::tr("改行コード除去処理中"), removeLineBreaks, Insertion::Typed);
}

void mnuToolP_Click(frmDocument &doc)
{
    runLineTool(doc, QObject::tr("<P></P>追加処理中"), wrapLinesInParagraphs, Insertion::Fragment);
}

void mnuToopBr_Click(frmDocument &doc)
{
    runLineTool(doc, QObject::tr("<BR>追加処理中"), appendLineBreakTags, Insertion::Fragment);
}

void mnuToolHan2Zen_Click(frmDocument &doc)
{
    RichTextBox &box = *doc.txtText;
    if (box.selLength() > 0)
        putText(box, toFullWidth(box.selText()));
}

void mnuHtmlTableCsv_Click(frmDocument &doc)
{
    if (doc.txtText->selLength() > 0)
        InsertFragment(doc, csvToTable(doc.txtText->selText()));
}

// One find window per frame, above it; it acts on the frame's current document window (or on
// this window alone when it has no frame) and reports its notes through that document.
void mnuEditFind_Click(frmDocument &doc)
{
    QWidget *owner = doc.window();
    auto *find = owner->findChild<frmFind *>(QString(), Qt::FindDirectChildrenOnly);
    if (!find) {
        QPointer<QMdiArea> area = doc.mdiArea();
        QPointer<frmDocument> self = &doc;
        find = new frmFind(
            [area, self]() -> frmDocument * {
                if (area)
                    return qobject_cast<frmDocument *>(area->currentSubWindow());
                return self;
            },
            owner);
        // The note goes out as the acted-on document's own note, which the frame shows.
        QObject::connect(find, &frmFind::statusNote, owner, [find](const QString &note) {
            if (frmDocument *target = find->documentActedOn())
                emit target->note(note);
        });
    }
    find->show();
    find->raise();
}

} // namespace

DocumentCommandTable toolCommands()
{
    return {
        {"mnuEditFind_Click", mnuEditFind_Click},
        {"mnuToolP_Click", mnuToolP_Click},
        {"mnuToopBr_Click", mnuToopBr_Click},
        {"mnuToolDelCR_Click", mnuToolDelCR_Click},
        {"mnuToolHan2Zen_Click", mnuToolHan2Zen_Click},
        {"mnuHtmlTableCsv_Click", mnuHtmlTableCsv_Click},
    };
}
