#include "core/interaction.h"

#include <gtest/gtest.h>

TEST(FileFilters, ClassicFilterBecomesQtFilters)
{
    const QStringList filters = qtFileFilters(QStringLiteral(
        "HTMLﾌｧｲﾙ(*.html;*.htm)|*.html;*.htm|CGIﾌｧｲﾙ(*.cgi;*.pl)|*.cgi;*.pl|ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|全てのﾌｧｲﾙ (*.*)|*.*"));
    const QStringList expected{QStringLiteral("HTMLﾌｧｲﾙ(*.html;*.htm) (*.html *.htm)"),
                               QStringLiteral("CGIﾌｧｲﾙ(*.cgi;*.pl) (*.cgi *.pl)"),
                               QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt) (*.txt)"),
                               QStringLiteral("全てのﾌｧｲﾙ (*.*) (*.*)")};
    EXPECT_EQ(filters, expected);
}
