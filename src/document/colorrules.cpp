#include "document/colorrules.h"

MarkupScan scanMarkup(QStringView text, PunctuationSet punctuation)
{
    MarkupScan scan;
    scan.endsInTag
        = scanMarkup(text, punctuation, [&scan](const MarkupRun &run) { scan.runs.append(run); });
    return scan;
}

bool endsInTag(QStringView text, bool startsInTag)
{
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (text[i] == u'<')
            return true;
        if (text[i] == u'>')
            return false;
    }
    return startsInTag;
}
