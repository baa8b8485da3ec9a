#include "support/tagdialogs.h"

#include "tags/font/frmfontset.h"
#include "tags/font/frmkeisenset.h"
#include "tags/font/frmmidashi.h"
#include "tags/form/frmformset.h"
#include "tags/form/frminput.h"
#include "tags/form/frmtextboxset.h"
#include "tags/frameset/frmframeset.h"
#include "tags/gradation/frmgradation.h"
#include "tags/head/dlgauthor.h"
#include "tags/head/dlgdescription.h"
#include "tags/head/dlgkeyword.h"
#include "tags/head/dlgsetbaseurl.h"
#include "tags/head/dlgsetname.h"
#include "tags/head/dlgsetrefresh.h"
#include "tags/head/dlgurl.h"
#include "tags/image/frmbodyset.h"
#include "tags/image/frmimageset.h"
#include "tags/link/frmlinkset.h"
#include "tags/link/frmmailtoset.h"
#include "tags/list/dlgdledit.h"
#include "tags/list/dlgdlset.h"
#include "tags/list/dlglistmark.h"
#include "tags/list/dlglistnumber.h"
#include "tags/script/frmappletset.h"
#include "tags/script/frmjsforset.h"
#include "tags/table/frmtableset.h"
#include "tags/table/frmtableset2.h"
#include "tags/table/frmtdset.h"
#include "tags/table/frmtrset.h"

namespace {

template <class D> NamedDialog named(const char *name)
{
    return {name, [] { return std::unique_ptr<QDialog>(new D); }};
}

} // namespace

const QList<NamedDialog> &allTagDialogs()
{
    static const QList<NamedDialog> dialogs = {
        named<dlgAuthor>("dlgAuthor"),
        named<dlgDescription>("dlgDescription"),
        named<dlgKeyword>("dlgKeyword"),
        named<dlgSetBaseUrl>("dlgSetBaseUrl"),
        named<DlgSetName>("DlgSetName"),
        named<dlgSetRefresh>("dlgSetRefresh"),
        named<dlgURL>("dlgURL"),
        named<frmTableSet>("frmTableSet"),
        named<frmTableSet2>("frmTableSet2"),
        named<frmTdSet>("frmTdSet"),
        named<frmTrSet>("frmTrSet"),
        named<frmImageSet>("frmImageSet"),
        named<frmBodySet>("frmBodySet"),
        named<frmLinkSet>("frmLinkSet"),
        named<frmMailtoSet>("frmMailtoSet"),
        named<frmFormSet>("frmFormSet"),
        named<frmInput>("frmInput"),
        named<frmTextBoxSet>("frmTextBoxSet"),
        named<frmFrameSet>("frmFrameSet"),
        named<dlgListMark>("dlgListMark"),
        named<dlgListNumber>("dlgListNumber"),
        named<dlgDlSet>("dlgDlSet"),
        named<dlgDlEdit>("dlgDlEdit"),
        named<frmFontSet>("frmFontSet"),
        named<frmKeisenSet>("frmKeisenSet"),
        named<frmMidashi>("frmMidashi"),
        named<frmAppletSet>("frmAppletSet"),
        named<frmJsForSet>("frmJsForSet"),
        named<frmGradation>("frmGradation"),
    };
    return dialogs;
}
