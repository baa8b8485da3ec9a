#pragma once

#include "subject.h"

#include <memory>

class QPlainTextEdit;

namespace bench {

// Puts the caret of a text edit at the start of its middle line.
void caretToMiddleLine(QPlainTextEdit &edit);

// The floor: QPlainTextEdit given the decoded text, no colouring.
std::unique_ptr<Subject> makeFloor();
// The peer: QsciScintilla with its HTML lexer, the whole text coloured.
std::unique_ptr<Subject> makePeer();

} // namespace bench
