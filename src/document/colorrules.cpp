#include "document/colorrules.h"

MarkupScan scanMarkup(QStringView text, PunctuationSet punctuation)
{
    const bool semicolon = punctuation == PunctuationSet::Fragment;
    MarkupScan scan;
    bool inTag = false;
    const int n = int(text.size());
    const QChar *chars = text.data();
    for (int i = 0; i < n; ++i) {
        Markup kind;
        switch (chars[i].unicode()) {
        case u'<':
            kind = Markup::Bracket;
            inTag = true;
            break;
        case u'>':
            kind = Markup::Bracket;
            inTag = false;
            break;
        case u'"':
        case u'=':
        case u'/':
            kind = Markup::Punctuation;
            break;
        case u';':
            if (semicolon) {
                kind = Markup::Punctuation;
                break;
            }
            [[fallthrough]];
        default:
            kind = inTag ? Markup::InTag : Markup::Text;
            break;
        }
        if (!scan.runs.isEmpty() && scan.runs.last().kind == kind)
            ++scan.runs.last().length;
        else
            scan.runs.append({i, 1, kind});
    }
    scan.endsInTag = inTag;
    return scan;
}
