#include "tags/form/frmtextboxset.h"

#include "tags/shared/dialogwidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Lf = QStringLiteral("\n");

} // namespace

frmTextBoxSet::frmTextBoxSet()
    : TagDialog(QStringLiteral("frmTextBoxSet"), tr("複数行テキストボックスの設定"),
                ButtonNames::Frm)
{
    txtName = makeTextBox(this, QStringLiteral("txtName"));
    txtValue = new QPlainTextEdit(this);
    txtValue->setObjectName(QStringLiteral("txtValue"));
    txtValue->setTabChangesFocus(true);
    txtCols = makeNumberBox(this, QStringLiteral("txtCols"));
    txtRows = makeNumberBox(this, QStringLiteral("txtRows"));
    chkWrap = makeCheckBox(this, QStringLiteral("chkWrap"), tr("右端での折返し"));
    chkWrap->setChecked(true);
    auto *grid = new QGridLayout;
    addRow(grid, tr("データ名"), txtName);
    addRow(grid, tr("初期値"), txtValue);
    addRow(grid, tr("横の文字数"), txtCols);
    addRow(grid, tr("縦の行数"), txtRows);

    auto *content = new QVBoxLayout;
    content->addLayout(grid);
    content->addWidget(chkWrap);
    layOut(content);
}

bool frmTextBoxSet::validate()
{
    const QString title = tr("テキストボックス定義");
    if (txtName->text().isEmpty())
        return refuse(txtName, tr("データ名を入力して下さい。"), Interaction::Icon::Warning, title);
    const struct
    {
        QLineEdit *box;
        QString message;
    } counts[] = {
        {txtCols, tr("横の文字数は 1 から %1 までの数字で入力して下さい。").arg(MaxFormCount)},
        {txtRows, tr("縦の行数は 1 から %1 までの数字で入力して下さい。").arg(MaxFormCount)},
    };
    for (const auto &count : counts) {
        if (!count.box->text().isEmpty() && !parseFormCount(count.box->text()))
            return refuse(count.box, count.message, Interaction::Icon::Warning, title);
    }
    return true;
}

QString frmTextBoxSet::buildResult()
{
    return textAreaElement(fields());
}

TextAreaFields frmTextBoxSet::fields() const
{
    TextAreaFields values;
    values.name = txtName->text();
    // The box keeps line breaks as LF; the document writes CR LF.
    values.value = txtValue->toPlainText().replace(Lf, CrLf);
    values.cols = txtCols->text();
    values.rows = txtRows->text();
    values.wrap = chkWrap->isChecked();
    return values;
}

void frmTextBoxSet::apply(const TextAreaFields &values)
{
    txtName->setText(values.name);
    txtValue->setPlainText(QString(values.value).replace(CrLf, Lf));
    txtCols->setText(values.cols);
    txtRows->setText(values.rows);
    chkWrap->setChecked(values.wrap);
}
