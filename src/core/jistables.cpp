#include "core/jistables.h"

#include <QSysInfo>

#include <iconv.h>
#include <memory>

namespace {

const char *utf16Name()
{
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
}

class Converter
{
public:
    Converter(const char *to, const char *from) : cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (cd != iconv_t(-1))
            iconv_close(cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // The whole of `in` converted, or an empty array.
    QByteArray convert(const QByteArray &in)
    {
        if (cd == iconv_t(-1))
            return {};
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char out[16];
        char *inPos = const_cast<char *>(in.constData());
        size_t inLeft = size_t(in.size());
        char *outPos = out;
        size_t outLeft = sizeof out;
        if (iconv(cd, &inPos, &inLeft, &outPos, &outLeft) == size_t(-1) || inLeft != 0)
            return {};
        return QByteArray(out, outPos - out);
    }

private:
    iconv_t cd;
};

// One EUC-JP flavour of iconv, asked code by code.
class EucJpFlavour
{
public:
    explicit EucJpFlavour(const char *name) : decoder(utf16Name(), name), encoder(name, utf16Name())
    {}

    // The character of `code` if it is written back as the same code, else none.
    char16_t roundTrip(const QByteArray &code)
    {
        const QByteArray unit = decoder.convert(code);
        if (unit.size() != 2)
            return JisTables::none;
        if (encoder.convert(unit) != code)
            return JisTables::none;
        char16_t character;
        memcpy(&character, unit.constData(), 2);
        return character;
    }

private:
    Converter decoder;
    Converter encoder;
};

quint32 packed(const QByteArray &code)
{
    quint32 value = 0;
    for (char byte : code)
        value = value << 8 | uchar(byte);
    return value;
}

std::unique_ptr<JisTables> buildTables()
{
    auto tables = std::make_unique<JisTables>();
    tables->twoByte.fill(JisTables::none);
    tables->threeByte.fill(JisTables::none);
    EucJpFlavour standard("EUC-JP");
    EucJpFlavour windows("EUC-JP-MS");
    auto add = [&](const QByteArray &code, char16_t *slot) {
        char16_t character = standard.roundTrip(code);
        if (character == JisTables::none)
            character = windows.roundTrip(code);
        if (character == JisTables::none || character < 0x80 || tables->eucCode.contains(character))
            return;
        *slot = character;
        tables->eucCode.insert(character, packed(code));
    };
    for (int trail = 0xA1; trail <= 0xDF; ++trail)
        add(QByteArray("\x8E") + char(trail), &tables->twoByte[0x8E00 | trail]);
    for (int lead = 0xA1; lead <= 0xFE; ++lead)
        for (int trail = 0xA1; trail <= 0xFE; ++trail)
            add(QByteArray(1, char(lead)) + char(trail), &tables->twoByte[lead << 8 | trail]);
    for (int second = 0xA1; second <= 0xFE; ++second)
        for (int third = 0xA1; third <= 0xFE; ++third)
            add(QByteArray("\x8F") + char(second) + char(third),
                &tables->threeByte[second << 8 | third]);
    return tables;
}

} // namespace

const JisTables &jisTables()
{
    static const std::unique_ptr<JisTables> instance = buildTables();
    return *instance;
}
