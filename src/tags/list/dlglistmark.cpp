#include "tags/list/dlglistmark.h"

#include "tags/list/optionchoice.h"
#include "tags/shared/dialogwidgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

dlgListMark::dlgListMark()
    : TagDialog(QStringLiteral("dlgListMark"), tr("リストのマーク"), ButtonNames::Dlg)
{
    chkMark = makeCheckBox(this, QStringLiteral("chkMark"), tr("リスト全体で指定する。"));
    chkMark->setChecked(true);
    auto *frame = makeFrame(this, tr("マークの種類"));
    optMark = makeOptionArray(frame, QStringLiteral("optMark"), markCaptions());
    auto *options = new QVBoxLayout(frame);
    for (QRadioButton *option : std::as_const(optMark))
        options->addWidget(option);

    auto *content = new QVBoxLayout;
    content->addWidget(chkMark);
    content->addWidget(frame);
    layOut(content);
}

ListMarkFields dlgListMark::fields() const
{
    return {chkMark->isChecked(), selectedCaption(optMark)};
}

void dlgListMark::apply(const ListMarkFields &values)
{
    chkMark->setChecked(values.wholeList);
    selectCaption(optMark, values.mark);
}

void dlgListMark::fixScope(bool wholeList)
{
    chkMark->setChecked(wholeList);
    chkMark->setEnabled(false);
}

bool dlgListMark::validate()
{
    if (selectedCaption(optMark).isEmpty())
        return refuse(optMark.first(), tr("マークの種類を指定して下さい。"));
    return true;
}

QString dlgListMark::buildResult()
{
    const ListMarkFields values = fields();
    return listChoiceCode(values.wholeList, values.mark, markCaptions());
}
