#pragma once

#include "tags/shared/attributewords.h"

#include <QString>
#include <QStringList>

#include <optional>

// The form family's tags both ways: FORM, INPUT and TEXTAREA built from the values of their
// dialogs, and existing tags read back into the same values. Attribute values are written as
// typed in double quotes (see attributeText); an empty box leaves its attribute out.

// The sending methods, in the order of the dialog's option buttons.
enum class FormMethod { Post, Get, Unspecified };

struct FormFields
{
    QString name;
    QString action;
    int method = int(FormMethod::Unspecified);
};

// The INPUT types, in the order of the dialog's option buttons.
enum class InputType { Text, Radio, Checkbox, Reset, Submit, Password, Button };
constexpr int InputTypeCount = 7;

struct InputFields
{
    int type = int(InputType::Password); // -1: none selected
    // With no option selected: the type attribute of a re-edited tag that is none of the seven
    // ("hidden", "file", ...), written back as it was; empty writes no type.
    QString otherType;
    QString name;
    QString value;
    QString size;
    QString maxLength;
    bool checked = false;
    // Whether the size and maximum length boxes take part (are enabled in the dialog); unset:
    // as the type says (inputHasSize).
    std::optional<bool> sizeUsed;
    std::optional<bool> maxLengthUsed;
};

// How re-editing a tag of a type sets the INPUT dialog's controls: enabled, disabled, or left
// as the dialog had them (unset). A re-edited checkbox keeps its maximum length box, so that a
// maxlength the page gave it stays editable.
struct InputEnabling
{
    std::optional<bool> size;
    std::optional<bool> maxLength;
    std::optional<bool> tick;
};
InputEnabling inputReEditEnabling(int type);

struct TextAreaFields
{
    QString name;
    QString value; // the element's content, line breaks as CR LF
    QString cols;
    QString rows;
    bool wrap = true;
};

// The type attribute of an option, or empty for an index outside the table.
QString inputTypeValue(int type);
// Which controls of the INPUT dialog a type uses.
bool inputNeedsName(int type); // all but reset and submit
// Text and password, and a type the dialog does not know: size and maximum length.
bool inputHasSize(int type);
bool inputHasInitialTick(int type); // radio and checkbox
bool inputShowsCaption(int type);   // button, reset and submit: the value is a caption

QString formStartTag(const FormFields &fields);
// The INPUT tag; size and maximum length only where their boxes take part, " checked" only
// for radio and checkbox.
QString inputTag(const InputFields &fields);
// The whole TEXTAREA element with its content; rows and cols are written as whole numbers
// (see parseFormCount), a count that is not one is left out.
QString textAreaElement(const TextAreaFields &fields);

// Existing tags read into the values their dialogs show; what a tag lacks keeps the dialog's
// default. METHOD reads as POST in any letter case, any other value as GET. An INPUT type that
// is none of the seven (or missing) selects no option and is kept in otherType.
FormFields readFormTag(const QString &tag);
InputFields readInputTag(const QString &tag);
// A whole TEXTAREA element: the start tag's attributes and the content up to its end tag.
TextAreaFields readTextAreaElement(const QString &element);

// The attributes each dialog manages; re-editing keeps every other attribute of the tag.
QStringList formAttributeNames();
QStringList inputAttributeNames();
QStringList textAreaAttributeNames();
// The attributes whose values are words, with their words.
QList<AttributeWords> formAttributeWords();

// Sizes, lengths and counts of the form controls: a whole number from 1 to MaxFormCount in
// digits (full-width digits too, blanks around it allowed).
constexpr int MaxFormCount = 99999;
std::optional<int> parseFormCount(const QString &text);
