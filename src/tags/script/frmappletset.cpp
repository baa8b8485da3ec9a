#include "tags/script/frmappletset.h"

#include "core/sharedstate.h"
#include "tags/shared/dialogwidgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// "（１）" for the first row, "（2）" … "（9）" for the others, as the labels read.
QString rowNumber(int row)
{
    return row == 0 ? QStringLiteral("（１）") : QStringLiteral("（%1）").arg(row + 1);
}

} // namespace

frmAppletSet::frmAppletSet()
    : TagDialog(QStringLiteral("frmAppletSet"), tr("Ｊａｖｅｱﾌﾟﾚｯﾄの設定"), ButtonNames::Frm)
{
    okButton()->setObjectName(QStringLiteral("cmdOk"));
    txtApplet = makeUrlBox(this, QStringLiteral("txtApplet"));
    cmdRef = makeButton(this, QStringLiteral("cmdRef"), tr("参照(&R)"));
    Command1 = makeButton(this, QStringLiteral("Command1"), tr("小文字化(&L)"));
    txtWIdth = makeNumberBox(this, QStringLiteral("txtWIdth"));
    txtHeight = makeNumberBox(this, QStringLiteral("txtHeight"));
    auto *grid = new QGridLayout;
    addRow(grid, tr(" ｱﾌﾟﾚｯﾄ名(&A)"), txtApplet, cmdRef);
    grid->addWidget(Command1, grid->rowCount(), 2);
    addRow(grid, tr("表示幅(&W)"), txtWIdth);
    addRow(grid, tr("表示高(&H)"), txtHeight);

    auto *parameters = makeFrame(this, tr("ﾊﾟﾗﾒｰﾀ"));
    auto *rows = new QGridLayout(parameters);
    for (int row = 0; row < AppletParameterRows; ++row) {
        txtParamName[row] = makeTextBox(parameters, QStringLiteral("txtParamName_%1").arg(row));
        txtParamValue[row] = makeTextBox(parameters, QStringLiteral("txtParamValue_%1").arg(row));
        rows->addWidget(makeLabel(parameters, tr("ﾊﾟﾗﾒｰﾀ名") + rowNumber(row)), row, 0);
        rows->addWidget(txtParamName[row], row, 1);
        rows->addWidget(makeLabel(parameters, tr("値(%1)").arg(row + 1)), row, 2);
        rows->addWidget(txtParamValue[row], row, 3);
    }
    auto *content = new QVBoxLayout;
    content->addLayout(grid);
    content->addWidget(parameters);
    layOut(content);

    connectFileReference(cmdRef, txtApplet, tr("ｱﾌﾟﾚｯﾄ(*.class)|*.class|全てのﾌｧｲﾙ (*.*)|*.*"),
                         shared().strLastFullPath, [this] { return basePath(); });
    connect(Command1, &QPushButton::clicked, this,
            [this] { txtApplet->setText(txtApplet->text().toLower()); });
}

bool frmAppletSet::validate()
{
    if (txtApplet->text().isEmpty())
        return refuse(txtApplet, tr("アプレット名が入力されていません。"));
    if (txtWIdth->text().isEmpty())
        return refuse(txtWIdth, tr("表示幅を入力してください。"));
    if (txtHeight->text().isEmpty())
        return refuse(txtHeight, tr("表示高を入力してください。"));
    return true;
}

QString frmAppletSet::buildResult()
{
    return appletElement(fields());
}

AppletValues frmAppletSet::fields() const
{
    AppletValues values;
    values.code = txtApplet->text();
    values.width = txtWIdth->text();
    values.height = txtHeight->text();
    for (int row = 0; row < AppletParameterRows; ++row)
        values.parameters[row] = {txtParamName[row]->text(), txtParamValue[row]->text(),
                                  m_otherParameterAttributes[row]};
    return values;
}

void frmAppletSet::apply(const AppletValues &values)
{
    txtApplet->setText(values.code);
    txtWIdth->setText(values.width);
    txtHeight->setText(values.height);
    for (int row = 0; row < AppletParameterRows; ++row) {
        txtParamName[row]->setText(values.parameters[row].name);
        txtParamValue[row]->setText(values.parameters[row].value);
        m_otherParameterAttributes[row] = values.parameters[row].otherAttributes;
    }
}
