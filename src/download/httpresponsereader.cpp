#include "download/httpresponsereader.h"

#include <algorithm>
#include <utility>

namespace {

constexpr qsizetype MaxHead = 64 * 1024;
constexpr qsizetype MaxChunkLine = 4096;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

QByteArray withoutLineEnd(QByteArray line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// The number a Content-Length value holds: digits only, nothing else; -1 for any other text.
qint64 lengthValue(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > 18)
        return -1;
    for (const char c : text) {
        if (!isDigit(c))
            return -1;
    }
    return text.toLongLong();
}

// "HTTP/1.1 200 OK": the version must be 1.x and the status three digits.
bool readStatusLine(const QByteArray &line, HttpResponseHead &head)
{
    if (line.size() < 12 || !line.startsWith("HTTP/1.") || !isDigit(line[7]) || line[8] != ' ')
        return false;
    const QByteArray code = line.mid(9, 3);
    if (!isDigit(code[0]) || !isDigit(code[1]) || !isDigit(code[2]))
        return false;
    if (line.size() > 12 && line[12] != ' ')
        return false;
    head.status = code.toInt();
    head.reason = line.mid(13).trimmed();
    return head.status >= 100;
}

} // namespace

QList<QByteArray> HttpResponseHead::values(QByteArrayView name) const
{
    QList<QByteArray> found;
    for (const auto &[fieldName, value] : fields) {
        if (fieldName.compare(name, Qt::CaseInsensitive) == 0)
            found << value;
    }
    return found;
}

QByteArray HttpResponseHead::value(QByteArrayView name) const
{
    const QList<QByteArray> found = values(name);
    return found.isEmpty() ? QByteArray() : found.constFirst();
}

HttpResponseReader::HttpResponseReader(qint64 maxBody) : m_maxBody(maxBody) {}

void HttpResponseReader::feed(QByteArrayView bytes)
{
    qsizetype at = 0;
    while (at < bytes.size() && (m_state == State::Head || m_state == State::Body)) {
        if (m_state == State::Head)
            readHead(bytes, at);
        else
            readBody(bytes, at);
    }
}

void HttpResponseReader::closed()
{
    if (m_state == State::Body && m_framing == Framing::Close)
        m_state = State::Done;
    else if (m_state == State::Head || m_state == State::Body)
        fail(Problem::CutOff);
}

void HttpResponseReader::fail(Problem problem)
{
    m_state = State::Failed;
    m_problem = problem;
}

void HttpResponseReader::readHead(QByteArrayView bytes, qsizetype &at)
{
    // Blank lines before the status line are skipped, as browsers do.
    if (m_headBytes.isEmpty()) {
        while (at < bytes.size() && (bytes[at] == '\r' || bytes[at] == '\n'))
            ++at;
        if (at == bytes.size())
            return;
    }
    const qsizetype searchFrom = qMax<qsizetype>(0, m_headBytes.size() - 3);
    const qsizetype taken = qMin(bytes.size() - at, MaxHead + 1 - m_headBytes.size());
    m_headBytes.append(bytes.sliced(at, taken));
    // The head ends with an empty line: LF LF or LF CR LF.
    qsizetype end = -1;
    for (qsizetype i = searchFrom; i < m_headBytes.size(); ++i) {
        if (m_headBytes[i] != '\n')
            continue;
        if (i + 1 < m_headBytes.size() && m_headBytes[i + 1] == '\n') {
            end = i + 2;
            break;
        }
        if (i + 2 < m_headBytes.size() && m_headBytes[i + 1] == '\r'
            && m_headBytes[i + 2] == '\n') {
            end = i + 3;
            break;
        }
    }
    if (end < 0) {
        at += taken;
        if (m_headBytes.size() > MaxHead)
            fail(Problem::HeadTooLong);
        return;
    }
    at += taken - (m_headBytes.size() - end);
    m_headBytes.truncate(end);
    if (!parseHead())
        return fail(Problem::BadHead);
    m_headBytes.clear();
    const int status = m_head.status;
    if (status == 101)
        return fail(Problem::BadHead); // nobody asked to switch protocols
    if (status < 200) {
        m_head = {}; // an interim answer ("100 Continue"): the real one follows
        return;
    }
    m_headDone = true;
    startBody();
}

bool HttpResponseReader::parseHead()
{
    const QList<QByteArray> lines = m_headBytes.split('\n');
    if (!readStatusLine(withoutLineEnd(lines.value(0)), m_head))
        return false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = withoutLineEnd(lines[i]);
        if (line.isEmpty())
            continue;
        if (isBlank(line[0])) {
            // A folded line continues the field before it.
            if (m_head.fields.isEmpty())
                return false;
            QByteArray &value = m_head.fields.last().second;
            value = (value + ' ' + line.trimmed()).trimmed();
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        const QByteArray name = colon > 0 ? line.left(colon).trimmed() : QByteArray();
        if (name.isEmpty() || name.contains(' ') || name.contains('\t'))
            continue; // a line that is no field is passed over, as browsers do
        m_head.fields.append({name, line.mid(colon + 1).trimmed()});
    }
    return true;
}

