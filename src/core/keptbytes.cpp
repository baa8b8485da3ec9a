#include "core/keptbytes.h"

namespace keptbytes {

namespace {
constexpr int firstUnmappableShown = 5;
}

char32_t codePointAt(const QString &text, qsizetype index, quint8 *units)
{
    const char16_t unit = text.at(index).unicode();
    const bool pair = QChar::isHighSurrogate(unit) && index + 1 < text.size()
                      && text.at(index + 1).isLowSurrogate();
    *units = pair ? 2 : 1;
    return pair ? QChar::surrogateToUcs4(unit, text.at(index + 1).unicode()) : unit;
}

int referenceText(char32_t codePoint, char *out)
{
    char digits[8];
    int count = 0;
    do {
        digits[count++] = "0123456789ABCDEF"[codePoint & 0xF];
        codePoint >>= 4;
    } while (codePoint != 0 || count < 4);
    int length = 0;
    out[length++] = '&';
    out[length++] = '#';
    out[length++] = 'x';
    while (count > 0)
        out[length++] = digits[--count];
    out[length++] = ';';
    return length;
}

Form asciiReference(const QString &text, qsizetype index, QByteArrayView prefix)
{
    Form form;
    form.reference = true;
    const char32_t codePoint = codePointAt(text, index, &form.units);
    char reference[10];
    const int length = referenceText(codePoint, reference);
    form.addBytes(prefix);
    form.addBytes(QByteArrayView(reference, length));
    for (int k = 0; k < length; ++k)
        form.addRead(char16_t(reference[k]));
    return form;
}

void noteReference(EncodeReport *report, const QString &text, qsizetype index, qsizetype units)
{
    if (!report)
        return;
    ++report->unmappable;
    report->unmappableAt.append(index);
    const QString character = text.mid(index, units);
    if (report->firstUnmappable.size() < firstUnmappableShown
        && !report->firstUnmappable.contains(character))
        report->firstUnmappable.append(character);
}

} // namespace keptbytes
