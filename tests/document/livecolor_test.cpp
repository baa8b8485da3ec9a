#include "document/livecolor.h"

#include "document/richtextbox.h"

#include <gtest/gtest.h>

namespace {

struct ClassCase
{
    const char *name;
    LiveKey key;
    LiveKeyClass expected;
};

class LiveKeyClasses : public testing::TestWithParam<ClassCase>
{};

TEST_P(LiveKeyClasses, RecognisesKeysByTheirCharacter)
{
    EXPECT_EQ(classifyLiveKey(GetParam().key), GetParam().expected);
}

const Qt::KeyboardModifiers none = Qt::NoModifier;
const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;

INSTANTIATE_TEST_SUITE_P(
    , LiveKeyClasses,
    testing::Values(
        // A Japanese layout types "<" with Shift+comma, a German one without Shift.
        ClassCase{"lessWithShift", {Qt::Key_Less, shift, "<"}, LiveKeyClass::OpenBracket},
        ClassCase{"lessWithoutShift", {Qt::Key_Less, none, "<"}, LiveKeyClass::OpenBracket},
        ClassCase{"greater", {Qt::Key_Greater, shift, ">"}, LiveKeyClass::CloseBracket},
        ClassCase{
            "altGrSlash", {Qt::Key_Slash, ctrl | Qt::AltModifier, "/"}, LiveKeyClass::Punctuation},
        ClassCase{"quote", {Qt::Key_QuoteDbl, shift, "\""}, LiveKeyClass::Punctuation},
        ClassCase{"semicolon", {Qt::Key_Semicolon, none, ";"}, LiveKeyClass::Punctuation},
        ClassCase{"equalsWithoutText", {Qt::Key_Equal, none, ""}, LiveKeyClass::Punctuation},
        ClassCase{"ctrlSlashIsACommand", {Qt::Key_Slash, ctrl, "/"}, LiveKeyClass::Other},
        ClassCase{"questionMark", {Qt::Key_Question, shift, "?"}, LiveKeyClass::Other},
        ClassCase{"arrow", {Qt::Key_Left, none, ""}, LiveKeyClass::Arrow},
        ClassCase{"keypadArrow", {Qt::Key_Down, Qt::KeypadModifier, ""}, LiveKeyClass::Arrow},
        ClassCase{"shiftArrow", {Qt::Key_Right, shift, ""}, LiveKeyClass::Other},
        ClassCase{"backspace", {Qt::Key_Backspace, ctrl, ""}, LiveKeyClass::Backspace}),
    [](const testing::TestParamInfo<ClassCase> &info) { return std::string(info.param.name); });

LiveKey typed(QChar c)
{
    return {0, Qt::NoModifier, QString(c)};
}

// Types `text` with key-down and key-up for each character and records the insertion colour
// and bold state each character goes in with.
struct Typist
{
    LiveState state;
    int color = TextColor::Black;
    bool bold = false;
    QList<std::pair<int, bool>> formats;

    void apply(const LiveAction &action)
    {
        color = action.color.value_or(color);
        bold = action.bold.value_or(bold);
        state = action.state;
    }
    void type(const QString &text)
    {
        for (QChar c : text) {
            apply(liveKeyDown(typed(c), state, true));
            formats.append({color, bold});
            apply(liveKeyUp(typed(c), state, [] { return 0; }));
        }
    }
};

TEST(LiveColoring, PunctuationIsMagentaInsideAndOutsideTags)
{
    Typist t;
    t.type("<a href=\"x\">&lt;");
    EXPECT_EQ(t.formats[7], std::make_pair(TextColor::Magenta, true));  // =
    EXPECT_EQ(t.formats[8], std::make_pair(TextColor::Magenta, true));  // "
    EXPECT_EQ(t.formats[9], std::make_pair(TextColor::Blue, false));    // x
    EXPECT_EQ(t.formats[15], std::make_pair(TextColor::Magenta, true)); // ;
    EXPECT_EQ(t.formats[14], std::make_pair(TextColor::Black, false));  // t
}

TEST(LiveColoring, BackspaceAfterABracketLeavesTheTag)
{
    Typist t;
    t.type("<");
    ASSERT_TRUE(t.state.inTag);
    t.apply(liveKeyDown({Qt::Key_Backspace, Qt::NoModifier, ""}, t.state, true));
    EXPECT_FALSE(t.state.inTag);
    t.type("x");
    EXPECT_EQ(t.formats.last(), std::make_pair(TextColor::Black, false));
}

TEST(LiveColoring, BackspaceAfterTextKeepsTheTagStateAndResetsTheFormat)
{
    Typist t;
    t.type("<a");
    const LiveAction a = liveKeyDown({Qt::Key_Backspace, Qt::NoModifier, ""}, t.state, true);
    EXPECT_TRUE(a.state.inTag);
    EXPECT_EQ(a.color, TextColor::Blue);
}

TEST(LiveColoring, OtherKeysLeaveASelectionAlone)
{
    const LiveAction a = liveKeyDown(typed(u'x'), {true, true}, false);
    EXPECT_FALSE(a.color.has_value());
    EXPECT_FALSE(a.bold.has_value());
    EXPECT_TRUE(a.state.tagMark);
}

TEST(LiveColoring, ArrowTakesTheTagStateFromTheColourAtTheCaret)
{
    const LiveKey left{Qt::Key_Left, Qt::NoModifier, ""};
    EXPECT_TRUE(liveKeyUp(left, {}, [] { return TextColor::Blue; }).state.inTag);
    EXPECT_FALSE(liveKeyUp(left, {true, false}, [] { return TextColor::Red; }).state.inTag);
    const LiveAction down = liveKeyDown(left, {true, true}, true);
    EXPECT_FALSE(down.color.has_value());
    EXPECT_TRUE(down.state.tagMark);
}

} // namespace
