#include "mainwindow/explorerpane.h"
#include "mainwindow/explorertree.h"
#include "mainwindow/frmmain.h"
#include "support/qstringprinter.h"
#include "support/spinefixture.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>

#include <cstdlib>

// Pictures of very many pixels are read on another thread: the preview names them and gives
// their size at once, shows their pixels when they are read, and never shows a picture the
// user has left for another.

namespace {

// A black-and-white PNG of the given size: small on disk, many pixels to unpack.
QByteArray manyPixelsPng(int width, int height)
{
    QImage picture(width, height, QImage::Format_Mono);
    picture.fill(1);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

class LargePreview : public SpineTest
{
protected:
    QString picture(const QString &name, const QByteArray &bytes)
    {
        writeBytes(path(name), bytes);
        return path(name);
    }
    ExplorerTree &tree() { return *frame->explorer; }
    QLabel &label() { return *frame->picTree->lblImageName; }
    bool pictureShown() { return !frame->picTree->picWork->pixmap().isNull(); }
};

} // namespace

TEST_F(LargePreview, NameAndSizeComeAtOnceAndThePixelsWhenRead)
{
    ASSERT_GT(5000LL * 4000, PreviewDecoder::LargePicturePixels);
    const QString big = picture(QStringLiteral("大きい 写真.png"), manyPixelsPng(5000, 4000));
    QSignalSpy shown(&tree(), &ExplorerTree::previewShown);

    EXPECT_TRUE(tree().preview(big));
    EXPECT_EQ(label().text(), QStringLiteral("Name : 大きい 写真.png\nﾖｺ=5000ﾄﾞｯﾄ / ﾀﾃ=4000ﾄﾞｯﾄ "));
    EXPECT_EQ(tree().previewSize(), QSize(5000, 4000)); // what an insert writes, at once

    ASSERT_TRUE(shown.wait(30000));
    EXPECT_TRUE(pictureShown());
    const QSize pixels = frame->picTree->picWork->pixmap().size();
    EXPECT_LE(qMax(pixels.width(), pixels.height()), 2048);
    EXPECT_LE(std::abs(pixels.width() * 4 - pixels.height() * 5), 5); // the shape kept
    EXPECT_EQ(label().text(), QStringLiteral("Name : 大きい 写真.png\nﾖｺ=5000ﾄﾞｯﾄ / ﾀﾃ=4000ﾄﾞｯﾄ "));
}

TEST_F(LargePreview, OnlyThePictureChosenLastIsShown)
{
    const QString first = picture(QStringLiteral("first.png"), manyPixelsPng(6000, 3000));
    const QString second = picture(QStringLiteral("second.png"), manyPixelsPng(3000, 6000));
    QSignalSpy shown(&tree(), &ExplorerTree::previewShown);

    ASSERT_TRUE(tree().preview(first));
    ASSERT_TRUE(tree().preview(second));
    ASSERT_TRUE(shown.wait(30000));
    // The first picture's pixels, if they were read at all, came before and were left aside.
    EXPECT_EQ(shown.count(), 1);
    const QSize pixels = frame->picTree->picWork->pixmap().size();
    EXPECT_EQ(pixels.height(), pixels.width() * 2) << pixels.width() << "x" << pixels.height();
    EXPECT_TRUE(label().text().contains(QStringLiteral("second.png")));

    // A small picture chosen while a large one is read is shown at once, and stays.
    ASSERT_TRUE(tree().preview(first));
    QImage small(40, 30, QImage::Format_RGB32);
    small.fill(Qt::red);
    const QString smallPath = path(QStringLiteral("small.png"));
    ASSERT_TRUE(small.save(smallPath));
    ASSERT_TRUE(tree().preview(smallPath));
    EXPECT_EQ(frame->picTree->picWork->pixmap().size(), QSize(40, 30));
    // The large picture's reading ends unseen: a further large one is the next thing shown.
    ASSERT_TRUE(tree().preview(second));
    ASSERT_TRUE(shown.wait(30000));
    EXPECT_EQ(frame->picTree->picWork->pixmap().height(),
              frame->picTree->picWork->pixmap().width() * 2);
}

TEST_F(LargePreview, RowsThatCannotBeReadSaySoWhenTheReadingEnds)
{
    QByteArray broken = manyPixelsPng(5000, 4000);
    broken.truncate(broken.indexOf("IDAT") + 12); // the header holds, the rows are cut off
    const QString path = picture(QStringLiteral("cut.png"), broken);
    QSignalSpy shown(&tree(), &ExplorerTree::previewShown);

    EXPECT_TRUE(tree().preview(path));
    ASSERT_TRUE(shown.wait(30000));
    EXPECT_FALSE(pictureShown());
    EXPECT_EQ(label().text(), QStringLiteral("Name : cut.png\nイメージを表示できません。"));
    EXPECT_EQ(tree().previewSize(), QSize());
}
