#include "app/handovermessage.h"

#include <QtEndian>

namespace {

constexpr quint32 NullString = 0xffffffffu;

// What QDataStream writes for one name: its byte length, then its UTF-16 code units.
qint64 nameBytes(const QString &name)
{
    return 4 + 2 * qint64(name.size());
}

// Written as QDataStream writes a QStringList (big-endian lengths and UTF-16), in one pass.
QByteArray messageOf(const QStringList &files, qint64 size)
{
    QByteArray message(size, Qt::Uninitialized);
    char *out = message.data();
    qToBigEndian<quint32>(quint32(files.size()), out);
    out += 4;
    for (const QString &file : files) {
        if (file.isNull()) {
            qToBigEndian<quint32>(NullString, out);
            out += 4;
            continue;
        }
        qToBigEndian<quint32>(quint32(2 * file.size()), out);
        out += 4;
        qToBigEndian<char16_t>(file.utf16(), file.size(), out);
        out += 2 * file.size();
    }
    return message;
}

quint32 numberAt(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

// The names of a whole message that starts at the beginning of `bytes`.
QStringList namesOf(const QByteArray &bytes, quint32 count)
{
    QStringList names;
    names.reserve(count);
    qsizetype at = 4;
    for (quint32 i = 0; i < count; ++i) {
        const quint32 length = numberAt(bytes, at);
        at += 4;
        if (length == NullString) {
            names << QString();
            continue;
        }
        QString name(qsizetype(length / 2), Qt::Uninitialized);
        qFromBigEndian<char16_t>(bytes.constData() + at, length / 2, name.data());
        names << name;
        at += length;
    }
    return names;
}

} // namespace

QList<QByteArray> handOverMessages(const QStringList &files, qint64 maxBytes)
{
    QList<QByteArray> messages;
    QStringList batch;
    qint64 size = 4;
    for (const QString &file : files) {
        const qint64 bytes = nameBytes(file);
        if (4 + bytes > maxBytes)
            return {};
        if (size + bytes > maxBytes) {
            messages << messageOf(batch, size);
            batch.clear();
            size = 4;
        }
        batch << file;
        size += bytes;
    }
    if (!batch.isEmpty() || messages.isEmpty())
        messages << messageOf(batch, size);
    return messages;
}

HandOverReader::HandOverReader(qint64 maxBytes) : m_maxBytes(maxBytes) {}

bool HandOverReader::fail()
{
    m_failed = true;
    m_buffer.clear();
    return false;
}

bool HandOverReader::feed(const QByteArray &bytes)
{
    if (m_failed)
        return false;
    m_buffer.append(bytes);
    for (;;) {
        if (m_namesLeft < 0) {
            if (m_buffer.size() < 4)
                break;
            m_count = numberAt(m_buffer, 0);
            m_namesLeft = m_count;
            m_at = 4;
            // Every name takes at least its four length bytes.
            if (4 + 4 * m_namesLeft > m_maxBytes)
                return fail();
        }
        while (m_namesLeft > 0 && m_buffer.size() - m_at >= 4) {
            const quint32 length = numberAt(m_buffer, m_at);
            const qint64 end = length == NullString ? m_at + 4 : m_at + 4 + qint64(length);
            if ((length != NullString && length % 2 != 0)
                || end + 4 * (m_namesLeft - 1) > m_maxBytes)
                return fail();
            if (end > m_buffer.size())
                break;
            m_at = qsizetype(end);
            --m_namesLeft;
        }
        if (m_namesLeft > 0)
            break;
        m_lists << namesOf(m_buffer, m_count);
        m_buffer.remove(0, m_at);
        m_at = 0;
        m_namesLeft = -1;
    }
    // The part of a message read so far is within the limit; what follows it waits its turn.
    if (m_namesLeft >= 0 && m_at > m_maxBytes)
        return fail();
    return true;
}

QList<QStringList> HandOverReader::takeLists()
{
    return std::exchange(m_lists, {});
}
