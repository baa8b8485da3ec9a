#include "tags/form/frminput.h"

#include "tags/shared/dialogwidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A box a type does not use is greyed out with the button face behind it.
void enableBox(QLineEdit *box, QLabel *label, bool enabled)
{
    box->setEnabled(enabled);
    label->setEnabled(enabled);
    box->setBackgroundRole(enabled ? QPalette::Base : QPalette::Button);
    box->setAutoFillBackground(!enabled);
}

} // namespace

frmInput::frmInput()
    : GuardedTagDialog(QStringLiteral("frmInput"), tr("１行部品の作成"), ButtonNames::Frm)
{
    auto *types = makeFrame(this, tr("部品のタイプ"));
    optType = makeOptionArray(types, QStringLiteral("optType"),
                              {tr("１行のﾃｷｽﾄﾎﾞｯｸｽ"), tr("ﾗｼﾞｵﾎﾞﾀﾝ"), tr("ﾁｪｯｸﾎﾞｯｸｽ"),
                               tr("ﾘｾｯﾄﾎﾞﾀﾝ"), tr("ｻﾌﾞﾐｯﾄﾎﾞﾀﾝ"), tr("ﾊﾟｽﾜｰﾄﾞﾎﾞｯｸｽ"), tr("ﾎﾞﾀﾝ")});
    auto *typeGrid = new QGridLayout(types);
    for (int i = 0; i < optType.size(); ++i) {
        typeGrid->addWidget(optType[i], i % 4, i / 4);
        connect(optType[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                typeChosen(i);
        });
    }

    Label1 = makeLabel(this, tr("部品の名前"), QStringLiteral("Label1"));
    txtName = makeTextBox(this, QStringLiteral("txtName"));
    Label2 = makeLabel(this, tr("規定値"), QStringLiteral("Label2"));
    txtValue = makeTextBox(this, QStringLiteral("txtValue"));
    Label3 = makeLabel(this, tr("サイズ"), QStringLiteral("Label3"));
    txtSize = makeNumberBox(this, QStringLiteral("txtSize"));
    Label4 = makeLabel(this, tr("最大桁数"), QStringLiteral("Label4"));
    txtMaxlength = makeNumberBox(this, QStringLiteral("txtMaxlength"));
    chkCheck = makeCheckBox(this, QStringLiteral("chkCheck"), tr("初期状態でチェックする。"));
    auto *grid = new QGridLayout;
    addRow(grid, Label1, txtName);
    addRow(grid, Label2, txtValue);
    addRow(grid, Label3, txtSize);
    addRow(grid, Label4, txtMaxlength);

    auto *content = new QVBoxLayout;
    content->addLayout(grid);
    content->addWidget(chkCheck);
    content->addWidget(types);
    layOut(content);
    // The name box comes first in the tab order, so that the dialog opens with it focused.
    setTabOrder(txtName, txtValue);
    setTabOrder(txtValue, txtSize);
    setTabOrder(txtSize, txtMaxlength);
    setTabOrder(txtMaxlength, chkCheck);

    optType[int(InputType::Password)]->setChecked(true);
}

int frmInput::selectedType() const
{
    for (int i = 0; i < optType.size(); ++i) {
        if (optType[i]->isChecked())
            return i;
    }
    return -1;
}

void frmInput::typeChosen(int type)
{
    enableBox(txtSize, Label3, inputHasSize(type));
    enableBox(txtMaxlength, Label4, inputHasSize(type));
    chkCheck->setEnabled(inputHasInitialTick(type));
    if (inputShowsCaption(type))
        Label2->setText(tr("表示名"));
    else if (inputHasSize(type))
        Label2->setText(tr("規定値"));
}

bool frmInput::validate()
{
    const int type = selectedType();
    if (inputNeedsName(type) && txtName->text().isEmpty())
        return refuse(txtName, tr("名前を入力してください。"), Interaction::Icon::None, {});
    const struct
    {
        QLineEdit *box;
        QString message;
    } counts[] = {
        {txtSize, tr("サイズは 1 から %1 までの数字で入力してください。").arg(MaxFormCount)},
        {txtMaxlength, tr("最大桁数は 1 から %1 までの数字で入力してください。").arg(MaxFormCount)},
    };
    for (const auto &count : counts) {
        const QString text = count.box->text();
        if (count.box->isEnabled() && !text.isEmpty() && !parseFormCount(text))
            return refuse(count.box, count.message);
    }
    return true;
}

QString frmInput::buildResult()
{
    return inputTag(fields());
}

InputFields frmInput::fields() const
{
    InputFields values;
    values.type = selectedType();
    values.otherType = values.type < 0 ? otherType : QString();
    values.name = txtName->text();
    values.value = txtValue->text();
    values.size = txtSize->text();
    values.maxLength = txtMaxlength->text();
    values.checked = chkCheck->isChecked();
    values.sizeUsed = txtSize->isEnabled();
    values.maxLengthUsed = txtMaxlength->isEnabled();
    return values;
}

void frmInput::apply(const InputFields &values)
{
    if (values.type >= 0 && values.type < optType.size()) {
        const bool sizeBefore = txtSize->isEnabled();
        const bool maxLengthBefore = txtMaxlength->isEnabled();
        const bool tickBefore = chkCheck->isEnabled();
        optType[values.type]->setChecked(true);
        // A tag read back sets the boxes by its own rule, which leaves some as they were.
        const InputEnabling enabling = inputReEditEnabling(values.type);
        enableBox(txtSize, Label3, enabling.size.value_or(sizeBefore));
        enableBox(txtMaxlength, Label4, enabling.maxLength.value_or(maxLengthBefore));
        chkCheck->setEnabled(enabling.tick.value_or(tickBefore));
    } else {
        // No option stands for the tag's type: none is selected, the boxes stay as they are.
        for (QRadioButton *option : optType)
            option->setAutoExclusive(false);
        for (QRadioButton *option : optType) {
            option->setChecked(false);
            option->setAutoExclusive(true);
        }
    }
    otherType = values.otherType;
    txtName->setText(values.name);
    txtValue->setText(values.value);
    txtSize->setText(values.size);
    txtMaxlength->setText(values.maxLength);
    chkCheck->setChecked(values.checked);
}
