#include "tags/shared/tagkinds.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

TEST(ReEditDispatch, RoutinesAreOfferedTheSelectionInOrder)
{
    const QStringList expected{
        "EditDlTag",       "EditOlTag",       "EditUlTag",      "EditLiTag",  "EditAppletTag",
        "EditFramesetTag", "EditFontTag",     "EditHeadingTag", "EditImgTag", "EditBodyTag",
        "EditLinkTag",     "EditTableTag",    "EditTrTag",      "EditTdTag",  "EditHrTag",
        "EditFormTag",     "EditTextareaTag", "EditInputTag"};
    QStringList names;
    for (const ReEditRoutine &routine : reEditRoutines())
        names << QLatin1String(routine.name);
    EXPECT_EQ(names, expected);
}

TEST(ReEditDispatch, SelectionGoesToTheFirstRoutineThatAcceptsIt)
{
    const struct
    {
        const char *selection;
        const char *routine; // empty: no routine
    } cases[] = {
        {"<DL>", "EditDlTag"},
        {"<dl><dt>a</dl>", "EditDlTag"},
        {"<dl compact>", ""},
        {"<ol type=1>", "EditOlTag"},
        {"<uL>", "EditUlTag"},
        {"<li>", "EditLiTag"},
        {"<LINK rel=stylesheet>", "EditLiTag"},
        {"<APPLET code=a></applet>", "EditAppletTag"},
        {"<FrameSet rows=2></frameset>", "EditFramesetTag"},
        {"<Font size=3>", "EditFontTag"},
        {"<fONT size=3>", ""},
        {"<h1>x</h1>", "EditHeadingTag"},
        {"<H7 align=left>x</h7>", "EditHeadingTag"},
        {"<h1>x</h2>", ""},
        {"<h8>x</h8>", ""},
        {"<IMG src=a.gif>", "EditImgTag"},
        {"<img>", ""},
        {"<BODY bgcolor=red>", "EditBodyTag"},
        {"<body bgcolor=red", ""},
        {"<a href=x.html>t</a>", "EditLinkTag"},
        {"<a name=x>", ""},
        {"<TABLE border=1>", "EditTableTag"},
        {"<TaBle>", ""},
        {"<Tr>", "EditTrTag"},
        {"<TRACK src=a>", "EditTrTag"},
        {"<tR>", ""},
        {"<td width=1>", "EditTdTag"},
        {"<Th>", "EditTdTag"},
        {"<THEAD>", "EditTdTag"},
        {"<tH>", ""},
        {"<Hr>", "EditHrTag"},
        {"<hR>", ""},
        {"<form action=a>", "EditFormTag"},
        {"<textarea>x</textarea>", "EditTextareaTag"},
        {"<Input type=text>", "EditInputTag"},
        {"", ""},
        {"<p>", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(reEditRoutineFor(QString::fromUtf8(c.selection)), QString::fromUtf8(c.routine))
            << c.selection;
    }
}

TEST(ReEditDispatch, ContextMenuOffersEditForWholeTagsAndElements)
{
    const struct
    {
        const char *selection;
        bool shown;
    } cases[] = {
        {"<TD>x</TD>", true},
        {"<TD>", false},
        {"<th align=left>x</th>", true},
        {"<table border=1>", true},
        {"<table border=1><tr>", false},
        {"<tr>", true},
        {"<tr><td>", false},
        {"<H3>x</h3>", true},
        {"<h3>x</h4>", false},
        {"<h7>x</h7>", true},
        {"<a href=x>y</a>", true},
        {"<a href=x>", false},
        {"<textarea>x</textarea>", true},
        {"<body bgcolor=red>", true},
        {"<font size=2>", true},
        {"<img src=a>", true},
        {"<hr>", true},
        {"<FRAMESET rows=2></FRAMESET>", true},
        {"<applet code=a></applet>", true},
        {"<form>", true},
        {"<ul>", false},
        {"<li>", false},
        {"<input type=text>", false},
        {"<dl><dt>a</dl>", false},
        {"<h1>", false},
        {"plain text", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tagEditMenuVisible(QString::fromUtf8(c.selection)), c.shown) << c.selection;
}

} // namespace
