#include "document/tagcolor.h"

#include "core/sharedstate.h"
#include "document/clipboard.h"
#include "document/colorrules.h"
#include "document/frmdocument.h"
#include "document/frmprogress.h"
#include "document/richtextbox.h"

namespace {

ColorRun toColorRun(const MarkupRun &run)
{
    switch (run.kind) {
    case Markup::Bracket: return {run.start, run.length, TextColor::Red, ColorRun::On};
    case Markup::Punctuation: return {run.start, run.length, TextColor::Magenta, ColorRun::On};
    case Markup::InTag: return {run.start, run.length, TextColor::Blue, ColorRun::Unchanged};
    case Markup::Text: break;
    }
    return {run.start, run.length, TextColor::Black, ColorRun::Unchanged};
}

// Colours the whole text of `box` in one undoable step. The caret ends at the end of the text,
// where the insertion colour is that of a character typed there.
void colorWholeText(RichTextBox &box, PunctuationSet punctuation, frmProgress *progress = nullptr)
{
    const QString text = box.text();
    const MarkupScan scan = scanMarkup(text, punctuation);
    if (progress)
        progress->advance(int(text.size()) / 10);
    QList<ColorRun> runs;
    runs.reserve(scan.runs.size());
    for (const MarkupRun &run : scan.runs)
        runs.append(toColorRun(run));
    box.applyColorRuns(runs);
    if (progress)
        progress->advance(int(text.size()));
    box.setSelStart(int(text.size()));
    box.setSelColor(scan.endsInTag ? TextColor::Blue : TextColor::Black);
}

} // namespace

void Color_set(frmDocument &doc)
{
    RichTextBox &box = *doc.txtText;
    const int n = box.textLength();
    if (n == 0)
        return;
    frmProgress progress(&doc);
    progress.start(n);
    colorWholeText(box, PunctuationSet::Document, &progress);
}

void WorkColor_Set(frmDocument &doc)
{
    RichTextBox &work = *doc.rtbWork;
    const int n = work.textLength();
    if (n == 0)
        return;
    if (shared().blnTagColor)
        colorWholeText(work, PunctuationSet::Fragment);
    work.select(0, n);
    clipboardSetText(work.selRtf(), ClipboardFormat::Rtf);
}

void InsertFragment(frmDocument &doc, const QString &text)
{
    RichTextBox &work = *doc.rtbWork;
    work.setText(QString());
    work.setSelBold(false);
    work.setText(text);
    if (text.isEmpty()) {
        // An empty fragment leaves the clipboard alone, so what it holds must not be pasted:
        // the selection is simply replaced by nothing.
        doc.txtText->setSelText(QString());
        return;
    }
    WorkColor_Set(doc);
    QString rtf = clipboardGetText(ClipboardFormat::Rtf);
    // A clipboard that could not take the fragment must not lose it.
    if (rtf.isEmpty())
        rtf = work.selRtf();
    doc.txtText->setSelRtf(rtf);
}
