#include "tags/gradation/gradationformat.h"

#include <QTextBoundaryFinder>

#include <array>
#include <cstdlib>

namespace {

using Components = std::array<int, 3>; // red, green, blue

Components componentsOf(int color)
{
    return {color & 255, (color >> 8) & 255, (color >> 16) & 255};
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

QString htmlColor(const Components &c)
{
    return QLatin1Char('#') + HexPad(uint(c[0]), 2) + HexPad(uint(c[1]), 2) + HexPad(uint(c[2]), 2);
}

QString colouredRun(const QStringList &characters, int startColor, int endColor)
{
    const int n = int(characters.size());
    if (n == 0)
        return {};
    Components color = componentsOf(startColor);
    const Components end = componentsOf(endColor);
    Components step{};
    for (std::size_t k = 0; k < step.size(); ++k) {
        const int difference = end[k] - color[k];
        step[k] = std::abs(difference) / n * sign(difference);
    }
    QString html;
    for (const QString &character : characters) {
        html += QStringLiteral("<FONT color=") + htmlColor(color) + QLatin1Char('>') + character
                + QStringLiteral("</FONT>");
        for (std::size_t k = 0; k < step.size(); ++k)
            color[k] += step[k];
    }
    return html;
}

} // namespace

QString HexPad(uint value, int width)
{
    return QString::number(value, 16).toUpper().rightJustified(width, QLatin1Char('0'));
}

QStringList gradationCharacters(const QString &text)
{
    QStringList characters;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        characters << text.mid(start, end - start);
        start = end;
    }
    return characters;
}

QString MakeGradation(const QString &text, int startColor, int endColor)
{
    return colouredRun(gradationCharacters(text), startColor, endColor);
}

QString buildGradation(const GradationValues &values)
{
    const QStringList characters = gradationCharacters(values.text);
    if (!values.repeat)
        return colouredRun(characters, values.startColor, values.endColor);
    const qsizetype half = characters.size() / 2;
    return colouredRun(characters.mid(0, half), values.startColor, values.endColor)
           + colouredRun(characters.mid(half), values.endColor, values.startColor);
}

QString gradationPreviewPage(const QString &fragment)
{
    const QString lineBreak = QStringLiteral("\r\n");
    return QStringLiteral("<HYML>") + lineBreak + QStringLiteral("<BODY>") + lineBreak + fragment
           + lineBreak + QStringLiteral("</BODY>") + lineBreak + QStringLiteral("</HYML>")
           + lineBreak;
}
