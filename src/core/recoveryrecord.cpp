#include "core/recoveryrecord.h"

#include <QCryptographicHash>
#include <QHash>
#include <QtEndian>

namespace {

const QByteArray magic = "Orvine recovery 1\n";

QByteArray digestOf(QByteArrayView units)
{
    return QCryptographicHash::hash(units, QCryptographicHash::Sha256).toHex();
}

QByteArray unitsOf(const QString &text)
{
    QByteArray units(text.size() * 2, Qt::Uninitialized);
    auto *out = reinterpret_cast<uchar *>(units.data());
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<quint16>(text.at(i).unicode(), out + 2 * i);
    return units;
}

QByteArray field(const QByteArray &key, const QString &value)
{
    return key + '=' + value.toUtf8().toPercentEncoding() + '\n';
}

} // namespace

QByteArray encodeRecoveryRecord(const RecoveryRecord &record)
{
    const QByteArray units = unitsOf(record.text);
    QByteArray bytes = magic;
    bytes += field("path", record.path);
    bytes += field("caption", record.caption);
    bytes += field("encoding", encodingName(record.encoding));
    bytes += field("caret", QString::number(record.caret));
    bytes += field("taken", QString::number(record.taken.toMSecsSinceEpoch()));
    bytes += field("length", QString::number(record.text.size()));
    bytes += field("sha256", QString::fromLatin1(digestOf(units)));
    bytes += '\n';
    bytes += units;
    return bytes;
}

std::optional<RecoveryRecord> decodeRecoveryRecord(const QByteArray &bytes)
{
    if (!bytes.startsWith(magic))
        return std::nullopt;
    const qsizetype headerEnd = bytes.indexOf("\n\n", magic.size() - 1);
    if (headerEnd < 0)
        return std::nullopt;
    QHash<QByteArray, QString> fields;
    const QByteArray header = bytes.mid(magic.size(), headerEnd - magic.size() + 1);
    for (const QByteArray &line : header.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            fields.insert(line.left(equals),
                          QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(equals + 1))));
    }
    bool lengthOk = false, caretOk = false, takenOk = false;
    const qint64 length = fields.value("length").toLongLong(&lengthOk);
    const qint64 caret = fields.value("caret").toLongLong(&caretOk);
    const qint64 taken = fields.value("taken").toLongLong(&takenOk);
    const QByteArrayView units = QByteArrayView(bytes).sliced(headerEnd + 2);
    if (!lengthOk || !caretOk || !takenOk || length < 0 || units.size() != 2 * length
        || digestOf(units) != fields.value("sha256").toLatin1())
        return std::nullopt;
    std::optional<TextEncoding> encoding;
    for (TextEncoding candidate : textEncodings)
        if (encodingName(candidate) == fields.value("encoding"))
            encoding = candidate;
    if (!encoding)
        return std::nullopt;

    RecoveryRecord record;
    record.path = fields.value("path");
    record.caption = fields.value("caption");
    record.encoding = *encoding;
    record.caret = qBound<qint64>(0, caret, length);
    record.taken = QDateTime::fromMSecsSinceEpoch(taken);
    record.text.resize(length);
    const auto *in = reinterpret_cast<const uchar *>(units.data());
    for (qint64 i = 0; i < length; ++i)
        record.text[i] = QChar(qFromLittleEndian<quint16>(in + 2 * i));
    return record;
}

QString recoveryFirstLine(const QString &text, int maxLength)
{
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        const QStringView line = QStringView(text).sliced(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty())
            continue;
        if (line.size() <= maxLength)
            return line.toString();
        return line.left(maxLength).toString() + QStringLiteral("…");
    }
    return QString();
}
