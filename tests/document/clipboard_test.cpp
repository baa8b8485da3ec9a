#include "document/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

namespace {

const QString rtf = QStringLiteral("{\\rtf1 {\\colortbl;\\red255\\green0\\blue0;}\\cf1 <b>}");

void putMimeData(std::initializer_list<std::pair<const char *, QByteArray>> formats)
{
    auto *data = new QMimeData;
    for (const auto &[type, bytes] : formats)
        data->setData(QString::fromLatin1(type), bytes);
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace

TEST(Clipboard, PuttingRtfKeepsThePlainTextHeld)
{
    clipboardClear();
    clipboardSetText(QStringLiteral("日本語\r\n"));
    clipboardSetText(rtf, ClipboardFormat::Rtf);
    EXPECT_TRUE(clipboardHasFormat(ClipboardFormat::Text));
    EXPECT_EQ(clipboardGetText(), QStringLiteral("日本語\r\n"));
    EXPECT_EQ(clipboardGetText(ClipboardFormat::Rtf), rtf);

    // And the other way round; an image stays as well.
    QGuiApplication::clipboard()->setImage(QImage(2, 2, QImage::Format_RGB32));
    clipboardSetText(rtf, ClipboardFormat::Rtf);
    clipboardSetText(QStringLiteral("x"));
    EXPECT_EQ(clipboardGetText(ClipboardFormat::Rtf), rtf);
    EXPECT_TRUE(clipboardHasFormat(ClipboardFormat::Bitmap));
}

TEST(Clipboard, ClearEmptiesEveryFormat)
{
    clipboardSetText(QStringLiteral("text"));
    clipboardSetText(rtf, ClipboardFormat::Rtf);
    clipboardClear();
    for (ClipboardFormat format : {ClipboardFormat::Text, ClipboardFormat::Bitmap,
                                   ClipboardFormat::Dib, ClipboardFormat::Rtf})
        EXPECT_FALSE(clipboardHasFormat(format)) << int(format);
    EXPECT_EQ(clipboardGetText(), QString());
    EXPECT_EQ(clipboardGetText(ClipboardFormat::Rtf), QString());
}

TEST(Clipboard, AnswersWhichFormatsAreOffered)
{
    struct Case
    {
        const char *type;
        bool text, bitmap, dib, rich;
    };
    const Case cases[] = {
        {"text/plain", true, false, false, false},
        {"image/png", false, true, false, false},
        {"image/bmp", false, true, true, false},
        {"text/rtf", false, false, false, true},
        {"application/rtf", false, false, false, true},
        {"text/richtext", false, false, false, true},
        {"text/html", false, false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        putMimeData({{c.type, QByteArray("x")}});
        EXPECT_EQ(clipboardHasFormat(ClipboardFormat::Text), c.text);
        EXPECT_EQ(clipboardHasFormat(ClipboardFormat::Bitmap), c.bitmap);
        EXPECT_EQ(clipboardHasFormat(ClipboardFormat::Dib), c.dib);
        EXPECT_EQ(clipboardHasFormat(ClipboardFormat::Rtf), c.rich);
    }
}

TEST(Clipboard, ReadsRtfOfferedUnderAnotherName)
{
    putMimeData({{"application/rtf", QByteArray("{\\rtf1 \x82\xa0}")}});
    EXPECT_EQ(clipboardGetText(ClipboardFormat::Rtf), QString::fromLatin1("{\\rtf1 \x82\xa0}"));
}

TEST(Clipboard, RtfWithJapaneseCharactersSurvivesTheTrip)
{
    const QString withJapanese = QStringLiteral("{\\rtf1 日本}");
    clipboardSetText(withJapanese, ClipboardFormat::Rtf);
    const QString back = clipboardGetText(ClipboardFormat::Rtf);
    EXPECT_EQ(back, QStringLiteral("{\\rtf1 \\u26085?\\u26412?}"));
}
