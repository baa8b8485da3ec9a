#pragma once

#include "subject.h"

#include <memory>

class QPlainTextEdit;

namespace bench {

// A line longer than this (a minified page) takes the caret to its middle, not its start.
inline constexpr int longLine = 1000;
// Puts the caret of a text edit at the start of its middle line (the middle of a long one).
void caretToMiddleLine(QPlainTextEdit &edit);

// The floor: QPlainTextEdit given the decoded text, no colouring.
std::unique_ptr<Subject> makeFloor();
// The peer: QsciScintilla with its HTML lexer, the whole text coloured.
std::unique_ptr<Subject> makePeer();

} // namespace bench
