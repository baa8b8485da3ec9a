#include "app/webengineflags.h"

#include <gtest/gtest.h>

TEST(WebEngineFlags, AddOnlyWhatTheEngineLacksAndKeepTheUsersOwn)
{
    struct Case
    {
        const char *user;
        WebEngineNeeds needs;
        const char *expected;
    };
    const Case cases[] = {
        {"", {false, true}, ""},
        {"", {true, true}, "--no-sandbox"},
        {"", {true, false}, "--no-sandbox --disable-gpu"},
        {"", {false, false}, "--disable-gpu"},
        {"--no-sandbox", {true, true}, "--no-sandbox"},
        {"  --lang=ja   --no-sandbox ", {true, false}, "--lang=ja --no-sandbox --disable-gpu"},
        {"--disable-gpu --no-sandbox", {true, false}, "--disable-gpu --no-sandbox"},
        // A flag that merely begins with the same letters is another flag.
        {"--no-sandboxing", {true, true}, "--no-sandboxing --no-sandbox"},
        {"--disable-gpu=1", {false, false}, "--disable-gpu=1"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(chromiumFlagsFor(c.user, c.needs), QByteArray(c.expected)) << c.user;
}
