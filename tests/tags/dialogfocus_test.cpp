#include "tags/head/dlgauthor.h"
#include "tags/head/dlgdescription.h"
#include "tags/head/dlgkeyword.h"
#include "tags/head/dlgsetbaseurl.h"
#include "tags/head/dlgsetname.h"
#include "tags/head/dlgsetrefresh.h"
#include "tags/head/dlgurl.h"
#include "tags/table/frmtableset.h"
#include "tags/table/frmtableset2.h"
#include "tags/table/frmtdset.h"
#include "tags/table/frmtrset.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// What a field shows after typing.
QString fieldText(QWidget *field)
{
    if (auto *line = qobject_cast<QLineEdit *>(field))
        return line->text();
    if (auto *combo = qobject_cast<QComboBox *>(field))
        return combo->currentText();
    if (auto *text = qobject_cast<QPlainTextEdit *>(field))
        return text->toPlainText();
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(field))
        return spin->text();
    return {};
}

template <class D> std::function<std::unique_ptr<QDialog>()> make()
{
    return [] { return std::unique_ptr<QDialog>(new D); };
}

} // namespace

TEST(DialogFocus, WhatIsTypedRightAfterADialogOpensLandsInItsFirstField)
{
    const struct
    {
        const char *name;
        std::function<std::unique_ptr<QDialog>()> load;
        const char *typed;
    } cases[] = {
        {"dlgAuthor", make<dlgAuthor>(), "Taro"},
        {"dlgDescription", make<dlgDescription>(), "about"},
        {"dlgKeyword", make<dlgKeyword>(), "words"},
        {"dlgSetBaseUrl", make<dlgSetBaseUrl>(), "http"},
        {"DlgSetName", make<DlgSetName>(), "name"},
        {"dlgSetRefresh", make<dlgSetRefresh>(), "5"},
        {"dlgURL", make<dlgURL>(), "http"},
        {"frmTableSet", make<frmTableSet>(), "3"},
        {"frmTableSet2", make<frmTableSet2>(), "3"},
        {"frmTdSet", make<frmTdSet>(), "5"},
        {"frmTrSet", make<frmTrSet>(), "5"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QDialog> dialog = c.load();
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QWidget *focused = QApplication::focusWidget();
        ASSERT_TRUE(focused);
        ASSERT_TRUE(dialog->isAncestorOf(focused));
        EXPECT_FALSE(qobject_cast<QAbstractButton *>(focused))
            << focused->objectName().toStdString();
        if (auto *spin = qobject_cast<QAbstractSpinBox *>(focused))
            spin->clear();
        QTest::keyClicks(focused, c.typed);
        EXPECT_TRUE(fieldText(focused).contains(QLatin1String(c.typed)))
            << focused->objectName().toStdString() << ": " << fieldText(focused).toStdString();
        dialog->hide();
    }
}
