#pragma once

#include <QString>
#include <QStringView>

// The text as the edit control holds it: CR LF, LF and a lone CR each become one "\n".
QString withLfBreaks(QString text);
// The edit control's raw text (one paragraph separator per line break) with CR LF breaks.
QString withCrLfBreaks(QStringView raw);
