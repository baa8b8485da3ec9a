#include "commands/commandtable.h"

#include <gtest/gtest.h>

namespace {

struct Window
{
    QString ran;
};

void save(Window &w)
{
    w.ran = QStringLiteral("save");
}
void print(Window &w)
{
    w.ran = QStringLiteral("print");
}

} // namespace

TEST(CommandRegistry, ATableAddedTwiceChangesNothing)
{
    const CommandTable<Window> table = {{"mnuTestSave_Click", &save}};
    CommandRegistry<Window>::add(table);
    CommandRegistry<Window>::add(table);
    Window window;
    EXPECT_TRUE(CommandRegistry<Window>::run(window, QStringLiteral("mnuTestSave_Click")));
    EXPECT_EQ(window.ran, QStringLiteral("save"));
}

TEST(CommandRegistryDeathTest, OneNameForTwoCommandsStopsAtStart)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CommandRegistry<Window>::add({{"mnuTestPrint_Click", &print}});
    EXPECT_DEATH(CommandRegistry<Window>::add({{"mnuTestPrint_Click", &save}}),
                 "mnuTestPrint_Click");
}
