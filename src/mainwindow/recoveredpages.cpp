#include "mainwindow/recoveredpages.h"

#include "core/documentfile.h"
#include "core/recoveryrecord.h"
#include "core/sharedstate.h"
#include "document/documentsave.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "mainwindow/documentio.h"

#include <QFileInfo>

frmDocument *openRecoveredDocument(const RecoveryRecord &record)
{
    frmDocument *doc = createDocumentWindow();
    doc->txtText->setText(record.text);
    if (record.path.isEmpty()) {
        doc->strFileName = frmDocument::NewFileName;
        doc->setTextTag(frmDocument::NewFileName);
        doc->setCaption(record.caption.isEmpty()
                            ? QStringLiteral("NewHtml%1.htm").arg(++shared().lngNewCount)
                            : record.caption);
    } else {
        const ReadResult read = readDocumentFile(record.path, record.encoding);
        setDocumentFile(*doc, record.path, read.error.ok() ? read.stamp : FileStamp());
        if (read.error.ok())
            doc->fileLines = read.lines;
    }
    doc->setEncoding(record.encoding);
    colorOpenedPage(*doc);
    doc->txtText->setSelStart(int(qMin<qint64>(record.caret, doc->txtText->textLength())));
    doc->blnFlgDirty = true;
    doc->showDocument();
    return doc;
}

QString recoveredPageOnDisk(const RecoveryRecord &record, bool *exists)
{
    const bool there = !record.path.isEmpty() && QFileInfo(record.path).isFile();
    if (exists)
        *exists = there;
    if (!there)
        return QString();
    const ReadResult read = readDocumentFile(record.path, record.encoding);
    return read.error.ok() ? read.text : QString();
}
