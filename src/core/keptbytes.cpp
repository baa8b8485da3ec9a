#include "core/keptbytes.h"

namespace keptbytes {

namespace {
constexpr int firstUnmappableShown = 5;
}

qsizetype appendReference(QByteArray &out, const QString &text, qsizetype index, EncodeReport *report)
{
    const char16_t unit = text.at(index).unicode();
    const bool pair = QChar::isHighSurrogate(unit) && index + 1 < text.size()
                      && text.at(index + 1).isLowSurrogate();
    const char32_t codePoint = pair ? QChar::surrogateToUcs4(unit, text.at(index + 1).unicode()) : unit;
    const qsizetype length = pair ? 2 : 1;
    out += "&#x" + QByteArray::number(uint(codePoint), 16).toUpper().rightJustified(4, '0') + ';';
    if (report) {
        ++report->unmappable;
        const QString character = text.mid(index, length);
        if (report->firstUnmappable.size() < firstUnmappableShown
            && !report->firstUnmappable.contains(character))
            report->firstUnmappable.append(character);
    }
    return length;
}

} // namespace keptbytes
