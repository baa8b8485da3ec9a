#include "tags/shared/layoutbuilder.h"

#include "support/qstringprinter.h"
#include "tags/table/frmtableset.h"
#include "tags/table/frmtdset.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// The object names of `root`'s widgets named in `names`, in tab order from the first of them.
QStringList tabOrder(QWidget &root, const QStringList &names)
{
    QStringList order;
    QWidget *start = root.findChild<QWidget *>(names.first());
    QWidget *w = start;
    do {
        if (names.contains(w->objectName()) && !order.contains(w->objectName()))
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != start);
    return order;
}

TEST(LayoutBuilder, TabOrderFollowsTheLayoutNotTheOrderOfCreation)
{
    QWidget root;
    // Created last, laid out first.
    auto *second = new QLineEdit(&root);
    second->setObjectName(QStringLiteral("second"));
    auto *first = new QLineEdit(&root);
    first->setObjectName(QStringLiteral("first"));
    const SizeGroup size = makeSizeGroup(&root, QStringLiteral("txtWidth"),
                                         QStringLiteral("chkWidth"), QStringLiteral("％"));
    root.setLayout(
        column({Form().field(QStringLiteral("一"), first).field(QStringLiteral("幅"), size),
                group(QStringLiteral("枠"), Form().field(QStringLiteral("二"), second))}));
    orderTabsByLayout(&root);
    EXPECT_EQ(tabOrder(root, {"first", "second", "txtWidth", "chkWidth"}),
              QStringList({"first", "txtWidth", "chkWidth", "second"}));
}

TEST(LayoutBuilder, DialogsTabInTheOrderTheyAreLaidOut)
{
    frmTdSet cell;
    EXPECT_EQ(tabOrder(cell, {"chkTH", "txtBgcolor", "cmdColRef", "cboAlign", "txtColspan",
                              "txtWidth", "chkWidth", "txtHeight", "cmdOK", "cmdCancel"}),
              QStringList({"chkTH", "txtBgcolor", "cmdColRef", "cboAlign", "txtColspan", "txtWidth",
                           "chkWidth", "txtHeight", "cmdOK", "cmdCancel"}));
    // The new-table dialog shows its cell counts first, though its base creates the frame's
    // fields before them.
    frmTableSet table;
    EXPECT_EQ(tabOrder(table, {"txtTD", "txtTR", "txtBorder", "txtCellPadding", "chkRules",
                               "txtTableCaption", "cmdOK"}),
              QStringList({"txtTD", "txtTR", "txtBorder", "txtCellPadding", "chkRules",
                           "txtTableCaption", "cmdOK"}));
}

TEST(LayoutBuilder, ColourGroupFillsItsBoxFromTheColourDialog)
{
    QWidget root;
    const ColorGroup color = makeColorGroup(&root, QStringLiteral("txtColor"));
    EXPECT_EQ(color.reference->objectName(), QStringLiteral("cmdColRef"));
    EXPECT_EQ(color.reference->text(), QStringLiteral("色参照"));
    EXPECT_EQ(color.box->objectName(), QStringLiteral("txtColor"));
}

} // namespace

namespace {

// Dialogs have no minimise or maximise button, and open wide enough for their whole caption.
TEST(TagDialogWindow, NoMinimiseOrMaximiseAndTheCaptionIsNotCut)
{
    frmTdSet cell;
    cell.setWindowTitle(QStringLiteral("レコードブロックの設定とずっと長い見出しの設定"));
    EXPECT_FALSE(cell.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(cell.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(cell.windowFlags() & Qt::WindowCloseButtonHint);
    cell.show();
    EXPECT_GT(cell.width(), cell.fontMetrics().horizontalAdvance(cell.windowTitle()));
    cell.hide();
}

} // namespace
