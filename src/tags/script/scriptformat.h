#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The script family's fragments: applet elements (built from the applet dialog's values and
// read back from existing elements), SCRIPT blocks, the Perl print line, the JavaScript
// snippets and the header of a JavaScript for loop.

constexpr int AppletParameterRows = 9;

struct AppletParameter
{
    QString name;
    QString value;
    // The PARAM tag's other attributes ("valuetype=ref"), each after a blank, spelled as they
    // were read; written back after name and value.
    QString otherAttributes;
    bool operator==(const AppletParameter &) const = default;
};

struct AppletValues
{
    QString code;
    QString width;
    QString height;
    std::array<AppletParameter, AppletParameterRows> parameters;
};

// The start tag, CR LF, one TAB-indented PARAM line (ending in CR LF) for each row with a name,
// and the end tag without a line break after it. Names and values are quoted as every
// attribute value is (quotedValue).
QString appletElement(const AppletValues &values);

// An existing applet element (from "<applet" up to and including its first "</applet>") read
// for its dialog. The PARAM tags right after the start tag fill the rows in order; whatever
// follows them up to the end tag (further parameters beyond the rows, text and other tags for
// browsers without Java) is the rest, which re-editing keeps.
struct AppletReading
{
    AppletValues values;
    QString startTag;
    QString rest;
};
AppletReading readAppletElement(const QString &element);
// `element` (as appletElement built it) with `rest` put back in front of its end tag, on lines
// of its own; a rest of blanks and line breaks only adds nothing.
QString withAppletRest(const QString &element, const QString &rest);
// The start tag's attributes the dialog manages; re-editing keeps every other one.
QStringList appletAttributeNames();

QString javaScriptBlock();
QString vbScriptBlock();
QString perlPrint(const QString &selected);
QString ifSkeleton();
QString varKeyword();
// The loop header followed by an empty body.
QString forBlock(const QString &header);

// A snippet around the selected text: the opening piece, the selection, the closing piece.
struct ScriptWrapper
{
    QString opening;
    QString closing;
};
ScriptWrapper alertWrapper();
ScriptWrapper confirmWrapper();
ScriptWrapper documentWriteWrapper();
ScriptWrapper onLoadWrapper();
ScriptWrapper onClickWrapper();
ScriptWrapper onMouseoverWrapper();

struct ForLoopValues
{
    QString variable = QStringLiteral("i");
    QString initial = QStringLiteral("0");
    QString condition = QStringLiteral("以下"); // the drop-down's text
    QString end = QStringLiteral("10");
    QString step = QStringLiteral("1");
    bool increasing = true;
};
// The drop-down's entries: 以下 (<=), 未満 (<), 以上 (>=).
QStringList forConditionEntries();
// "for( i = 0 ; i <= 10 ; i++ )"; a condition other than the entries writes no test.
QString forLoopHeader(const ForLoopValues &values);
// Whether `text` is a number the loop boxes accept: an optional sign, digits and an optional
// decimal part, blanks around it allowed; any number of digits.
bool isLoopNumber(const QString &text);
