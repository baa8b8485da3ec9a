#include "core/recoverywriter.h"

#include "core/recoveryfolder.h"

#include <QFile>

RecoveryWriter::RecoveryWriter(Failed failed, Written written)
    : m_failed(std::move(failed)), m_written(std::move(written)), m_thread([this] { run(); })
{}

RecoveryWriter::~RecoveryWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void RecoveryWriter::write(const QString &file, RecoveryRecord record)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs[file] = std::move(record);
    }
    m_wake.notify_one();
}

void RecoveryWriter::remove(const QString &file)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs[file] = std::nullopt;
    }
    m_wake.notify_one();
}

void RecoveryWriter::flush()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

bool RecoveryWriter::failing(const QString &file)
{
    std::lock_guard lock(m_mutex);
    return m_failing.count(file) > 0;
}

void RecoveryWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty()) {
            if (m_stopping)
                return;
            continue;
        }
        auto job = m_jobs.extract(m_jobs.begin());
        m_busy = true;
        lock.unlock();
        const QString &file = job.key();
        bool failed = false;
        if (!job.mapped()) {
            QFile::remove(file);
        } else {
            int error = 0;
            failed = !writeRecoveryFile(file, encodeRecoveryRecord(*job.mapped()), &error);
            if (!failed && m_written)
                m_written(file);
            else if (failed && m_failed)
                m_failed(file, error);
        }
        const QString done = file;
        job = {}; // the text is let go outside the lock
        lock.lock();
        if (failed)
            m_failing.insert(done);
        else
            m_failing.erase(done);
        m_busy = false;
        if (m_jobs.empty())
            m_idle.notify_all();
    }
}
