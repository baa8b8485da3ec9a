// Numbers typed with the input method on arrive as full-width digits (６０). Browsers read no
// such digits in size="６０", so every box of a dialog that takes a number must write ASCII ones,
// while a box for text (a name, a value, a URL) keeps what was typed.

#include "support/qstringprinter.h"
#include "support/scriptedinteraction.h"
#include "support/u8.h"
#include "tags/font/frmfontset.h"
#include "tags/font/frmkeisenset.h"
#include "tags/font/frmmidashi.h"
#include "tags/form/frmformset.h"
#include "tags/form/frminput.h"
#include "tags/form/frmtextboxset.h"
#include "tags/frameset/frmframeset.h"
#include "tags/gradation/frmgradation.h"
#include "tags/head/dlgauthor.h"
#include "tags/head/dlgdescription.h"
#include "tags/head/dlgkeyword.h"
#include "tags/head/dlgsetbaseurl.h"
#include "tags/head/dlgsetname.h"
#include "tags/head/dlgsetrefresh.h"
#include "tags/head/dlgurl.h"
#include "tags/image/frmbodyset.h"
#include "tags/image/frmimageset.h"
#include "tags/link/frmlinkset.h"
#include "tags/link/frmmailtoset.h"
#include "tags/list/dlgdledit.h"
#include "tags/list/dlgdlset.h"
#include "tags/list/dlglistmark.h"
#include "tags/list/dlglistnumber.h"
#include "tags/list/listformat.h"
#include "tags/script/frmappletset.h"
#include "tags/script/frmjsforset.h"
#include "tags/shared/tagformat.h"
#include "tags/table/frmtableset.h"
#include "tags/table/frmtableset2.h"
#include "tags/table/frmtdset.h"
#include "tags/table/frmtrset.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString FullWidth60 = u8("６０");

// Commits `text` from the input method into `box`, as a converted word arrives.
void commitFromInputMethod(QLineEdit *box, const QString &text)
{
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box, &commit);
}

// The name a line edit goes by: its own, or that of the drop-down it belongs to.
QString controlName(QLineEdit *box)
{
    for (QWidget *up = box->parentWidget(); up; up = up->parentWidget()) {
        if (qobject_cast<QComboBox *>(up) || qobject_cast<QAbstractSpinBox *>(up))
            return up->objectName();
    }
    return box->objectName();
}

bool hasFullWidthDigit(const QString &text)
{
    for (const QChar c : text) {
        if (c >= QChar(u'０') && c <= QChar(u'９'))
            return true;
    }
    return false;
}

struct DialogCase
{
    const char *name;
    std::function<std::unique_ptr<TagDialog>()> load;
    QStringList numberBoxes;
    // Fills what OK requires besides the numbers.
    std::function<void(TagDialog &)> prepare = [](TagDialog &) {};
    // What the dialog's OK puts into the page.
    std::function<QString(TagDialog &)> written = [](TagDialog &d) { return d.resultString(); };
};

template <class D> std::function<std::unique_ptr<TagDialog>()> make()
{
    return [] { return std::unique_ptr<TagDialog>(new D); };
}

void fill(TagDialog &dialog, const char *name, const char *text)
{
    setControlText(dialog, QLatin1String(name), QLatin1String(text));
}

