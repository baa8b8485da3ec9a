#include "tags/tagvocabulary.h"

#include "tags/font/fontformat.h"
#include "tags/form/formformat.h"
#include "tags/image/imageformat.h"
#include "tags/link/linkformat.h"
#include "tags/list/listformat.h"
#include "tags/script/scriptformat.h"
#include "tags/table/tableformat.h"

TagVocabulary familyTagVocabulary()
{
    TagVocabulary vocabulary = baseTagVocabulary();
    const std::pair<const char *, QStringList> attributes[] = {
        {"TABLE", tableAttributeNames()},
        {"TR", rowAttributeNames()},
        {"TD", cellAttributeNames()},
        {"TH", cellAttributeNames()},
        {"A", linkAttributeNames()},
        {"UL", ulAttributeNames()},
        {"OL", olAttributeNames()},
        {"LI", liMarkAttributeNames() + liNumberAttributeNames()},
        {"FONT", fontAttributeNames()},
        {"H1", headingAttributeNames()},
        {"H2", headingAttributeNames()},
        {"H3", headingAttributeNames()},
        {"H4", headingAttributeNames()},
        {"H5", headingAttributeNames()},
        {"H6", headingAttributeNames()},
        {"HR", ruleAttributeNames()},
        {"IMG", imageAttributeNames()},
        {"BODY", bodyAttributeNames()},
        {"FORM", formAttributeNames()},
        {"INPUT", inputAttributeNames()},
        {"TEXTAREA", textAreaAttributeNames()},
        {"APPLET", appletAttributeNames()},
    };
    for (const auto &[tag, names] : attributes)
        vocabulary.addAttributes(QLatin1String(tag), names);
    for (const QList<AttributeWords> &family :
         {tableAttributeWords(), linkAttributeWords(), listAttributeWords(), fontAttributeWords(),
          imageAttributeWords(), formAttributeWords()})
        for (const AttributeWords &words : family)
            vocabulary.addWords(words.tag, words.attribute, words.words);
    return vocabulary;
}
