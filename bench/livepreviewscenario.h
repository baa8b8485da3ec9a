#pragma once

#include <QString>

namespace bench {

// The live preview pane beside the page at `pagePath`: the time from the end of the quiet
// time after a key to the page shown again (the key's figure), and typing p99 with the pane
// closed and open (".closed.p99", ".open.p99").
bool runLivePreview(const QString &pagePath, const QString &k, int repetitions);

} // namespace bench
