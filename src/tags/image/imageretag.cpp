#include "tags/image/imageretag.h"

#include "tags/image/frmbodyset.h"
#include "tags/image/frmimageset.h"
#include "tags/image/imageformat.h"
#include "tags/shared/reedit.h"

void EditImgTag(frmDocument &doc)
{
    reEdit<frmImageSet>(doc, {.needsFolder = true,
                              .read = readImgTag,
                              .write = imageTag,
                              .managedAttributes = imageAttributeNames});
}

void EditBodyTag(frmDocument &doc)
{
    reEdit<frmBodySet>(doc, {.needsFolder = true,
                             .read = readBodyTag,
                             .write = bodyStartTag,
                             .managedAttributes = bodyAttributeNames});
}
