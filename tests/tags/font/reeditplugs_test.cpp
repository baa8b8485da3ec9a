#include "support/qstringprinter.h"
#include "tags/font/fontretag.h"
#include "tags/script/scriptretag.h"
#include "tags/shared/tagkinds.h"

#include <gtest/gtest.h>

namespace {

// The font and applet routines sit in their places of the dispatch order, and a selection that
// their test accepts reaches them.
TEST(FontAndAppletReEditPlugs, EachRoutineIsReachedInItsPlace)
{
    const struct
    {
        const char *routine;
        std::size_t place;
        ReEditRoutine::Run run;
        const char *selection;
    } cases[] = {
        {"EditAppletTag", 4, EditAppletTag, "<Applet code=a></APPLET>"},
        {"EditFontTag", 6, EditFontTag, "<Font size=3>"},
        {"EditHeadingTag", 7, EditHeadingTag, "<H2 align=center>x</h2>"},
        {"EditHrTag", 14, EditHrTag, "<hr noshade>"},
    };
    const auto &routines = reEditRoutines();
    for (const auto &c : cases) {
        ASSERT_LT(c.place, routines.size());
        EXPECT_STREQ(routines[c.place].name, c.routine);
        EXPECT_EQ(routines[c.place].run, c.run) << c.routine;
        EXPECT_EQ(reEditRoutineFor(QString::fromUtf8(c.selection)), QString::fromUtf8(c.routine));
    }
}

} // namespace
