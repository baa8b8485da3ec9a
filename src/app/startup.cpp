#include "app/startup.h"

#include "app/dlgopenhtml.h"
#include "app/documentio.h"
#include "app/frmsplash.h"
#include "app/interaction.h"
#include "app/sharedstate.h"
#include "app/singleinstance.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "mainwindow/frmmain.h"

#include <QApplication>
#include <QStringList>

QString buildNewTemplate()
{
    const QStringList lines = {
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 //EN\" "
                       "\"http://www.w3.org/TR/REC-html40/frameset.dtd\">"),
        QStringLiteral("<HTML lang=\"ja\">"),
        QStringLiteral("<HEAD>"),
        QStringLiteral("<META http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">"),
        QStringLiteral("<META name=\"Generator\" content=\"") + applicationTitle() + QStringLiteral("\">"),
        QStringLiteral("<TITLE>Welcome To My HomePage</TITLE>"),
        QStringLiteral("</HEAD>"),
        QString(),
        QStringLiteral("<BODY bgcolor=\"#FFFFFF\">"),
        QStringLiteral("<H1>タイトル</H1>"),
        QStringLiteral("<HR>"),
        QString(),
        QStringLiteral("</BODY>"),
        QString(),
        QStringLiteral("</HTML>"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

void NewDocument()
{
    // The number is used up before the dialog, so a cancelled dialog still takes one.
    const int number = ++shared().lngNewCount;
    QString result;
    {
        dlgOpenHtml dialog(frmMain::instance());
        Interaction::current().runModal(dialog);
        result = dialog.strResult;
    }
    if (result == QLatin1String("Cancel"))
        return;

    frmDocument *doc = createDocumentWindow();
    doc->setCaption(QStringLiteral("NewHtml%1.htm").arg(number));
    doc->txtText->setText(result);
    doc->strFileName = frmDocument::NewFileName;
    doc->setTextTag(frmDocument::NewFileName);
    if (shared().blnTagColor) {
        Color_set(*doc);
        doc->txtText->setSelStart(0);
    }
    doc->blnFlgDirty = false;
    doc->showDocument();
}

int Main()
{
    SingleInstance instance;
    if (!instance.isFirst())
        return 0;

    auto *splash = new frmSplash;
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    shared().strNewTemplate = buildNewTemplate();

    frmMain frame;
    delete splash;
    frame.show();
    NewDocument();
    return QApplication::exec();
}
