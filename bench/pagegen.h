#pragma once

#include <QByteArray>
#include <QString>

// Deterministic generator of Shift-JIS HTML pages that look like hand-written Japanese home
// pages of the late nineties: tables of links, images, font tags, comments and Japanese
// paragraphs, CR LF line breaks. The same arguments give the same bytes on every run.
namespace pagegen {

enum class Style {
    HomePage,    // mostly Japanese prose with the usual markup around it
    DenseMarkup, // almost all tags: nested cells, links, fonts, attributes, little text
    Csv,         // no markup: lines of comma-separated fields, as pasted from a spreadsheet
    OneLine      // dense markup with no line break at all, as a minified page
};

// Landmarks put into a page so that scenarios find fixed places in it.
struct Landmarks
{
    bool definitionList = false; // one "<DL>" element of about 200 KB near the end
    bool lastCell = false; // a final table whose last cell start tag is the page's last "<TD "
    bool lastWord = false; // lastWord() occurs once, after all other text
};

// A whole page of about `targetBytes` bytes once encoded.
QString pageText(qsizetype targetBytes, Style style, const Landmarks &landmarks = {},
                 quint32 seed = 1);
// Body markup (no <HTML>/<BODY> frame) of about `targetBytes` encoded bytes, for insertion.
QString fragmentText(qsizetype targetBytes, quint32 seed = 7);

// Shift-JIS (code page 932) bytes of generated text; the generator only uses characters that
// code page 932 holds.
QByteArray toShiftJis(const QString &text);
// Decoding of generated pages (which hold only valid code page 932).
QString fromShiftJis(const QByteArray &bytes);

// The word that the lastWord landmark puts at the end of a page.
QString lastWord();
// Start of the definition-list landmark and the size it aims at.
inline constexpr const char *definitionListStart = "<DL>";
inline constexpr qsizetype definitionListBytes = 200 * 1024;

} // namespace pagegen
