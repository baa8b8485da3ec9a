#pragma once

#include <QString>

namespace bench {

// The live preview pane beside the page at `pagePath`: the time from the end of the quiet
// time after a key to the page shown again (the key's figure), and typing p99 with the pane
// closed and open (".closed.p99", ".open.p99").
bool runLivePreview(const QString &pagePath, const QString &k, int repetitions);
// The floor of the update: the web engine alone loading the same page from its file into a
// view of the pane's size, from the request to the load finished.
bool runLivePreviewFloor(const QString &pagePath, const QString &k, int repetitions);

} // namespace bench
