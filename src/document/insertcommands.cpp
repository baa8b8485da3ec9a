// The commands of the Edit, Insert and HTML menus that change the text without a dialog.

#include "document/documentcommands.h"
#include "document/editcommands.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/simpletags.h"
#include "document/tagcolor.h"

#include <QDateTime>

#include <utility>

namespace {

template <std::size_t Row> void simpleTag_Click(frmDocument &doc)
{
    const SimpleTag &tag = simpleTags[Row];
    const QString name = QLatin1String(tag.name);
    if (tag.kind == SimpleTag::Kind::Wrap)
        WrapTag(doc, name);
    else
        InsertTag(doc, name);
    if (tag.lineBreakAfter)
        doc.txtText->setSelText(QStringLiteral("\r\n"));
}

template <std::size_t... Rows> DocumentCommandTable simpleTagCommands(std::index_sequence<Rows...>)
{
    return {Command<frmDocument>{simpleTags[Rows].handler, simpleTag_Click<Rows>}...};
}

template <DivAlign Align> void divBlock_Click(frmDocument &doc)
{
    InsertFragment(doc, divBlock(Align, doc.txtText->selText()));
}

void mnuHtmlPageComment_Click(frmDocument &doc)
{
    InsertFragment(doc, commentBlock(doc.txtText->selText()));
}

void mnuHtmlPageDoctupeVer_Click(frmDocument &doc, int index)
{
    RichTextBox &box = *doc.txtText;
    const int replaced = doctypeReplaceLength(box.text());
    if (replaced > 0)
        box.select(0, replaced);
    else
        box.setSelStart(0);
    InsertFragment(doc, doctypeDeclaration(index));
}

void mnuInsertCharS_Click(frmDocument &doc, int index)
{
    putText(*doc.txtText, characterEntity(index));
}

void mnuInsertDate_Click(frmDocument &doc)
{
    putText(*doc.txtText, dateText(QDate::currentDate()));
}

void mnuInsertDW_Click(frmDocument &doc)
{
    putText(*doc.txtText, dateWeekdayText(QDate::currentDate()));
}

void mnuInsertTime_Click(frmDocument &doc)
{
    putText(*doc.txtText, timeText(QTime::currentTime()));
}

void mnuPopTool_Click(frmDocument &doc)
{
    const bool selected = doc.txtText->selLength() > 0;
    for (const char *name :
         {"mnuPopToolBr", "mnuPopToolDelCR", "mnuPopToolHan2Zen", "mnuPopToolGradeition"})
        doc.setCommandEnabled(QLatin1String(name), selected);
}

} // namespace

DocumentCommandTable insertCommands()
{
    DocumentCommandTable table
        = simpleTagCommands(std::make_index_sequence<std::size(simpleTags)>());
    table += {
        {"mnuHtmlTextLeft_Click", divBlock_Click<DivAlign::Left>},
        {"mnuHtmlTextRight_Click", divBlock_Click<DivAlign::Right>},
        {"mnuHtmlTextDivCenter_Click", divBlock_Click<DivAlign::Center>},
        {"mnuHtmlPageComment_Click", mnuHtmlPageComment_Click},
        {"mnuHtmlPageDoctupeVer_Click", nullptr, mnuHtmlPageDoctupeVer_Click},
        {"mnuInsertCharS_Click", nullptr, mnuInsertCharS_Click},
        {"mnuInsertDate_Click", mnuInsertDate_Click},
        {"mnuInsertDW_Click", mnuInsertDW_Click},
        {"mnuInsertTime_Click", mnuInsertTime_Click},
        {"mnuEdit_Click", mnuEdit_Click},
        {"mnuEditCut_Click", mnuEditCut_Click},
        {"mnuEditCopy_Click", mnuEditCopy_Click},
        {"mnuEditPaste_Click", mnuEditPaste_Click},
        {"mnuEditDel_Click", mnuEditDel_Click},
        {"mnuPopCut_Click", mnuPopCut_Click},
        {"mnuPopCopy_Click", mnuPopCopy_Click},
        {"mnuPopTool_Click", mnuPopTool_Click},
    };
    return table;
}
