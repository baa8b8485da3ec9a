#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// The messages by which a later start hands its files to the running program: each is a
// QStringList as QDataStream writes it (a count, then each name as its length and UTF-16).

// `files` as messages of at most `maxBytes` each, in order; nothing when a single name cannot
// fit into a message.
QList<QByteArray> handOverMessages(const QStringList &files, qint64 maxBytes);

// Reads hand-over messages from a connection as they arrive in pieces. The lengths inside a
// message tell where it ends, so each byte is looked at once however many pieces it comes in,
// and the list is decoded once, when it is whole. A message longer than `maxBytes` (or one
// that says it will be) is refused before it is buffered.
class HandOverReader
{
public:
    explicit HandOverReader(qint64 maxBytes);

    // False once the connection sent something that is not a message within the limit.
    bool feed(const QByteArray &bytes);
    bool failed() const { return m_failed; }
    // The lists completed since the last call.
    QList<QStringList> takeLists();

private:
    bool fail();

    qint64 m_maxBytes;
    QByteArray m_buffer;     // the bytes of the message being read, and any after it
    quint32 m_count = 0;     // names in the message being read
    qint64 m_namesLeft = -1; // -1: the count is not read yet
    qsizetype m_at = 0;      // where the next unread name of the message starts in m_buffer
    bool m_failed = false;
    QList<QStringList> m_lists;
};
