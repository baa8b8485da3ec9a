#pragma once

#include "document/tagvocabulary.h"

// The names offered while typing: the HTML tags, with the attributes and value words the tag
// families' dialogs write, read from the families' own tables.
TagVocabulary familyTagVocabulary();
