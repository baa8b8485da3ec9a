#include "tags/image/frmimageset.h"

#include "core/imagesize.h"
#include "core/interaction.h"
#include "tags/image/imagereference.h"
#include "tags/shared/dialogwidgets.h"
#include "tags/shared/lowercasebutton.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmImageSet::frmImageSet()
    : TagDialog(QStringLiteral("frmImageSet"), tr("イメージの挿入"), ButtonNames::Frm)
{
    cancelButton()->setObjectName(QStringLiteral("Command2"));
    txtImageName = makeUrlBox(this, QStringLiteral("txtImageName"));
    cmdRefImage = makeButton(this, QStringLiteral("cmdRefImage"), tr("参照(&R)"));
    cmdLcase = makeLowerCaseButton(this, QStringLiteral("cmdLcase"), txtImageName);
    txtAlt = makeTextBox(this, QStringLiteral("txtAlt"));
    txtName = makeTextBox(this, QStringLiteral("txtName"));
    txtBorder = makeNumberBox(this, QStringLiteral("txtBorder"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdRefImage);
    buttons->addWidget(cmdLcase);
    auto *grid = new QGridLayout;
    addRow(grid, tr("イメージファイル名(&I)"), txtImageName);
    grid->addLayout(buttons, grid->rowCount(), 1);
    addRow(grid, tr("イメージの説明(&A)"), txtAlt);
    addRow(grid, tr("イメージの名前(&N)"), txtName);
    addRow(grid, tr("外枠の幅(&S)"), txtBorder);

    auto *size = makeFrame(this, tr("イメージサイズ"));
    txtWidth = makeNumberBox(size, QStringLiteral("txtWidth"));
    txtHeight = makeNumberBox(size, QStringLiteral("txtHeight"));
    auto *sizeGrid = new QGridLayout(size);
    addRow(sizeGrid, tr("イメージの横幅(&Y)"), txtWidth);
    addRow(sizeGrid, tr("イメージの高さ(&T)"), txtHeight);

    auto *space = makeFrame(this, tr("文字とイメージの間隔"));
    txtHspace = makeNumberBox(space, QStringLiteral("txtHspace"));
    txtVspace = makeNumberBox(space, QStringLiteral("txtVspace"));
    auto *spaceGrid = new QGridLayout(space);
    addRow(spaceGrid, tr("横の間隔(&W)"), txtHspace);
    addRow(spaceGrid, tr("縦の間隔(&H)"), txtVspace);

    auto *position = makeFrame(this, tr("テキストの位置"));
    optTextPos = makeOptionArray(position, QStringLiteral("optTextPos"), imageTextPositions());
    optTextPos[0]->setChecked(true);
    auto *positionColumn = new QVBoxLayout(position);
    for (QRadioButton *option : optTextPos)
        positionColumn->addWidget(option);

    auto *left = new QVBoxLayout;
    left->addLayout(grid);
    left->addWidget(size);
    left->addWidget(space);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(position);
    layOut(columns);

    connectImageReference(
        cmdRefImage, txtImageName, [this] { return basePath(); },
        [this](const QString &chosen) { measureImage(chosen); });
}

void frmImageSet::measureImage(const QString &path)
{
    const ImageSize size = readImageSize(path);
    if (!size.isValid()) {
        Interaction::inform(tr("イメージの大きさを読み取れませんでした。%1").arg(size.problem),
                            Interaction::Icon::Warning);
        return;
    }
    txtWidth->setText(QString::number(size.pixels.width()));
    txtHeight->setText(QString::number(size.pixels.height()));
}

bool frmImageSet::validate()
{
    if (txtImageName->text().isEmpty())
        return refuse(txtImageName, tr("ｲﾒｰｼﾞﾌｧｲﾙ名が指定されていません。"));
    return true;
}

QString frmImageSet::buildResult()
{
    return imageTag(fields());
}

ImageFields frmImageSet::fields() const
{
    ImageFields values;
    values.imageName = txtImageName->text();
    values.alt = txtAlt->text();
    values.name = txtName->text();
    values.textPosition.clear();
    for (const QRadioButton *option : optTextPos) {
        if (option->isChecked())
            values.textPosition = option->text();
    }
    values.hspace = txtHspace->text();
    values.vspace = txtVspace->text();
    values.border = txtBorder->text();
    values.height = txtHeight->text();
    values.width = txtWidth->text();
    return values;
}

void frmImageSet::apply(const ImageFields &values)
{
    txtImageName->setText(values.imageName);
    txtAlt->setText(values.alt);
    txtName->setText(values.name);
    for (QRadioButton *option : optTextPos) {
        if (option->text() == values.textPosition)
            option->setChecked(true);
    }
    txtHspace->setText(values.hspace);
    txtVspace->setText(values.vspace);
    txtBorder->setText(values.border);
    txtHeight->setText(values.height);
    txtWidth->setText(values.width);
}
