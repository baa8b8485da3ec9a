#include "document/livecolor.h"

#include "core/sharedstate.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"

namespace {

// Ctrl, Alt or Meta make a key a command rather than a character; Ctrl+Alt together is AltGr
// on some systems and still types.
bool producesNoCharacter(Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    if (ctrl && alt)
        return false;
    return ctrl || alt || modifiers.testFlag(Qt::MetaModifier);
}

QChar producedCharacter(const LiveKey &key)
{
    if (producesNoCharacter(key.modifiers))
        return {};
    if (key.text.size() == 1)
        return key.text.front();
    if (!key.text.isEmpty())
        return {};
    // Some platforms leave the text out of synthetic or release events: fall back on the key,
    // which Qt reports as the symbol produced.
    switch (key.key) {
    case Qt::Key_Less: return u'<';
    case Qt::Key_Greater: return u'>';
    case Qt::Key_Equal: return u'=';
    case Qt::Key_Slash: return u'/';
    case Qt::Key_Semicolon: return u';';
    case Qt::Key_QuoteDbl: return u'"';
    default: return {};
    }
}

} // namespace

LiveKeyClass classifyLiveKey(const LiveKey &key)
{
    if (key.key == Qt::Key_Backspace)
        return LiveKeyClass::Backspace;
    if (key.key >= Qt::Key_Left && key.key <= Qt::Key_Down) {
        const auto modifiers = key.modifiers & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
        return modifiers == Qt::NoModifier ? LiveKeyClass::Arrow : LiveKeyClass::Other;
    }
    switch (producedCharacter(key).unicode()) {
    case u'<': return LiveKeyClass::OpenBracket;
    case u'>': return LiveKeyClass::CloseBracket;
    case u'=':
    case u'/':
    case u';':
    case u'"': return LiveKeyClass::Punctuation;
    default: return LiveKeyClass::Other;
    }
}

LiveAction liveKeyDown(const LiveKey &key, LiveState state, bool selectionEmpty)
{
    LiveAction action{{}, {}, state};
    switch (classifyLiveKey(key)) {
    case LiveKeyClass::OpenBracket:
    case LiveKeyClass::CloseBracket:
        action.color = TextColor::Red;
        action.bold = true;
        action.state.inTag = classifyLiveKey(key) == LiveKeyClass::OpenBracket;
        action.state.tagMark = true;
        break;
    case LiveKeyClass::Punctuation:
        action.color = TextColor::Magenta;
        action.bold = true;
        break;
    case LiveKeyClass::Arrow: break;
    case LiveKeyClass::Backspace:
        // Deleting the bracket just typed leaves or re-enters the tag.
        if (state.tagMark) {
            action.state.inTag = !state.inTag;
            break;
        }
        [[fallthrough]];
    case LiveKeyClass::Other:
        if (selectionEmpty) {
            action.color = state.inTag ? TextColor::Blue : TextColor::Black;
            action.bold = false;
            action.state.tagMark = false;
        }
        break;
    }
    return action;
}

LiveAction liveKeyUpClass(LiveKeyClass keyClass, LiveState state, int colorAtCaret)
{
    LiveAction action{{}, {}, state};
    if (keyClass == LiveKeyClass::CloseBracket) {
        // Text typed after a ">" starts black.
        action.color = TextColor::Black;
        action.bold = false;
        action.state.inTag = false;
        action.state.tagMark = true;
    } else if (keyClass == LiveKeyClass::Arrow) {
        action.state.inTag = colorAtCaret == TextColor::Blue;
    }
    return action;
}

namespace {

// Only the insertion format and two flags change, so a keystroke costs the same in any
// length of document. A selection keeps its looks: the key's character replaces it.
void applyLiveAction(frmDocument &doc, const LiveAction &action)
{
    if (action.color)
        doc.txtText->setTypingColor(*action.color);
    if (action.bold)
        doc.txtText->setTypingBold(*action.bold);
    doc.blnInTag = action.state.inTag;
    doc.blnTagMark = action.state.tagMark;
}

} // namespace

void installLiveColoring(frmDocument &doc)
{
    // Text committed by an input method is coloured as the same text typed key by key.
    QObject::connect(doc.txtText, &RichTextBox::inputCommitting, &doc, [&doc](const QString &text) {
        if (!shared().blnTagColor)
            return;
        const LiveState state{doc.blnInTag, doc.blnTagMark};
        applyLiveAction(
            doc, liveKeyDown({0, Qt::NoModifier, text}, state, doc.txtText->selLength() == 0));
    });
    QObject::connect(doc.txtText, &RichTextBox::inputCommitted, &doc, [&doc](const QString &text) {
        const LiveState state{doc.blnInTag, doc.blnTagMark};
        applyLiveAction(doc, liveKeyUp({0, Qt::NoModifier, text}, state,
                                       [&doc] { return doc.txtText->selColor(); }));
    });
    QObject::connect(doc.txtText, &RichTextBox::keyDown, &doc,
                     [&doc](int key, Qt::KeyboardModifiers modifiers, const QString &text) {
                         if (!shared().blnTagColor)
                             return;
                         const LiveState state{doc.blnInTag, doc.blnTagMark};
                         applyLiveAction(doc, liveKeyDown({key, modifiers, text}, state,
                                                          doc.txtText->selLength() == 0));
                     });
    QObject::connect(doc.txtText, &RichTextBox::keyUp, &doc,
                     [&doc](int key, Qt::KeyboardModifiers modifiers, const QString &text) {
                         const LiveState state{doc.blnInTag, doc.blnTagMark};
                         applyLiveAction(doc, liveKeyUp({key, modifiers, text}, state, [&doc] {
                                             return doc.txtText->selColor();
                                         }));
                     });
}
