#include "tags/frameset/framesetretag.h"

#include "tags/frameset/framesetformat.h"
#include "tags/frameset/frmframeset.h"
#include "tags/shared/reedit.h"

void EditFramesetTag(frmDocument &doc)
{
    using Format = ReEditFormat<frmFrameSet, FrameSetParts>;
    reEdit(
        doc,
        Format{
            .span = ReEditSpan::Selection,
            // The pages chosen with the reference buttons are written relative to the document.
            .needsFolder = true,
            .read = splitFrameSet,
            .accepts = [](const QString &, const FrameSetParts &parts) { return parts.twoFrames; },
            .refusal = QT_TR_NOOP(
                "<FRAMESET> のすぐ後に <FRAME> が２つ続くフレームの設定のほかは編集できません。"),
            .prepare = [](frmFrameSet &dialog,
                          const FrameSetParts &parts) { dialog.apply(readFrameSet(parts)); },
            .compose = [](const Format::Outcome &done) -> ReEditReplacement {
                return rebuiltFrameSet(done.dialog.fields(), done.reading, done.opened);
            },
        });
}
