#include "tags/shared/tagkinds.h"

#include "tags/shared/tagoption.h"

#include <initializer_list>

namespace {

// The first `n` characters of `s` are exactly one of `spellings`.
bool beginsAsOneOf(const QString &s, int n, std::initializer_list<const char *> spellings)
{
    const QString head = s.left(n);
    for (const char *spelling : spellings) {
        if (head == QLatin1String(spelling))
            return true;
    }
    return false;
}

// Tag names compare in ASCII case only: "<lı>" with a dotless i is no LI tag.
bool upperBegins(const QString &s, const char *upper)
{
    return startsWithAsciiCaseless(s, QString::fromLatin1(upper));
}

bool lowerBegins(const QString &s, const char *lower)
{
    return startsWithAsciiCaseless(s, QString::fromLatin1(lower));
}

// "<hN" ... "</hN>" with the same digit N from 1 to `lastDigit`, in any letter case.
bool isHeadingElement(const QString &s, char lastDigit)
{
    const QString head = lowerSameLength(s.left(3));
    if (head.size() < 3 || !head.startsWith(QLatin1String("<h")) || head[2] < QLatin1Char('1')
        || head[2] > QLatin1Char(lastDigit))
        return false;
    return lowerSameLength(s.right(5)) == QLatin1String("</h") + head[2] + QLatin1Char('>');
}

bool isDl(const QString &s)
{
    return upperBegins(s, "<DL>");
}
bool isOl(const QString &s)
{
    return upperBegins(s, "<OL");
}
bool isUl(const QString &s)
{
    return upperBegins(s, "<UL");
}
bool isLi(const QString &s)
{
    return upperBegins(s, "<LI");
}
bool isApplet(const QString &s)
{
    return lowerBegins(s, "<applet");
}
bool isFrameset(const QString &s)
{
    return lowerBegins(s, "<frameset");
}
bool isFont(const QString &s)
{
    return beginsAsOneOf(s, 5, {"<FONT", "<font", "<Font"});
}
bool isHeading(const QString &s)
{
    return isHeadingElement(s, '7');
}
bool isImg(const QString &s)
{
    return beginsAsOneOf(s, 5, {"<IMG ", "<img ", "<Img "});
}
bool isBody(const QString &s)
{
    return lowerBegins(s, "<body") && s.endsWith(QLatin1Char('>'));
}
bool isLink(const QString &s)
{
    return upperBegins(s, "<A HREF");
}
bool isTable(const QString &s)
{
    return beginsAsOneOf(s, 6, {"<TABLE", "<Table", "<table"});
}
bool isTr(const QString &s)
{
    return beginsAsOneOf(s, 3, {"<TR", "<tr", "<Tr"});
}
bool isTd(const QString &s)
{
    return beginsAsOneOf(s, 3, {"<TD", "<td", "<Td", "<TH", "<th", "<Th"});
}
bool isHr(const QString &s)
{
    return beginsAsOneOf(s, 3, {"<HR", "<Hr", "<hr"});
}
bool isForm(const QString &s)
{
    return upperBegins(s, "<FORM");
}
bool isTextarea(const QString &s)
{
    return upperBegins(s, "<TEXTAREA");
}
bool isInput(const QString &s)
{
    return upperBegins(s, "<INPUT");
}

// A selection that is one tag: its last character is the ">" that ends its first tag (a ">"
// inside a quoted value does not end a tag).
bool isSingleTag(const QString &s)
{
    return s.endsWith(QLatin1Char('>')) && startTagEnd(s) == s.size() - 1;
}

std::array<ReEditRoutine, 18> &routineTable()
{
    static std::array<ReEditRoutine, 18> routines{{
        {"EditDlTag", isDl, nullptr},
        {"EditOlTag", isOl, nullptr},
        {"EditUlTag", isUl, nullptr},
        {"EditLiTag", isLi, nullptr},
        {"EditAppletTag", isApplet, nullptr},
        {"EditFramesetTag", isFrameset, nullptr},
        {"EditFontTag", isFont, nullptr},
        {"EditHeadingTag", isHeading, nullptr},
        {"EditImgTag", isImg, nullptr},
        {"EditBodyTag", isBody, nullptr},
        {"EditLinkTag", isLink, nullptr},
        {"EditTableTag", isTable, nullptr},
        {"EditTrTag", isTr, nullptr},
        {"EditTdTag", isTd, nullptr},
        {"EditHrTag", isHr, nullptr},
        {"EditFormTag", isForm, nullptr},
        {"EditTextareaTag", isTextarea, nullptr},
        {"EditInputTag", isInput, nullptr},
    }};
    return routines;
}

} // namespace

const std::array<ReEditRoutine, 18> &reEditRoutines()
{
    return routineTable();
}

bool setReEditRoutine(const char *name, ReEditRoutine::Run run)
{
    for (ReEditRoutine &routine : routineTable()) {
        if (qstrcmp(routine.name, name) == 0) {
            routine.run = run;
            return true;
        }
    }
    return false;
}

QString reEditRoutineFor(const QString &selText)
{
    for (const ReEditRoutine &routine : reEditRoutines()) {
        if (routine.accepts(selText))
            return QLatin1String(routine.name);
    }
    return {};
}

bool tagEditMenuVisible(const QString &selText)
{
    const QString s = lowerSameLength(selText);
    if (isHeadingElement(s, '7'))
        return true;
    struct Rule
    {
        const char *begins;
        const char *ends; // nullptr: the selection must be a single tag
    };
    static constexpr Rule rules[] = {
        {"<td", "</td>"},
        {"<th", "</th>"},
        {"<tr", nullptr},
        {"<a href", "</a>"},
        {"<textarea", "</textarea>"},
        {"<body", nullptr},
        {"<table", nullptr},
        {"<font", nullptr},
        {"<img", nullptr},
        {"<hr", nullptr},
        {"<frameset", "</frameset>"},
        {"<applet", "</applet>"},
        {"<form", nullptr},
    };
    for (const Rule &rule : rules) {
        if (!s.startsWith(QLatin1String(rule.begins)))
            continue;
        if (rule.ends ? s.endsWith(QLatin1String(rule.ends)) : isSingleTag(s))
            return true;
    }
    return false;
}
