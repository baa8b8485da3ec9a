#include "tags/font/frmfontset.h"

#include "core/interaction.h"
#include "tags/shared/dialogwidgets.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmFontSet::frmFontSet()
    : TagDialog(QStringLiteral("frmFontSet"), tr("フォントサイズ、色、フォント名を決めます"),
                ButtonNames::Frm)
{
    Combo1 = makeDropDown(this, QStringLiteral("Combo1"), fontSizeEntries());
    takeNumbers(Combo1);
    txtColor = makeTextBox(this, QStringLiteral("txtColor"));
    cmdColor = makeButton(this, QStringLiteral("cmdColor"), tr("参照(&R)"));
    txtFont = makeTextBox(this, QStringLiteral("txtFont"));
    cmdFont = makeButton(this, QStringLiteral("cmdFont"), tr("参照(&N)"));
    auto *grid = new QGridLayout;
    addRow(grid, tr("サイズ(&S)"), Combo1, makeLabel(this, tr("（最大：７　最小：１）")));
    addRow(grid, tr("色(&C)"), txtColor, cmdColor);
    addRow(grid, tr("フォント名(&F)"), txtFont, cmdFont);
    layOut(grid);
    connectColorReference(cmdColor, txtColor);
    connect(cmdFont, &QPushButton::clicked, this, &frmFontSet::cmdFont_Click);
}

void frmFontSet::cmdFont_Click()
{
    QFont start;
    if (!txtFont->text().isEmpty())
        start.setFamily(txtFont->text());
    if (const std::optional<QFont> chosen = Interaction::current().chooseFont(start))
        txtFont->setText(chosen->family());
}

QString frmFontSet::buildResult()
{
    return fontStartTag(fields());
}

FontValues frmFontSet::fields() const
{
    return {Combo1->currentText(), txtFont->text(), txtColor->text()};
}

void frmFontSet::apply(const FontValues &values)
{
    Combo1->setEditText(values.size);
    txtFont->setText(values.face);
    txtColor->setText(values.color);
}
