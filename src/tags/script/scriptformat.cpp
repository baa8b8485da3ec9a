#include "tags/script/scriptformat.h"

#include "tags/shared/tagformat.h"

#include <QRegularExpression>

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QLatin1Char Quote('"');

using AppletRow = TagAttributeRow<AppletValues>;
const AppletRow AppletRows[] = {
    {"code", AppletRow::Text, &AppletValues::code},
    {"width", AppletRow::Text, &AppletValues::width},
    {"height", AppletRow::Text, &AppletValues::height},
};

QString parameterLine(const AppletParameter &parameter)
{
    return QStringLiteral("\t<PARAM name=") + quotedValue(parameter.name)
           + QStringLiteral(" VALUE=") + quotedValue(parameter.value) + parameter.otherAttributes
           + QLatin1Char('>') + CrLf;
}

// The tag that begins at `from` in `text`, up to and including its ">".
QString tagAt(const QString &text, qsizetype from)
{
    return text.mid(from, startTagEndAt(text, from) + 1 - from);
}

// A PARAM start tag (not a longer name such as PARAMS), in any ASCII letter case.
bool isParamTag(const QString &tag)
{
    const QLatin1String open("<param");
    if (!startsWithAsciiCaseless(tag, QString(open)) || tag.size() == open.size())
        return false;
    const QChar next = tag[open.size()];
    return next == u' ' || next == u'\t' || next == u'\r' || next == u'\n' || next == u'\f'
           || next == u'>' || next == u'/';
}

// The attributes of a PARAM tag other than its name and value, spelled as they are.
QString otherParameterAttributes(const QString &tag)
{
    QString other;
    for (const TagAttribute &attribute : readTagAttributes(tag)) {
        if (!equalsAsciiCaseless(attribute.name, u"name")
            && !equalsAsciiCaseless(attribute.name, u"value"))
            other += QLatin1Char(' ') + attribute.spelled;
    }
    return other;
}

QString quoted(const char *opening)
{
    return QLatin1String(opening) + Quote;
}

} // namespace

QString appletElement(const AppletValues &values)
{
    QString text = QStringLiteral("<APPLET") + buildAttributes<AppletValues>(values, AppletRows)
                   + QLatin1Char('>') + CrLf;
    for (const AppletParameter &parameter : values.parameters) {
        if (!parameter.name.isEmpty())
            text += parameterLine(parameter);
    }
    return text + QStringLiteral("</APPLET>");
}

AppletReading readAppletElement(const QString &element)
{
    AppletReading reading;
    reading.startTag = tagAt(element, 0);
    readAttributes<AppletValues>(reading.startTag, AppletRows, reading.values);
    const QString endTag = QStringLiteral("</applet>");
    const qsizetype end
        = endsWithAsciiCaseless(element, endTag) ? element.size() - endTag.size() : element.size();
    qsizetype position = qMin(reading.startTag.size(), end);
    for (AppletParameter &row : reading.values.parameters) {
        const qsizetype next = element.indexOf(QLatin1Char('<'), position);
        if (next < 0 || next >= end || !element.mid(position, next - position).trimmed().isEmpty())
            break;
        const QString tag = tagAt(element, next);
        const QString name = GetTagOption(tag, QStringLiteral("name"));
        if (!isParamTag(tag) || name == NoOpt || next + tag.size() > end)
            break;
        row.name = name;
        const QString value = GetTagOption(tag, QStringLiteral("value"));
        row.value = value == NoOpt ? QString() : value;
        row.otherAttributes = otherParameterAttributes(tag);
        position = next + tag.size();
    }
    reading.rest = element.mid(position, end - position);
    return reading;
}

QString withAppletRest(const QString &element, const QString &rest)
{
    qsizetype first = 0;
    while (first < rest.size()
           && (rest[first] == QLatin1Char('\r') || rest[first] == QLatin1Char('\n')))
        ++first;
    qsizetype last = rest.size();
    while (last > first && rest[last - 1].isSpace())
        --last;
    if (last == first)
        return element;
    const QLatin1String endTag("</APPLET>");
    return element.chopped(endTag.size()) + rest.mid(first, last - first) + CrLf + endTag;
}

QStringList appletAttributeNames()
{
    return attributeNames<AppletValues>(AppletRows);
}

QString javaScriptBlock()
{
    return QStringLiteral("<SCRIPT Language=") + Quote + QStringLiteral("JavaScript") + Quote
           + QLatin1Char('>') + CrLf + QStringLiteral("<!-- ") + CrLf + CrLf + CrLf
           + QStringLiteral("// -->") + CrLf + QStringLiteral("</SCRIPT>") + CrLf;
}

QString vbScriptBlock()
{
    return QStringLiteral("<SCRIPT LANGUAGE=") + Quote + QStringLiteral("VBScript") + Quote
           + QLatin1Char('>') + CrLf
           + QStringLiteral("<!-- **** VBScriptが使えないブラウザに対してコメントアウト ****")
           + CrLf + CrLf + QStringLiteral("**** コメントアウト終り **** -->") + CrLf
           + QStringLiteral("</SCRIPT>") + CrLf;
}

QString perlPrint(const QString &selected)
{
    return QStringLiteral("print ") + Quote + selected + Quote + QLatin1Char(';') + CrLf;
}

QString ifSkeleton()
{
    return QStringLiteral("if (  ){") + CrLf + CrLf + QLatin1Char('}') + CrLf
           + QStringLiteral("else{") + CrLf + CrLf + QLatin1Char('}') + CrLf;
}

QString varKeyword()
{
    return QStringLiteral("var ");
}

QString forBlock(const QString &header)
{
    return header + QLatin1Char('{') + CrLf + CrLf + QStringLiteral("};");
}

ScriptWrapper alertWrapper()
{
    return {quoted("alert( "), Quote + QStringLiteral(" );")};
}

ScriptWrapper confirmWrapper()
{
    return {quoted("confirm( "), Quote + QStringLiteral(" );")};
}

ScriptWrapper documentWriteWrapper()
{
    return {quoted("document.write( "), Quote + QStringLiteral(" );") + CrLf};
}

ScriptWrapper onLoadWrapper()
{
    return {QStringLiteral("onLoad='"), QStringLiteral("'")};
}

ScriptWrapper onClickWrapper()
{
    return {QStringLiteral("onClick='"), QStringLiteral("'")};
}

ScriptWrapper onMouseoverWrapper()
{
    return {QStringLiteral("onMouseover='"), QStringLiteral("'")};
}

QStringList forConditionEntries()
{
    return {QStringLiteral("以下"), QStringLiteral("未満"), QStringLiteral("以上")};
}

QString forLoopHeader(const ForLoopValues &v)
{
    static const char *const Operators[] = {" <= ", " < ", " >= "};
    QString text = QStringLiteral("for( ") + v.variable + QStringLiteral(" = ") + v.initial
                   + QStringLiteral(" ; ") + v.variable;
    const qsizetype condition = forConditionEntries().indexOf(v.condition);
    if (condition >= 0)
        text += QLatin1String(Operators[condition]) + v.end + QStringLiteral(" ; ");
    if (v.step == QLatin1String("1"))
        return text + v.variable + (v.increasing ? QStringLiteral("++ )") : QStringLiteral("-- )"));
    return text + v.variable + QStringLiteral(" = ") + v.variable
           + (v.increasing ? QStringLiteral(" + ") : QStringLiteral(" - ")) + v.step
           + QStringLiteral(" )");
}

bool isLoopNumber(const QString &text)
{
    static const QRegularExpression Number(
        QStringLiteral("^\\s*[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)\\s*$"));
    return Number.match(text).hasMatch();
}
