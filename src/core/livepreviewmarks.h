#pragma once

#include <QList>
#include <QString>

// Source positions for the live preview. The copy of a page handed to the view carries, in
// every start tag, an attribute with the place of that tag's "<" in the text, so that the
// view can find the element at the caret and tell where a clicked element was written. The
// user's text is never changed.
inline constexpr char sourcePositionAttribute[] = "data-orvine-at";

// `text` with the attribute added right after the name of every start tag that a browser
// reads as one. What a browser reads as text is left alone: comments, the insides of
// attribute values, scripts (their escaped comments included), style sheets, text areas,
// titles and the other raw-text elements, and everything after a tag that is never closed.
// `positions`, when given, receives the marked positions in order.
QString markSourcePositions(const QString &text, QList<qsizetype> *positions = nullptr);
