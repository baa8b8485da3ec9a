#include "tags/script/frmjsforset.h"

#include "core/interaction.h"
#include "tags/shared/dialogwidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmJsForSet::frmJsForSet()
    : TagDialog(QStringLiteral("frmJsForSet"), tr("JaveScript for のセット"), ButtonNames::Frm)
{
    okButton()->setObjectName(QStringLiteral("cmdOk"));
    okButton()->setText(tr("ＯＫ"));
    const ForLoopValues loaded;
    txtHensu = makeTextBox(this, QStringLiteral("txtHensu"));
    txtSyokichi = makeNumberBox(this, QStringLiteral("txtSyokichi"));
    cmbJouken
        = makeDropDown(this, QStringLiteral("cmbJouken"), forConditionEntries(), loaded.condition);
    txtOwari = makeNumberBox(this, QStringLiteral("txtOwari"));
    txtZougen = makeNumberBox(this, QStringLiteral("txtZougen"));
    chkZouka = makeCheckBox(this, QStringLiteral("chkZouka"), tr("増加"));
    lblFor = makeLabel(this, tr("for( i = 0 ; i  <= 10 ; i++ )"), QStringLiteral("lblFor"));
    txtHensu->setText(loaded.variable);
    txtSyokichi->setText(loaded.initial);
    txtOwari->setText(loaded.end);
    txtZougen->setText(loaded.step);
    chkZouka->setChecked(loaded.increasing);

    auto *grid = new QGridLayout;
    addRow(grid, tr("変数名"), txtHensu);
    addRow(grid, tr("初期値"), txtSyokichi);
    addRow(grid, tr("終了条件"), cmbJouken, txtOwari);
    addRow(grid, tr("増減値"), txtZougen, chkZouka);
    auto *content = new QVBoxLayout;
    content->addLayout(grid);
    content->addWidget(lblFor);
    layOut(content);

    connect(txtHensu, &QLineEdit::textChanged, this, &frmJsForSet::rebuildPreview);
    connect(chkZouka, &QCheckBox::toggled, this, &frmJsForSet::rebuildPreview);
    connect(cmbJouken, &QComboBox::currentTextChanged, this, &frmJsForSet::rebuildPreview);
    for (QLineEdit *box : {txtSyokichi, txtOwari, txtZougen})
        connect(box, &QLineEdit::textChanged, this, &frmJsForSet::numberChanged);
}

ForLoopValues frmJsForSet::fields() const
{
    ForLoopValues values;
    values.variable = txtHensu->text();
    values.initial = txtSyokichi->text();
    values.condition = cmbJouken->currentText();
    values.end = txtOwari->text();
    values.step = txtZougen->text();
    values.increasing = chkZouka->isChecked();
    return values;
}

QString frmJsForSet::buildResult()
{
    return lblFor->text();
}

void frmJsForSet::rebuildPreview()
{
    lblFor->setText(forLoopHeader(fields()));
}

void frmJsForSet::numberChanged(const QString &text)
{
    if (!text.isEmpty() && !isLoopNumber(text)) {
        Interaction::inform(tr("数値のみしか入力できません。"), Interaction::Icon::Warning,
                            QStringLiteral("frmJsForset txtSyokichi_Change"));
        return;
    }
    rebuildPreview();
}
