#include "tags/image/frmbodyset.h"

#include "tags/image/imagereference.h"
#include "tags/shared/dialogwidgets.h"
#include "tags/shared/lowercasebutton.h"

#include <QColor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace {

// Shows the colour of `box` in `role` of `target` whenever the box holds a colour the preview
// can show; other text leaves the preview as it was.
void connectPreview(QLineEdit *box, QWidget *target, QPalette::ColorRole role)
{
    target->setAutoFillBackground(role == QPalette::Window);
    QObject::connect(box, &QLineEdit::textChanged, target, [target, role](const QString &text) {
        const std::optional<int> color = parseHtmlColor(text);
        if (!color)
            return;
        QPalette palette = target->palette();
        palette.setColor(role, QColor::fromRgb(QRgb(*color)));
        target->setPalette(palette);
    });
}

} // namespace

frmBodySet::frmBodySet()
    : GuardedTagDialog(QStringLiteral("frmBodySet"), tr("ページ書式の設定"), ButtonNames::Frm)
{
    txtImageName = makeUrlBox(this, QStringLiteral("txtImageName"));
    cmdImageRef = makeButton(this, QStringLiteral("cmdImageRef"), tr("参照(&R)"));
    Command1 = makeLowerCaseButton(this, QStringLiteral("Command1"), txtImageName);
    const auto colorRow = [this](const char *box, const char *button, const QString &caption,
                                 QLineEdit *&boxOut, QPushButton *&buttonOut) {
        boxOut = makeTextBox(this, QLatin1String(box));
        buttonOut = makeButton(this, QLatin1String(button), caption);
        connectColorReference(buttonOut, boxOut);
    };
    colorRow("txtBgcolor", "cmdBgcolorRef", tr("色参照(&H)"), txtBgcolor, cmdBgcolorRef);
    colorRow("txtTextCol", "cmdTextColRef", tr("色参照(&T)"), txtTextCol, cmdTextColRef);
    colorRow("txtLink", "cmdLinkColRef", tr("色参照(&L)"), txtLink, cmdLinkColRef);
    colorRow("txtAlink", "cmdAlinColRef", tr("色参照(&C)"), txtAlink, cmdAlinColRef);
    colorRow("txtVlink", "cmdVlinkColRef", tr("色参照(&E)"), txtVlink, cmdVlinkColRef);

    auto *grid = new QGridLayout;
    auto *imageButtons = new QHBoxLayout;
    imageButtons->addWidget(cmdImageRef);
    imageButtons->addWidget(Command1);
    addRow(grid, tr("背景のイメージ(&I)"), txtImageName);
    grid->addLayout(imageButtons, grid->rowCount(), 1);
    addRow(grid, tr("背景色"), txtBgcolor, cmdBgcolorRef);
    addRow(grid, tr("テキストの色"), txtTextCol, cmdTextColRef);
    addRow(grid, tr("リンク文字"), txtLink, cmdLinkColRef);
    addRow(grid, tr("クリックした時の色"), txtAlink, cmdAlinColRef);
    addRow(grid, tr("リンク済み文字"), txtVlink, cmdVlinkColRef);

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    lblText = makeLabel(Picture1, tr("テキスト文字"), QStringLiteral("lblText"));
    lblLink = makeLabel(Picture1, tr("リンク文字"), QStringLiteral("lblLink"));
    lblALink = makeLabel(Picture1, tr("クリック時"), QStringLiteral("lblALink"));
    lblVlink = makeLabel(Picture1, tr("リンク済み"), QStringLiteral("lblVlink"));
    auto *preview = new QVBoxLayout(Picture1);
    for (QLabel *label : {lblText, lblLink, lblALink, lblVlink})
        preview->addWidget(label);
    connectPreview(txtBgcolor, Picture1, QPalette::Window);
    connectPreview(txtTextCol, lblText, QPalette::WindowText);
    connectPreview(txtLink, lblLink, QPalette::WindowText);
    connectPreview(txtAlink, lblALink, QPalette::WindowText);
    connectPreview(txtVlink, lblVlink, QPalette::WindowText);

    auto *columns = new QHBoxLayout;
    columns->addLayout(grid);
    columns->addWidget(Picture1);
    layOut(columns);

    connectImageReference(cmdImageRef, txtImageName, [this] { return basePath(); });
}

QString frmBodySet::buildResult()
{
    return bodyStartTag(fields());
}

BodyFields frmBodySet::fields() const
{
    BodyFields values;
    values.imageName = txtImageName->text();
    values.bgColor = txtBgcolor->text();
    values.textColor = txtTextCol->text();
    values.aLink = txtAlink->text();
    values.link = txtLink->text();
    values.vLink = txtVlink->text();
    return values;
}

void frmBodySet::apply(const BodyFields &values)
{
    txtImageName->setText(values.imageName);
    txtBgcolor->setText(values.bgColor);
    txtTextCol->setText(values.textColor);
    txtAlink->setText(values.aLink);
    txtLink->setText(values.link);
    txtVlink->setText(values.vLink);
}
