#include "document/completion.h"
#include "support/qstringprinter.h"
#include "tags/font/fontformat.h"
#include "tags/image/imageformat.h"
#include "tags/list/listformat.h"
#include "tags/table/tableformat.h"
#include "tags/tagvocabulary.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// What accepting each offered word writes, read by the family's reader and written again by
// its builder: the dialogs must understand every value word the list offers.
QString completedTag(const QString &start, const QString &attribute, const QString &word)
{
    const QString typed = start + u' ' + attribute + QStringLiteral("=\"");
    const CompletionRequest request = completionAt(typed);
    const CompletionInsert insert = completionInsert(request, word, false, {});
    return typed.left(request.prefixStart) + insert.text + insert.after + u'>';
}

} // namespace

TEST(TypingVocabulary, EveryOfferedWordReadsBackThroughTheFamilysDialogValues)
{
    const TagVocabulary vocabulary = familyTagVocabulary();
    struct Case
    {
        const char *tag;
        const char *attribute;
        std::function<QString(const QString &)> reread; // read the tag, write it again
    };
    const Case cases[] = {
        {"TD", "align", [](const QString &t) { return cellStartTag(readTdTag(t)); }},
        {"TD", "valign", [](const QString &t) { return cellStartTag(readTdTag(t)); }},
        {"TR", "align", [](const QString &t) { return rowStartTag(readTrTag(t)); }},
        {"TR", "valign", [](const QString &t) { return rowStartTag(readTrTag(t)); }},
        {"TABLE", "align", [](const QString &t) { return tableStartTag(readTableTag(t)); }},
        {"IMG", "align", [](const QString &t) { return imageTag(readImgTag(t)); }},
        {"HR", "align", [](const QString &t) { return ruleTag(readHrTag(t)); }},
        {"H2", "align", [](const QString &t) { return headingStartTag(readHeadingTag(t)); }},
        {"UL", "type", [](const QString &t) { return ulStartTag(readUlTag(t)); }},
        {"OL", "type", [](const QString &t) { return olStartTag(readOlTag(t)); }},
    };
    for (const Case &c : cases) {
        const QString tag = QLatin1String(c.tag);
        const QString attribute = QLatin1String(c.attribute);
        const QStringList words = completionItems(
            completionAt(QStringLiteral("<%1 %2=\"").arg(tag, attribute)), vocabulary, false);
        EXPECT_FALSE(words.isEmpty()) << c.tag << " " << c.attribute;
        for (const QString &word : words) {
            const QString written = completedTag(u'<' + tag, attribute, word);
            const QString again = c.reread(written);
            EXPECT_TRUE(again.contains(attribute + QStringLiteral("=\"") + word + u'"'))
                << written.toStdString() << " -> " << again.toStdString();
        }
    }
}

TEST(TypingVocabulary, OffersTheAttributesTheDialogsWrite)
{
    const TagVocabulary vocabulary = familyTagVocabulary();
    const std::pair<const char *, QStringList> tags[] = {
        {"TD", cellAttributeNames()},   {"TABLE", tableAttributeNames()},
        {"IMG", imageAttributeNames()}, {"BODY", bodyAttributeNames()},
        {"FONT", fontAttributeNames()}, {"HR", ruleAttributeNames()},
    };
    for (const auto &[tag, names] : tags) {
        const QStringList offered = completionItems(
            completionAt(QStringLiteral("<%1 ").arg(QLatin1String(tag))), vocabulary, false);
        for (const QString &name : names)
            EXPECT_TRUE(offered.contains(name)) << tag << " lacks " << name.toStdString();
    }
}
