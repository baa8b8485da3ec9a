#pragma once

// A GIF picture written by hand for the tests (Qt reads GIF but cannot write it): one colour,
// every pixel index 0, the LZW data restarted with a clear code every two pixels so that the
// codes stay three bits wide.

#include <QByteArray>
#include <QSize>

inline QByteArray gifPicture(QSize size)
{
    const auto word = [](QByteArray &out, int value) {
        out.append(char(value & 0xFF));
        out.append(char((value >> 8) & 0xFF));
    };
    QByteArray gif("GIF89a");
    word(gif, size.width());
    word(gif, size.height());
    gif.append("\x80\x00\x00", 3);             // global table of two colours
    gif.append("\xFF\x00\x00\x00\x00\xFF", 6); // red, blue
    gif.append(',');
    word(gif, 0);
    word(gif, 0);
    word(gif, size.width());
    word(gif, size.height());
    gif.append('\0');
    gif.append('\x02'); // minimum code size

    constexpr int Clear = 4, End = 5, Bits = 3;
    QByteArray data;
    quint32 buffer = 0;
    int filled = 0;
    const auto code = [&](int value) {
        buffer |= quint32(value) << filled;
        filled += Bits;
        while (filled >= 8) {
            data.append(char(buffer & 0xFF));
            buffer >>= 8;
            filled -= 8;
        }
    };
    const int pixels = size.width() * size.height();
    for (int i = 0; i < pixels; ++i) {
        if (i % 2 == 0)
            code(Clear);
        code(0);
    }
    code(End);
    if (filled > 0)
        data.append(char(buffer & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append('\0');
    gif.append(';');
    return gif;
}
