#pragma once

#include "subject.h"

#include <memory>

namespace bench {

// Orvine's own document window, driven as a user drives it: opened with ReadDoc and tag
// colouring on, typed into, double-clicked, saved. nullptr while the document window is not
// part of the program yet.
std::unique_ptr<Subject> makeOrvine();

} // namespace bench
