#include "tags/image/imageretag.h"

#include "tags/image/frmbodyset.h"
#include "tags/image/frmimageset.h"
#include "tags/image/imageformat.h"
#include "tags/shared/reedit.h"
#include "tags/shared/reeditpath.h"

void EditImgTag(frmDocument &doc, TagScratch &)
{
    if (loadWithDocumentPath<frmImageSet>(doc))
        reEditStartTag<frmImageSet>(doc, {readImgTag, imageAttributeNames, imageTag});
}

void EditBodyTag(frmDocument &doc, TagScratch &)
{
    if (loadWithDocumentPath<frmBodySet>(doc))
        reEditStartTag<frmBodySet>(doc, {readBodyTag, bodyAttributeNames, bodyStartTag});
}
