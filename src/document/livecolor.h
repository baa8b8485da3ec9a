#pragma once

#include <QString>
#include <Qt>

#include <optional>

// Live colouring of typed text: each key sets the insertion colour and bold state before its
// character goes in, and keeps track of whether the caret is inside a tag. Keys are recognised
// by the character they produce, so the brackets and punctuation work on any keyboard layout.

struct LiveKey
{
    int key = 0; // Qt::Key
    Qt::KeyboardModifiers modifiers;
    QString text; // the character the key produces, empty for other keys
};

enum class LiveKeyClass { OpenBracket, CloseBracket, Punctuation, Arrow, Backspace, Other };

LiveKeyClass classifyLiveKey(const LiveKey &key);

struct LiveState
{
    bool inTag = false;   // the caret is inside a tag
    bool tagMark = false; // the last key typed was a tag bracket
};

// What a key does: the insertion colour (0x00BBGGRR) and bold state to set, if any, and the
// new state.
struct LiveAction
{
    std::optional<int> color;
    std::optional<bool> bold;
    LiveState state;
};

// Key-down while tag colouring is on.
LiveAction liveKeyDown(const LiveKey &key, LiveState state, bool selectionEmpty);

// Key-up, whether or not tag colouring is on. `colorAtCaret` is read only when the key moved
// the caret, because the state is then taken from the colour of the text there.
template <typename ColorAtCaret>
LiveAction liveKeyUp(const LiveKey &key, LiveState state, ColorAtCaret colorAtCaret);

LiveAction liveKeyUpClass(LiveKeyClass keyClass, LiveState state, int colorAtCaret);

template <typename ColorAtCaret>
LiveAction liveKeyUp(const LiveKey &key, LiveState state, ColorAtCaret colorAtCaret)
{
    const LiveKeyClass keyClass = classifyLiveKey(key);
    if (keyClass == LiveKeyClass::Arrow)
        return liveKeyUpClass(keyClass, state, colorAtCaret());
    return liveKeyUpClass(keyClass, state, 0);
}
