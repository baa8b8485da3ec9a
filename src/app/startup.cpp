#include "app/startup.h"

#include "app/frmsplash.h"
#include "app/paintreport.h"
#include "app/registration.h"
#include "app/singleinstance.h"
#include "app/startfiles.h"
#include "core/interaction.h"
#include "core/qttranslations.h"
#include "core/recoveryservice.h"
#include "core/sharedstate.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "mainwindow/dlgopenhtml.h"
#include "mainwindow/documentio.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/frmrecover.h"

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
        QStringLiteral("<META name=\"Generator\" content=\"") + applicationTitle()
            + QStringLiteral("\">"),
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

int Main(const QStringList &files)
{
    installQtTranslations();
    registerAllCommands();
    SingleInstance instance;
    if (!instance.isFirst())
        return handOverToRunningInstance(instance, files);

    auto *splash = new frmSplash;
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    shared().strNewTemplate = buildNewTemplate();

    // Unsaved text is kept in recovery files while the program runs; the files of a run that
    // ended without closing its pages are offered before anything else opens.
    RecoveryService recovery;
    frmMain frame;
    delete splash;
    frame.show();
    instance.setReceiver(openHandedFiles);
    const int restored = offerRecovery(recovery.folder(), &frame);
    if (restored == 0 || !files.isEmpty())
        openStartFiles(files);
    reportPaintsIfAsked(frame);
    return QApplication::exec();
}
