#include "tags/link/frmmailtoset.h"

#include "core/mailhistory.h"
#include "tags/shared/dialogwidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>

frmMailtoSet::frmMailtoSet()
    : TagDialog(QStringLiteral("frmMailtoSet"), tr("メール送信先の設定"), ButtonNames::Frm)
{
    const QStringList known = MailHistory::addresses();
    cmbMail = makeDropDown(this, QStringLiteral("cmbMail"), known, MailHistory::defaultAddress());
    txtHyouji = makeTextBox(this, QStringLiteral("txtHyouji"));
    auto *grid = new QGridLayout;
    addRow(grid, tr("ﾒｰﾙｱｶｳﾝﾄ(&A)"), cmbMail);
    addRow(grid, tr("表示文字(&D)"), txtHyouji);
    layOut(grid);
    // A pasted mail URL becomes a bare address.
    connect(cmbMail, &QComboBox::editTextChanged, this, [this](const QString &text) {
        const QString address = withoutMailtoPrefix(text);
        if (address != text)
            cmbMail->setEditText(address);
    });
}

QString frmMailtoSet::buildResult()
{
    MailHistory::remember(cmbMail->currentText());
    return mailLink(fields());
}

MailFields frmMailtoSet::fields() const
{
    return {cmbMail->currentText(), txtHyouji->text()};
}

void frmMailtoSet::apply(const MailFields &values)
{
    cmbMail->setEditText(values.address);
    txtHyouji->setText(values.text);
}