const QList<DialogCase> &dialogCases()
{
    static const QList<DialogCase> cases = {
        {"dlgAuthor", make<dlgAuthor>(), {}},
        {"dlgDescription", make<dlgDescription>(), {}},
        {"dlgKeyword", make<dlgKeyword>(), {}},
        {"dlgSetBaseUrl", make<dlgSetBaseUrl>(), {}},
        {"DlgSetName", make<DlgSetName>(), {}},
        {"dlgSetRefresh", make<dlgSetRefresh>(), {"txtSec"}},
        {"dlgURL", make<dlgURL>(), {}},
        {"frmTableSet",
         make<frmTableSet>(),
         {"txtTD", "txtTR", "txtBorder", "txtWidth", "txtHeight", "txtCellspacing",
          "txtCellPadding"}},
        {"frmTableSet2",
         make<frmTableSet2>(),
         {"txtBorder", "txtWidth", "txtHeight", "txtCellspacing", "txtCellPadding"}},
        {"frmTdSet", make<frmTdSet>(), {"txtColspan", "txtRowspan", "txtWidth", "txtHeight"}},
        {"frmTrSet", make<frmTrSet>(), {}},
        {"frmImageSet",
         make<frmImageSet>(),
         {"txtBorder", "txtWidth", "txtHeight", "txtHspace", "txtVspace"},
         [](TagDialog &d) { fill(d, "txtImageName", "a.gif"); }},
        {"frmBodySet", make<frmBodySet>(), {}},
        {"frmLinkSet", make<frmLinkSet>(), {}},
        {"frmMailtoSet", make<frmMailtoSet>(), {}},
        {"frmFormSet", make<frmFormSet>(), {}},
        {"frmInput",
         make<frmInput>(),
         {"txtSize", "txtMaxlength"},
         [](TagDialog &d) { fill(d, "txtName", "n"); }},
        {"frmTextBoxSet",
         make<frmTextBoxSet>(),
         {"txtCols", "txtRows"},
         [](TagDialog &d) { fill(d, "txtName", "t"); }},
        {"frmFrameSet",
         make<frmFrameSet>(),
         {"txtHiritsu"},
         [](TagDialog &d) {
             fill(d, "txtUrl1", "a.html");
             fill(d, "txtUrl2", "b.html");
         }},
        {"dlgListMark", make<dlgListMark>(), {}},
        {"dlgListNumber",
         make<dlgListNumber>(),
         {"txtStartNo"},
         [](TagDialog &d) { static_cast<dlgListNumber &>(d).optNumber[0]->setChecked(true); },
         [](TagDialog &d) { return olStartTag(static_cast<dlgListNumber &>(d).fields()); }},
        {"dlgDlSet", make<dlgDlSet>(), {}},
        {"dlgDlEdit", make<dlgDlEdit>(), {}},
        {"frmFontSet", make<frmFontSet>(), {"Combo1"}},
        {"frmKeisenSet", make<frmKeisenSet>(), {"txtWidth", "txtSize"}},
        {"frmMidashi", make<frmMidashi>(), {}},
        {"frmAppletSet",
         make<frmAppletSet>(),
         {"txtWIdth", "txtHeight"},
         [](TagDialog &d) { fill(d, "txtApplet", "A.class"); }},
        {"frmJsForSet", make<frmJsForSet>(), {"txtSyokichi", "txtOwari", "txtZougen"}},
        {"frmGradation", make<frmGradation>(), {}},
    };
    return cases;
}

TEST(NumberBoxes, OnlyTheBoxesForNumbersTurnFullWidthDigitsIntoAscii)
{
    for (const DialogCase &c : dialogCases()) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<TagDialog> dialog = c.load();
        dialog->show();
        ScriptedInteraction ui; // a number typed into any box brings up no message
        QStringList converted;
        for (QLineEdit *box : dialog->findChildren<QLineEdit *>()) {
            if (!box->isEnabled() || box->isReadOnly())
                continue;
            box->clear();
            commitFromInputMethod(box, FullWidth60);
            if (box->text() == u8("60"))
                converted << controlName(box);
            else
                EXPECT_EQ(box->text(), FullWidth60) << controlName(box).toStdString();
        }
        converted.sort();
        QStringList expected = c.numberBoxes;
        expected.sort();
        EXPECT_EQ(converted, expected);
        dialog->hide();
    }
}

TEST(NumberBoxes, FullWidthDigitsTypedIntoEveryNumberBoxAreWrittenAsAscii)
{
    for (const DialogCase &c : dialogCases()) {
        if (c.numberBoxes.isEmpty())
            continue;
        SCOPED_TRACE(c.name);
        const std::unique_ptr<TagDialog> dialog = c.load();
        dialog->show();
        ScriptedInteraction ui;
        c.prepare(*dialog);
        for (const QString &name : c.numberBoxes) {
            QWidget *control = dialog->findChild<QWidget *>(name);
            ASSERT_TRUE(control) << name.toStdString();
            auto *combo = qobject_cast<QComboBox *>(control);
            QLineEdit *box = combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(control);
            ASSERT_TRUE(box) << name.toStdString();
            box->clear();
            commitFromInputMethod(box, FullWidth60);
        }
        dialog->okButton()->click();
        ASSERT_FALSE(dialog->isCancelled());
        const QString written = c.written(*dialog);
        EXPECT_FALSE(hasFullWidthDigit(written)) << written.toStdString();
        EXPECT_TRUE(written.contains(u8("60"))) << written.toStdString();
        dialog->hide();
    }
}

TEST(NumberBoxes, AsciiNumberTextKeepsEverythingButFullWidthDigitsAndSigns)
{
    const struct
    {
        const char *typed;
        const char *expected;
    } cases[] = {
        {"０１２３４５６７８９", "0123456789"},
        {"－５", "-5"},
        {"−５", "-5"}, // the minus sign some input methods give
        {"＋２", "+2"},
        {"５０％", "50％"}, // only digits and signs change
        {"１ｃｍ", "1ｃｍ"},
        {"ＯＫ", "ＯＫ"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(asciiNumberText(u8(c.typed)), u8(c.expected)) << c.typed;
}

} // namespace
