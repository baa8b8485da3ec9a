#include "document/colorrules.h"

MarkupScan scanMarkup(QStringView text, PunctuationSet punctuation)
{
    MarkupScan scan;
    scan.endsInTag
        = scanMarkup(text, punctuation, [&scan](const MarkupRun &run) { scan.runs.append(run); });
    return scan;
}
