#include "document/recoverykeeper.h"

#include "core/recoveryservice.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

namespace {

// One document's recovery file: a quiet timer restarted by every change, and a clock since the
// first change not yet written, which forces a write while typing goes on.
class RecoveryKeeper : public QObject
{
public:
    RecoveryKeeper(frmDocument &doc, RecoveryService &service)
        : QObject(&doc), m_doc(doc), m_service(&service),
          m_file(service.folder().fileFor(service.newDocumentId()))
    {
        setObjectName(QStringLiteral("recoveryKeeper"));
        m_quiet.setSingleShot(true);
        connect(&m_quiet, &QTimer::timeout, this, &RecoveryKeeper::keep);
        connect(doc.txtText, &RichTextBox::changed, this, &RecoveryKeeper::changed);
        connect(&doc, &frmDocument::saved, this, &RecoveryKeeper::forget);
        connect(&service, &RecoveryService::writeFailed, &doc, &frmDocument::note);
    }

    ~RecoveryKeeper() override { forget(); }

    // Hands the text over to the writer, or removes the file of a document that is clean.
    // True when a text was handed over.
    bool keep()
    {
        m_quiet.stop();
        m_pending.invalidate();
        if (!m_service)
            return false;
        if (m_file.isEmpty()) {
            if (m_doc.blnFlgDirty)
                m_service->tellFailure(m_service->folder().problem());
            return false;
        }
        if (!m_doc.blnFlgDirty) {
            forget();
            return false;
        }
        RecoveryRecord record;
        if (m_doc.strFileName != frmDocument::NewFileName)
            record.path = m_doc.strFileName;
        record.caption = m_doc.caption();
        record.encoding = m_doc.encoding;
        record.caret = m_doc.txtText->selStart();
        record.taken = QDateTime::currentDateTime();
        record.text = m_doc.txtText->text();
        m_service->writer().write(m_file, std::move(record));
        m_written = true;
        return true;
    }

    QString file() const { return m_file; }
    RecoveryService *service() const { return m_service; }

private:
    void changed()
    {
        const bool large = m_doc.txtText->textLength() >= RecoveryService::largePageUnits();
        const int factor = large ? 10 : 1;
        if (!m_pending.isValid())
            m_pending.start();
        if (m_pending.elapsed() >= qint64(RecoveryService::longestDelayMs()) * factor) {
            keep();
            return;
        }
        m_quiet.start(RecoveryService::idleDelayMs() * factor);
    }

    void forget()
    {
        m_quiet.stop();
        m_pending.invalidate();
        if (m_service && m_written)
            m_service->writer().remove(m_file);
        m_written = false;
    }

    frmDocument &m_doc;
    QPointer<RecoveryService> m_service;
    const QString m_file;
    QTimer m_quiet;
    QElapsedTimer m_pending;
    bool m_written = false;
};

} // namespace

namespace {

RecoveryKeeper *keeperOf(frmDocument &doc)
{
    auto *keeper = static_cast<RecoveryKeeper *>(
        doc.findChild<QObject *>(QStringLiteral("recoveryKeeper"), Qt::FindDirectChildrenOnly));
    return keeper && keeper->service() ? keeper : nullptr;
}

} // namespace

bool handRecoveryTextOver(frmDocument &doc)
{
    RecoveryKeeper *keeper = keeperOf(doc);
    return keeper && keeper->keep();
}

bool keepRecoveryFileNow(frmDocument &doc)
{
    RecoveryKeeper *keeper = keeperOf(doc);
    if (!keeper || !keeper->keep())
        return false;
    RecoveryWriter &writer = keeper->service()->writer();
    writer.flush();
    return !writer.failing(keeper->file()) && QFileInfo(keeper->file()).isFile();
}

void keepRecoveryFile(frmDocument &doc)
{
    if (RecoveryService *service = RecoveryService::current(); service && doc.txtText)
        new RecoveryKeeper(doc, *service);
}