void HttpResponseReader::startBody()
{
    const int status = m_head.status;
    if (status == 204 || status == 304) {
        m_framing = Framing::None;
        m_state = State::Done;
        return;
    }
    QList<QByteArray> codings;
    for (const QByteArray &value : m_head.values("Transfer-Encoding")) {
        for (const QByteArray &part : value.split(',')) {
            const QByteArray coding = part.trimmed().toLower();
            if (!coding.isEmpty() && coding != "identity")
                codings << coding;
        }
    }
    if (!codings.isEmpty()) {
        // Chunked coding frames the body whatever Content-Length says.
        if (codings != QList<QByteArray>{"chunked"})
            return fail(Problem::UnknownTransfer);
        m_framing = Framing::Chunked;
        m_state = State::Body;
        return;
    }
    const QList<QByteArray> lengths = m_head.values("Content-Length");
    if (!lengths.isEmpty()) {
        // Several lengths are accepted only when they agree ("Content-Length: 42, 42").
        qint64 length = -1;
        for (const QByteArray &value : lengths) {
            for (const QByteArray &part : value.split(',')) {
                const qint64 one = lengthValue(part.trimmed());
                if (one < 0 || (length >= 0 && one != length))
                    return fail(Problem::BadLength);
                length = one;
            }
        }
        m_length = length;
        if (length > m_maxBody)
            return fail(Problem::TooLarge);
        m_framing = Framing::Length;
        m_state = length == 0 ? State::Done : State::Body;
        return;
    }
    m_framing = Framing::Close;
    m_state = State::Body;
}

bool HttpResponseReader::appendBody(QByteArrayView bytes)
{
    if (m_body.size() + bytes.size() > m_maxBody) {
        fail(Problem::TooLarge);
        return false;
    }
    m_body.append(bytes);
    return true;
}

void HttpResponseReader::readBody(QByteArrayView bytes, qsizetype &at)
{
    switch (m_framing) {
    case Framing::None: at = bytes.size(); return;
    case Framing::Length: {
        const qsizetype taken
            = qsizetype(qMin<qint64>(bytes.size() - at, m_length - m_body.size()));
        m_body.append(bytes.sliced(at, taken));
        at += taken;
        if (m_body.size() == m_length)
            m_state = State::Done; // anything after the announced length is not part of the page
        return;
    }
    case Framing::Close:
        if (appendBody(bytes.sliced(at)))
            at = bytes.size();
        return;
    case Framing::Chunked: readChunked(bytes, at); return;
    }
}

bool HttpResponseReader::takeLine(QByteArrayView bytes, qsizetype &at, qsizetype maxLine)
{
    const qsizetype lineFeed = bytes.indexOf('\n', at);
    const qsizetype end = lineFeed < 0 ? bytes.size() : lineFeed + 1;
    m_line.append(bytes.sliced(at, end - at));
    at = end;
    if (m_line.size() > maxLine) {
        fail(Problem::BadChunk);
        return false;
    }
    return lineFeed >= 0;
}

void HttpResponseReader::readChunked(QByteArrayView bytes, qsizetype &at)
{
    while (at < bytes.size() && m_state == State::Body) {
        switch (m_chunkStep) {
        case ChunkStep::Size: {
            if (!takeLine(bytes, at, MaxChunkLine))
                return;
            QByteArray size = withoutLineEnd(std::exchange(m_line, {}));
            const qsizetype extension = size.indexOf(';');
            if (extension >= 0)
                size.truncate(extension);
            size = size.trimmed();
            if (size.isEmpty() || !std::all_of(size.cbegin(), size.cend(), isHexDigit))
                return fail(Problem::BadChunk);
            while (size.size() > 1 && size[0] == '0')
                size.remove(0, 1);
            if (size.size() > 15)
                return fail(Problem::TooLarge);
            const qint64 length = size.toLongLong(nullptr, 16);
            if (length > m_maxBody - m_body.size())
                return fail(Problem::TooLarge);
            m_chunkLeft = length;
            m_chunkStep = length == 0 ? ChunkStep::Trailer : ChunkStep::Data;
            break;
        }
        case ChunkStep::Data: {
            const qsizetype taken = qsizetype(qMin<qint64>(bytes.size() - at, m_chunkLeft));
            m_body.append(bytes.sliced(at, taken));
            at += taken;
            m_chunkLeft -= taken;
            if (m_chunkLeft == 0)
                m_chunkStep = ChunkStep::DataEnd;
            break;
        }
        case ChunkStep::DataEnd:
            // The chunk's data is followed by CR LF and nothing else.
            if (!takeLine(bytes, at, 2))
                return;
            if (!withoutLineEnd(std::exchange(m_line, {})).isEmpty())
                return fail(Problem::BadChunk);
            m_chunkStep = ChunkStep::Size;
            break;
        case ChunkStep::Trailer:
            // Trailer fields up to an empty line; their values are not needed.
            if (!takeLine(bytes, at, MaxChunkLine))
                return;
            if (withoutLineEnd(std::exchange(m_line, {})).isEmpty())
                m_state = State::Done;
            break;
        }
    }
}
