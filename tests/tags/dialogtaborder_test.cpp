// Every tag dialog walked with the Tab key, typing into each box on the way, as a user fills a
// dialog without the mouse.

#include "support/qstringprinter.h"
#include "support/scriptedinteraction.h"
#include "support/tagdialogs.h"
#include "support/u8.h"
#include "tags/head/dlgkeyword.h"
#include "tags/script/frmappletset.h"
#include "tags/shared/tagdialog.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The control that owns `w`: a drop-down or number box for the line edit inside it.
QWidget *controlOf(QWidget *w)
{
    for (QWidget *up = w ? w->parentWidget() : nullptr; up; up = up->parentWidget()) {
        if (qobject_cast<QComboBox *>(up) || qobject_cast<QAbstractSpinBox *>(up))
            return up;
    }
    return w;
}

// The controls Tab must reach: visible, enabled, taking focus by Tab, and not part of another
// control.
QList<QWidget *> tabFields(QDialog &dialog)
{
    QList<QWidget *> fields;
    for (QWidget *w : dialog.findChildren<QWidget *>()) {
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !w->isVisibleTo(&dialog)
            || !w->isEnabled() || w->focusProxy() || controlOf(w) != w)
            continue;
        if (qobject_cast<QAbstractScrollArea *>(w->parentWidget()))
            continue; // a viewport or scroll bar
        fields << w;
    }
    return fields;
}

// Presses Tab in the focused control (Ctrl+Tab where Tab is typed as text).
void pressTab(QWidget *focused)
{
    bool typesTabs = false;
    if (auto *plain = qobject_cast<QPlainTextEdit *>(focused))
        typesTabs = !plain->tabChangesFocus() && !plain->isReadOnly();
    else if (auto *rich = qobject_cast<QTextEdit *>(focused))
        typesTabs = !rich->tabChangesFocus() && !rich->isReadOnly();
    QTest::keyClick(focused, Qt::Key_Tab, typesTabs ? Qt::ControlModifier : Qt::NoModifier);
}

struct Walk
{
    QList<QWidget *> visited;       // controls in the order Tab reached them
    QMap<QWidget *, QString> typed; // the token typed into each text box
    bool closed = false;            // the walk came back to where it began
};

// Walks the dialog with Tab from the field focused on opening, typing a number (100 for the
// first box reached, 101 for the next, ...) into every one-line text box; numbers, so that
// boxes which take numbers only accept them too.
Walk walkWithTab(QDialog &dialog)
{
    Walk walk;
    QWidget *first = controlOf(QApplication::focusWidget());
    QWidget *focused = first;
    int count = 0;
    for (int step = 0; step < 200 && focused; ++step) {
        walk.visited << focused;
        if (auto *box = qobject_cast<QLineEdit *>(QApplication::focusWidget());
            box && box->isEnabled() && !box->isReadOnly()
            && !qobject_cast<QAbstractSpinBox *>(focused)) {
            const QString token = QString::number(100 + count++);
            box->clear();
            QTest::keyClicks(box, token);
            walk.typed.insert(focused, token);
        }
        pressTab(QApplication::focusWidget());
        focused = controlOf(QApplication::focusWidget());
        if (focused == first || !dialog.isVisible()) {
            walk.closed = focused == first;
            break;
        }
    }
    return walk;
}

TEST(DialogTabOrder, TabReachesEveryFieldOnceInTheOrderTheyAreSeen)
{
    static const QRegularExpression arrayMember(QStringLiteral("^(.*)_(\\d+)$"));
    for (const NamedDialog &d : allTagDialogs()) {
        SCOPED_TRACE(d.name);
        std::unique_ptr<QDialog> dialog = d.load();
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QApplication::focusWidget());
        ScriptedInteraction ui; // typing a number may not bring up any message
        const Walk walk = walkWithTab(*dialog);
        EXPECT_TRUE(walk.closed);

        QStringList names;
        for (QWidget *w : walk.visited)
            names << w->objectName();
        const std::string order = names.join(QLatin1Char(' ')).toStdString();
        for (QWidget *field : tabFields(*dialog)) {
            EXPECT_EQ(walk.visited.count(field), 1)
                << field->metaObject()->className() << " " << field->objectName().toStdString()
                << " in " << order;
        }

        // Members of a control array come in the order of their indexes.
        QMap<QString, int> lastIndex;
        for (QWidget *w : walk.visited) {
            const auto match = arrayMember.match(w->objectName());
            if (!match.hasMatch())
                continue;
            const int index = match.captured(2).toInt();
            const QString array = match.captured(1);
            if (lastIndex.contains(array)) {
                EXPECT_GT(index, lastIndex[array])
                    << w->objectName().toStdString() << " in " << order;
            }
            lastIndex[array] = index;
        }

        // Reading order: the next field is never above and to the left of the one before (but
        // after the last button the order starts again at the top).
        auto *tagDialog = qobject_cast<TagDialog *>(dialog.get());
        for (qsizetype i = 1; i < walk.visited.size(); ++i) {
            if (tagDialog && walk.visited[i - 1] == tagDialog->cancelButton())
                continue;
            const QPoint a = walk.visited[i - 1]->mapTo(dialog.get(), QPoint(0, 0));
            const QPoint b = walk.visited[i]->mapTo(dialog.get(), QPoint(0, 0));
            EXPECT_FALSE(b.y() < a.y() - 2 && b.x() < a.x() - 2)
                << walk.visited[i - 1]->objectName().toStdString() << " -> "
                << walk.visited[i]->objectName().toStdString() << " in " << order;
        }
        dialog->hide();
    }
}

TEST(DialogTabOrder, KeywordsTypedWithTabComeOutInTheirOrder)
{
    dlgKeyword dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ScriptedInteraction ui;
    walkWithTab(dialog);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(dialog.txtKeyword[i]->text(), QString::number(100 + i));
    dialog.okButton()->click();
    EXPECT_EQ(dialog.resultString(), u8("100,101,102,103,104,105,106,107,108,109"));
}

TEST(DialogTabOrder, AppletParametersTypedWithTabComeOutInTheirOrder)
{
    frmAppletSet dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ScriptedInteraction ui;
    walkWithTab(dialog);
    // The applet, its size, then name and value of each row in turn.
    EXPECT_EQ(dialog.txtApplet->text(), u8("100"));
    EXPECT_EQ(dialog.txtWIdth->text(), u8("101"));
    EXPECT_EQ(dialog.txtHeight->text(), u8("102"));
    QString params;
    for (int row = 0; row < AppletParameterRows; ++row) {
        EXPECT_EQ(dialog.txtParamName[row]->text(), QString::number(103 + 2 * row));
        EXPECT_EQ(dialog.txtParamValue[row]->text(), QString::number(104 + 2 * row));
        params += QStringLiteral("\t<PARAM name=\"%1\" VALUE=\"%2\">\r\n")
                      .arg(103 + 2 * row)
                      .arg(104 + 2 * row);
    }
    dialog.okButton()->click();
    EXPECT_EQ(dialog.resultString(), u8("<APPLET code=\"100\" width=\"101\" height=\"102\">\r\n")
                                         + params + u8("</APPLET>"));
}

} // namespace
