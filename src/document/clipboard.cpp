#include "document/clipboard.h"

#include "document/rtf.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <algorithm>

namespace {

const QString rtfTypes[] = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
                            QStringLiteral("text/richtext")};
const QString plainType = QStringLiteral("text/plain");
const QString bmpType = QStringLiteral("image/bmp");

enum class Rtf { Copied, Left };

// Copies what `data` holds into `copy`, so one format can be added or replaced. RTF that is
// about to be replaced is left out rather than read (it may still have to be written).
void copyInto(QMimeData *copy, const QMimeData *data, Rtf rtf)
{
    if (!data)
        return;
    if (data->hasImage())
        copy->setImageData(data->imageData());
    for (const QString &type : data->formats()) {
        if (type == QLatin1String("application/x-qt-image"))
            continue;
        if (rtf == Rtf::Left
            && std::find(std::begin(rtfTypes), std::end(rtfTypes), type) != std::end(rtfTypes))
            continue;
        if (type == plainType)
            copy->setText(data->text());
        else
            copy->setData(type, data->data(type));
    }
}

// The clipboard's data without its RTF, ready for a new RTF.
void copyWithoutRtf(QMimeData *copy)
{
    copyInto(copy, QGuiApplication::clipboard()->mimeData(), Rtf::Left);
}

} // namespace

bool mimeHasFormat(const QMimeData *data, ClipboardFormat format)
{
    if (!data)
        return false;
    const QStringList types = data->formats();
    switch (format) {
    case ClipboardFormat::Text: return data->hasText();
    case ClipboardFormat::Bitmap:
        return data->hasImage() || std::any_of(types.cbegin(), types.cend(), [](const QString &t) {
                   return t.startsWith(QLatin1String("image/"));
               });
    case ClipboardFormat::Dib: return data->hasImage() || types.contains(bmpType);
    case ClipboardFormat::Rtf:
        return std::any_of(std::begin(rtfTypes), std::end(rtfTypes),
                           [&types](const QString &t) { return types.contains(t); });
    }
    return false;
}

QString mimeGetText(const QMimeData *data, ClipboardFormat format)
{
    if (!data)
        return QString();
    if (format == ClipboardFormat::Text)
        return data->hasText() ? data->text() : QString();
    if (format == ClipboardFormat::Rtf) {
        for (const QString &type : rtfTypes)
            if (data->hasFormat(type))
                return rtfFromBytes(data->data(type));
    }
    return QString();
}

void clipboardClear()
{
    QGuiApplication::clipboard()->clear();
}

void clipboardSetText(const QString &text, ClipboardFormat format)
{
    if (format != ClipboardFormat::Text && format != ClipboardFormat::Rtf)
        return;
    auto *data = new QMimeData;
    if (format == ClipboardFormat::Text) {
        copyInto(data, QGuiApplication::clipboard()->mimeData(), Rtf::Copied);
        data->setText(text);
    } else {
        copyWithoutRtf(data);
        data->setData(rtfTypes[0], rtfToBytes(text));
    }
    QGuiApplication::clipboard()->setMimeData(data);
}

QString clipboardGetText(ClipboardFormat format)
{
    return mimeGetText(QGuiApplication::clipboard()->mimeData(), format);
}

bool clipboardHasFormat(ClipboardFormat format)
{
    return mimeHasFormat(QGuiApplication::clipboard()->mimeData(), format);
}
