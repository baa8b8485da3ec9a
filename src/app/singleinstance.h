#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Holds the lock that marks a running program, in the user's runtime folder.
class SingleInstance
{
public:
    // `lockPath` empty: "orvine.lock" in the runtime folder.
    explicit SingleInstance(const QString &lockPath = {});
    ~SingleInstance();

    // True when this is the only running instance (the lock is ours).
    bool isFirst() const { return m_first; }

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_first = false;
};
