#include "tags/tagcommands.h"

#include "tags/font/fontcommands.h"
#include "tags/font/fontretag.h"
#include "tags/form/formcommands.h"
#include "tags/form/formretag.h"
#include "tags/frameset/framesetcommands.h"
#include "tags/frameset/framesetretag.h"
#include "tags/gradation/gradationcommands.h"
#include "tags/head/downloadcommands.h"
#include "tags/head/headcommands.h"
#include "tags/image/imagecommands.h"
#include "tags/image/imageretag.h"
#include "tags/link/linkcommands.h"
#include "tags/link/linkretag.h"
#include "tags/list/listcommands.h"
#include "tags/list/listretag.h"
#include "tags/script/scriptcommands.h"
#include "tags/script/scriptretag.h"
#include "tags/shared/tagedit.h"
#include "tags/shared/tagkinds.h"
#include "tags/table/tablecommands.h"
#include "tags/table/tableretag.h"
#include "tags/tagvocabulary.h"

void registerTagCommands()
{
    DocumentCommands::add(pageHeadCommands());
    DocumentCommands::add(tableCommands());
    DocumentCommands::add(gradationCommands());
    DocumentCommands::add(imageCommands());
    DocumentCommands::add(linkCommands());
    DocumentCommands::add(retagCommands());
    DocumentCommands::add(listCommands());
    DocumentCommands::add(fontCommands());
    DocumentCommands::add(scriptCommands());
    DocumentCommands::add(downloadCommands());
    DocumentCommands::add(formCommands());
    DocumentCommands::add(framesetCommands());
    frmDocument::addSetUpStep(connectTagEditing);
    setReEditRoutine("EditTableTag", EditTableTag);
    setReEditRoutine("EditTrTag", EditTrTag);
    setReEditRoutine("EditTdTag", EditTdTag);
    setReEditRoutine("EditDlTag", EditDlTag);
    setReEditRoutine("EditOlTag", EditOlTag);
    setReEditRoutine("EditUlTag", EditUlTag);
    setReEditRoutine("EditLiTag", EditLiTag);
    setReEditRoutine("EditImgTag", EditImgTag);
    setReEditRoutine("EditBodyTag", EditBodyTag);
    setReEditRoutine("EditLinkTag", EditLinkTag);
    setReEditRoutine("EditFontTag", EditFontTag);
    setReEditRoutine("EditHeadingTag", EditHeadingTag);
    setReEditRoutine("EditHrTag", EditHrTag);
    setReEditRoutine("EditAppletTag", EditAppletTag);
    setReEditRoutine("EditFormTag", EditFormTag);
    setReEditRoutine("EditInputTag", EditInputTag);
    setReEditRoutine("EditTextareaTag", EditTextareaTag);
    setReEditRoutine("EditFramesetTag", EditFramesetTag);
    setTypingVocabulary(familyTagVocabulary());
}
