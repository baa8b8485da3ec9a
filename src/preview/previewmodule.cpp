#include "preview/frmbrowser.h"
#include "preview/livepagescheme.h"
#include "preview/webhtmlview.h"
#include "preview/weblivepreview.h"

#include <QtGlobal>

// The entry of the preview module, which the program loads the first time it shows a preview:
// the live preview's scheme becomes known to the web engine (before the engine starts, which it
// has not yet done) and the makers of the windows and views on the web engine are installed.
extern "C" Q_DECL_EXPORT void orvineInstallPreview()
{
    LivePageScheme::registerScheme();
    installBuiltInBrowser();
    installWebHtmlViews();
    installWebLivePreview();
}
