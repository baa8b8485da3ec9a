#include "tags/form/formformat.h"

#include "tags/shared/tagformat.h"

#include <array>

namespace {

constexpr std::array<const char *, InputTypeCount> InputTypeWords{
    "text", "radio", "checkbox", "reset", "submit", "password", "button"};

using FormRow = TagAttributeRow<FormFields>;
const FormRow FormRows[] = {
    {"name", FormRow::Text, &FormFields::name},
    {"action", FormRow::Text, &FormFields::action},
};

using InputRow = TagAttributeRow<InputFields>;
const InputRow InputNameRows[] = {
    {"name", InputRow::Text, &InputFields::name},
    {"value", InputRow::Text, &InputFields::value},
};
const InputRow InputSizeRows[] = {
    {"size", InputRow::Text, &InputFields::size},
    {"maxlength", InputRow::Text, &InputFields::maxLength},
};
const InputRow InputTickRows[] = {{"checked", InputRow::Flag, nullptr, &InputFields::checked}};

using TextAreaRow = TagAttributeRow<TextAreaFields>;
const TextAreaRow TextAreaRows[] = {
    {"name", TextAreaRow::Text, &TextAreaFields::name},
    {"cols", TextAreaRow::Text, &TextAreaFields::cols},
    {"rows", TextAreaRow::Text, &TextAreaFields::rows},
};
constexpr TagWord WrapWords[] = {{"on", "on"}, {"off", "off"}};

bool isType(int type, std::initializer_list<InputType> types)
{
    for (InputType t : types) {
        if (type == int(t))
            return true;
    }
    return false;
}

// ` name="n"` with the count as a whole number, or nothing when the text is not a count.
QString countAttribute(const char *name, const QString &text)
{
    const std::optional<int> count = parseFormCount(text);
    return count ? attributeText(name, QString::number(*count)) : QString();
}

} // namespace

QString inputTypeValue(int type)
{
    if (type < 0 || type >= InputTypeCount)
        return {};
    return QLatin1String(InputTypeWords[type]);
}

bool inputNeedsName(int type)
{
    return !isType(type, {InputType::Reset, InputType::Submit});
}

bool inputHasSize(int type)
{
    return type < 0 || type >= InputTypeCount
           || isType(type, {InputType::Text, InputType::Password});
}

bool inputHasInitialTick(int type)
{
    return isType(type, {InputType::Radio, InputType::Checkbox});
}

InputEnabling inputReEditEnabling(int type)
{
    switch (InputType(type)) {
    case InputType::Text: return {true, std::nullopt, false};
    case InputType::Radio: return {false, false, true};
    case InputType::Checkbox: return {false, std::nullopt, true};
    case InputType::Reset: return {std::nullopt, std::nullopt, false};
    case InputType::Submit: return {false, std::nullopt, false};
    case InputType::Password: return {true, true, false};
    case InputType::Button: return {false, false, false};
    }
    return {};
}

bool inputShowsCaption(int type)
{
    return isType(type, {InputType::Button, InputType::Reset, InputType::Submit});
}

QString formStartTag(const FormFields &fields)
{
    QString method;
    if (fields.method == int(FormMethod::Post))
        method = QStringLiteral(" method=\"POST\"");
    else if (fields.method == int(FormMethod::Get))
        method = QStringLiteral(" method=\"GET\"");
    return QStringLiteral("<FORM") + buildAttributes<FormFields>(fields, FormRows) + method
           + QLatin1Char('>');
}

QString inputTag(const InputFields &fields)
{
    const QString type = inputTypeValue(fields.type);
    QString text = QStringLiteral("<INPUT")
                   + attributeText("type", type.isEmpty() ? fields.otherType : type)
                   + buildAttributes<InputFields>(fields, InputNameRows);
    if (fields.sizeUsed.value_or(inputHasSize(fields.type)))
        text += attributeText("size", fields.size);
    if (fields.maxLengthUsed.value_or(inputHasSize(fields.type)))
        text += attributeText("maxlength", fields.maxLength);
    if (inputHasInitialTick(fields.type))
        text += buildAttributes<InputFields>(fields, InputTickRows);
    return text + QLatin1Char('>');
}

QString textAreaElement(const TextAreaFields &fields)
{
    return QStringLiteral("<TEXTAREA name=") + quotedValue(fields.name) + QStringLiteral(" wrap=\"")
           + (fields.wrap ? QStringLiteral("on") : QStringLiteral("off")) + QLatin1Char('"')
           + countAttribute("rows", fields.rows) + countAttribute("cols", fields.cols)
           + QLatin1Char('>') + fields.value + QStringLiteral("</TEXTAREA>");
}

FormFields readFormTag(const QString &tag)
{
    FormFields fields;
    readAttributes<FormFields>(tag, FormRows, fields);
    const QString method = GetTagOption(tag, QStringLiteral("method"));
    if (method == NoOpt)
        fields.method = int(FormMethod::Unspecified);
    else if (equalsAsciiCaseless(method, u"post"))
        fields.method = int(FormMethod::Post);
    else
        fields.method = int(FormMethod::Get);
    return fields;
}

InputFields readInputTag(const QString &tag)
{
    InputFields fields;
    readAttributes<InputFields>(tag, InputNameRows, fields);
    readAttributes<InputFields>(tag, InputSizeRows, fields);
    readAttributes<InputFields>(tag, InputTickRows, fields);
    const QString type = GetTagOption(tag, QStringLiteral("type"));
    fields.type = -1;
    for (int i = 0; i < InputTypeCount; ++i) {
        if (equalsAsciiCaseless(type, QString::fromLatin1(InputTypeWords[i])))
            fields.type = i;
    }
    if (fields.type < 0 && type != NoOpt)
        fields.otherType = type;
    return fields;
}

TextAreaFields readTextAreaElement(const QString &element)
{
    TextAreaFields fields;
    readAttributes<TextAreaFields>(element, TextAreaRows, fields);
    const QString wrap = GetTagOption(element, QStringLiteral("wrap"));
    if (const auto word = wordEntry(wrap, WrapWords, WordCase::AnyCase))
        fields.wrap = *word == QLatin1String("on");
    const qsizetype contentStart = startTagEnd(element) + 1;
    const QString endTag = QStringLiteral("</textarea>");
    qsizetype contentEnd = element.size();
    if (endsWithAsciiCaseless(element, endTag))
        contentEnd -= endTag.size();
    fields.value = element.mid(contentStart, qMax<qsizetype>(0, contentEnd - contentStart));
    return fields;
}

QStringList formAttributeNames()
{
    return attributeNames<FormFields>(FormRows) + QStringList{QStringLiteral("method")};
}

QStringList inputAttributeNames()
{
    return QStringList{QStringLiteral("type")} + attributeNames<InputFields>(InputNameRows)
           + attributeNames<InputFields>(InputSizeRows)
           + attributeNames<InputFields>(InputTickRows);
}

QStringList textAreaAttributeNames()
{
    return attributeNames<TextAreaFields>(TextAreaRows) + QStringList{QStringLiteral("wrap")};
}

std::optional<int> parseFormCount(const QString &text)
{
    const std::optional<int> value = parseWholeNumber(text, MaxFormCount);
    if (value == 0)
        return std::nullopt;
    return value;
}

QList<AttributeWords> formAttributeWords()
{
    return {{"TEXTAREA", "wrap", wordValues(WrapWords)}};
}
