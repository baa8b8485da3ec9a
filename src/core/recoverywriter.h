#pragma once

#include "core/recoveryrecord.h"

#include <QString>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

// Writes and removes recovery files on a thread of its own: the GUI thread only hands over
// the text it took, which Qt shares rather than copies. Jobs for one file replace each other
// while they wait, so only the newest text of a document is written.
class RecoveryWriter
{
public:
    // `failed` runs on the writer's thread with the file and the errno of a failed write;
    // `written` with the file after a good one.
    using Failed = std::function<void(const QString &file, int error)>;
    using Written = std::function<void(const QString &file)>;
    explicit RecoveryWriter(Failed failed = {}, Written written = {});
    // Does every job handed over, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter &) = delete;
    RecoveryWriter &operator=(const RecoveryWriter &) = delete;

    void write(const QString &file, RecoveryRecord record);
    void remove(const QString &file);
    // Returns once every job handed over before the call is done.
    void flush();
    // Whether the last write of `file` failed.
    bool failing(const QString &file);

private:
    void run();
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::map<QString, std::optional<RecoveryRecord>> m_jobs; // none: remove the file
    std::set<QString> m_failing;
    bool m_busy = false;
    bool m_stopping = false;
    Failed m_failed;
    Written m_written;
    std::thread m_thread;
};
