#include "tags/script/scriptretag.h"

#include "tags/script/frmappletset.h"
#include "tags/script/scriptformat.h"
#include "tags/shared/reedit.h"

void EditAppletTag(frmDocument &doc)
{
    using Format = ReEditFormat<frmAppletSet, AppletReading>;
    reEdit(doc, Format{
                    .span = ReEditSpan::Selection,
                    .needsFolder = true,
                    .read = readAppletElement,
                    .prepare = [](frmAppletSet &dialog,
                                  const AppletReading &reading) { dialog.apply(reading.values); },
                    .write = appletElement,
                    .managedAttributes = appletAttributeNames,
                    // What the element holds after its parameters comes back before the end tag.
                    .compose = [](const Format::Outcome &done) -> ReEditReplacement {
                        return done.keptAttributes(withAppletRest(done.result, done.reading.rest),
                                                   done.reading.startTag);
                    },
                });
}
