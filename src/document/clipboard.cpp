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

// A fresh copy of what the clipboard holds, so one format can be added or replaced.
QMimeData *copyOf(const QMimeData *data)
{
    auto *copy = new QMimeData;
    if (!data)
        return copy;
    if (data->hasImage())
        copy->setImageData(data->imageData());
    for (const QString &type : data->formats()) {
        if (type == QLatin1String("application/x-qt-image"))
            continue;
        if (type == plainType)
            copy->setText(data->text());
        else
            copy->setData(type, data->data(type));
    }
    return copy;
}

} // namespace

bool mimeHasFormat(const QMimeData *data, ClipboardFormat format)
{
    if (!data)
        return false;
    const QStringList types = data->formats();
    switch (format) {
    case ClipboardFormat::Text:
        return data->hasText();
    case ClipboardFormat::Bitmap:
        return data->hasImage()
               || std::any_of(types.cbegin(), types.cend(),
                              [](const QString &t) { return t.startsWith(QLatin1String("image/")); });
    case ClipboardFormat::Dib:
        return data->hasImage() || types.contains(bmpType);
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
    QClipboard *clipboard = QGuiApplication::clipboard();
    QMimeData *data = copyOf(clipboard->mimeData());
    if (format == ClipboardFormat::Text) {
        data->setText(text);
    } else {
        for (const QString &type : rtfTypes)
            data->removeFormat(type);
        data->setData(rtfTypes[0], rtfToBytes(text));
    }
    clipboard->setMimeData(data);
}

QString clipboardGetText(ClipboardFormat format)
{
    return mimeGetText(QGuiApplication::clipboard()->mimeData(), format);
}

bool clipboardHasFormat(ClipboardFormat format)
{
    return mimeHasFormat(QGuiApplication::clipboard()->mimeData(), format);
}
