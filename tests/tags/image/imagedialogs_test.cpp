#include "core/sharedstate.h"
#include "support/exifjpeg.h"
#include "support/gifpicture.h"
#include "support/qstringprinter.h"
#include "support/retagfixture.h"
#include "support/u8.h"
#include "tags/image/frmbodyset.h"
#include "tags/image/frmimageset.h"
#include "tags/image/imagereference.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

TEST(ImageDialog, LoadsWithItsDefaults)
{
    frmImageSet dialog;
    EXPECT_EQ(dialog.windowTitle(), u8("イメージの挿入"));
    EXPECT_EQ(dialog.resultString(), u8("Cancel"));
    ASSERT_EQ(dialog.optTextPos.size(), 6);
    EXPECT_TRUE(dialog.optTextPos[0]->isChecked());
    EXPECT_EQ(dialog.optTextPos[5]->text(), u8("回り込み（右イメージ）(&R)"));
    EXPECT_EQ(dialog.cancelButton()->objectName(), u8("Command2"));
}

TEST(ImageDialog, OkWithoutANameIsRefused)
{
    frmImageSet dialog;
    ScriptedInteraction ui;
    ui.expectMessage(u8("ｲﾒｰｼﾞﾌｧｲﾙ名が指定されていません。"));
    dialog.txtAlt->setText(u8("x"));
    dialog.okButton()->click();
    EXPECT_EQ(ui.lastPrompt().message.icon, Interaction::Icon::Warning);
    EXPECT_EQ(dialog.resultString(), u8("Cancel"));
}

TEST(ImageDialog, LowerCaseButton)
{
    frmImageSet dialog;
    dialog.txtImageName->setText(u8("IMG/Top.GIF"));
    dialog.cmdLcase->click();
    EXPECT_EQ(dialog.txtImageName->text(), u8("img/top.gif"));
}

class ImageChoice : public testing::Test
{
protected:
    QString picture(const QString &relative, QSize size)
    {
        const QString path = folder.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(gifPicture(size));
        return path;
    }
    QTemporaryDir folder;
};

TEST_F(ImageChoice, ChosenPictureGivesRelativeNameAndSize)
{
    const QString chosen = picture(u8("画像/夏 海.gif"), {40, 30});
    frmImageSet dialog;
    dialog.setBasePath(folder.filePath(u8("index.html")));
    ScriptedInteraction ui;
    ui.expectOpenFile(chosen);
    dialog.cmdRefImage->click();
    EXPECT_EQ(dialog.txtImageName->text(), u8("画像/夏 海.gif"));
    EXPECT_EQ(dialog.txtWidth->text(), u8("40"));
    EXPECT_EQ(dialog.txtHeight->text(), u8("30"));
    EXPECT_EQ(shared().strLastImagePath, chosen);
}

TEST_F(ImageChoice, APhonePhotoGetsTheSizeItIsShownAt)
{
    // A portrait photo: stored landscape with the camera's orientation tag "turn right".
    const QString chosen = folder.filePath(u8("写真/IMG_0001.JPG"));
    QDir().mkpath(QFileInfo(chosen).path());
    QFile file(chosen);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(exifJpeg({64, 48}, 6));
    file.close();
    frmImageSet dialog;
    dialog.setBasePath(folder.filePath(u8("index.html")));
    ScriptedInteraction ui;
    ui.expectOpenFile(chosen);
    dialog.cmdRefImage->click();
    EXPECT_EQ(dialog.txtWidth->text(), u8("48"));
    EXPECT_EQ(dialog.txtHeight->text(), u8("64"));
    EXPECT_EQ(dialog.txtImageName->text(), u8("写真/IMG_0001.JPG"));
}

TEST_F(ImageChoice, UnreadablePictureKeepsTheSizeAndSaysWhy)
{
    QFile text(folder.filePath(u8("note.gif")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("plain text");
    text.close();
    frmImageSet dialog;
    dialog.setBasePath(folder.filePath(u8("index.html")));
    dialog.txtWidth->setText(u8("10"));
    ScriptedInteraction ui;
    ui.expectOpenFile(text.fileName()).expectMessage(u8("note.gif"));
    dialog.cmdRefImage->click();
    EXPECT_EQ(dialog.txtWidth->text(), u8("10"));
    EXPECT_EQ(dialog.txtHeight->text(), QString());
    EXPECT_EQ(dialog.txtImageName->text(), u8("note.gif"));
}

TEST_F(ImageChoice, CancelledFileDialogChangesNothing)
{
    frmImageSet dialog;
    dialog.txtImageName->setText(u8("old.gif"));
    ScriptedInteraction ui;
    ui.expectOpenFile(QString());
    dialog.cmdRefImage->click();
    EXPECT_EQ(dialog.txtImageName->text(), u8("old.gif"));
}

TEST(PictureReference, StartsInThePagesFolderOrWhereThePagesPicturesWerePickedLast)
{
    const struct
    {
        const char *name;
        const char *page;
        const char *lastPicture;
        const char *start;
    } cases[] = {
        {"last picture in another site", "/home/a/site/index.html", "/home/a/other/b.gif",
         "/home/a/site"},
        {"last picture in the site's picture folder", "/home/a/site/index.html",
         "/home/a/site/img/b.gif", "/home/a/site/img"},
        {"last picture beside the page", "/home/a/site/index.html", "/home/a/site/b.gif",
         "/home/a/site"},
        {"a folder whose name only begins like the page's", "/home/a/site/index.html",
         "/home/a/site2/img/b.gif", "/home/a/site"},
        {"no picture chosen yet", "/home/a/site/index.html", "", "/home/a/site"},
        {"a page in the root", "/index.html", "/img/b.gif", "/img"},
        {"a page never saved", "NewHtml", "/home/a/other/b.gif", "/home/a/other"},
        {"a page never saved and no picture yet", "NewHtml", "", ""},
        {"folders with blanks and Japanese", "/home/a/私の サイト/index.html",
         "/home/a/私の サイト/画像 集/b.png", "/home/a/私の サイト/画像 集"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(imageStartFolder(u8(c.page), u8(c.lastPicture)), u8(c.start)) << c.name;
}

TEST(PictureReference, BothDialogsOfferEveryPictureTheyCanMeasureAndStartAtThePage)
{
    QTemporaryDir site;
    QTemporaryDir elsewhere;
    const QString page = site.filePath(u8("index.html"));
    shared().strLastImagePath = elsewhere.filePath(u8("old.gif"));

    frmImageSet image;
    image.setBasePath(page);
    frmBodySet body;
    body.setBasePath(page);
    const struct
    {
        const char *name;
        QPushButton *button;
    } cases[] = {
        {"image dialog", image.cmdRefImage},
        {"body dialog", body.cmdImageRef},
    };
    for (const auto &c : cases) {
        ScriptedInteraction ui;
        ui.expectOpenFile(QString());
        c.button->click();
        ASSERT_EQ(ui.pendingCount(), 0) << c.name;
        const Interaction::FileRequest &request = ui.lastPrompt().file;
        EXPECT_EQ(request.startFolder, site.path()) << c.name;

        // The first filter's patterns, as the file dialog gets them, take the files of every
        // picture format the dialogs measure, in any letter case the camera wrote.
        const QStringList filters = qtFileFilters(request.filter);
        ASSERT_GE(filters.size(), 2) << c.name;
        const QString first = filters.constFirst();
        const QStringList patterns
            = first.mid(first.lastIndexOf(u'(') + 1).chopped(1).split(u' ', Qt::SkipEmptyParts);
        for (const char *file :
             {"a.jpg", "b.jpeg", "c.gif", "d.png", "e.webp", "f.svg", "IMG_0001.JPG", "G.PNG"})
            EXPECT_TRUE(QDir::match(patterns, u8(file))) << c.name << ": " << file;
        EXPECT_FALSE(QDir::match(patterns, u8("page.html"))) << c.name;
        for (const char *format : {"jpeg", "gif", "png", "webp", "svg"})
            EXPECT_TRUE(QImageReader::supportedImageFormats().contains(format)) << format;
    }
    // A cancelled dialog keeps the last picture.
    EXPECT_EQ(shared().strLastImagePath, elsewhere.filePath(u8("old.gif")));
}

TEST(BodyDialog, ColoursAreWrittenAsTypedWithoutARefusal)
{
    // A browser reads names and three digits, and makes something of any other text: the
    // dialog refuses none of them.
    const struct
    {
        const char *box;
        const char *text;
        const char *attribute;
    } cases[] = {
        {"txtBgcolor", "white", " bgcolor=\"white\""}, {"txtTextCol", "#12345", " text=\"#12345\""},
        {"txtLink", "#GG0000", " link=\"#GG0000\""},   {"txtAlink", "FF0000", " alink=\"FF0000\""},
        {"txtVlink", "#fff", " vlink=\"#fff\""},       {"txtTextCol", "Navy", " text=\"Navy\""},
    };
    for (const auto &c : cases) {
        frmBodySet dialog;
        dialog.show();
        auto *box = dialog.findChild<QLineEdit *>(QLatin1String(c.box));
        ASSERT_TRUE(box) << c.box;
        box->setText(u8(c.text));
        ScriptedInteraction ui; // fails on any message
        dialog.okButton()->click();
        EXPECT_EQ(dialog.resultString(), u8("<BODY") + u8(c.attribute) + u8(">")) << c.text;
    }
}

TEST(BodyDialog, TypedColoursShowInThePreview)
{
    frmBodySet dialog;
    dialog.txtTextCol->setText(u8("#FF0000"));
    EXPECT_EQ(dialog.lblText->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    dialog.txtBgcolor->setText(u8("#00ff00"));
    EXPECT_EQ(dialog.Picture1->palette().color(QPalette::Window), QColor(0, 255, 0));
    dialog.txtVlink->setText(u8("#800080"));
    EXPECT_EQ(dialog.lblVlink->palette().color(QPalette::WindowText), QColor(128, 0, 128));
    // Half-typed text leaves the preview as it was.
    dialog.txtTextCol->setText(u8("#00"));
    EXPECT_EQ(dialog.lblText->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    // Names and three digits show too.
    dialog.txtTextCol->setText(u8("navy"));
    EXPECT_EQ(dialog.lblText->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    dialog.txtBgcolor->setText(u8("#ff0"));
    EXPECT_EQ(dialog.Picture1->palette().color(QPalette::Window), QColor(255, 255, 0));
}

TEST(BodyDialog, ColourButtonsWriteTheirBox)
{
    frmBodySet dialog;
    ScriptedInteraction ui;
    ui.expectColor(0x0000FF).expectColor(std::nullopt);
    dialog.cmdLinkColRef->click();
    EXPECT_EQ(dialog.txtLink->text(), u8("#FF0000"));
    dialog.cmdLinkColRef->click();
    EXPECT_EQ(dialog.txtLink->text(), u8("#FF0000"));
}

TEST(BodyDialog, CancelledDialogIsKeptOnceForTheNextUse)
{
    {
        DialogUse<frmBodySet> dialog;
        dialog->txtBgcolor->setText(u8("#FFFFFF"));
        dialog->cancelButton()->click();
    }
    frmBodySet *kept = loadedDialog<frmBodySet>();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->txtBgcolor->text(), u8("#FFFFFF"));
    EXPECT_TRUE(unloadDialog<frmBodySet>());
    EXPECT_FALSE(loadedDialog<frmBodySet>());
}

class ImageCommands : public ReEditTest
{
protected:
    void SetUp() override
    {
        ReEditTest::SetUp();
        doc->strFileName = QStringLiteral("/site/index.html");
    }
};

TEST_F(ImageCommands, SelectionBecomesTheAltTextAndIsReplaced)
{
    load(u8("a 夏の海 b"), u8("夏の海"));
    ScriptedInteraction ui;
    ui.expectDialog(u8("frmImageSet"), [](QDialog &d) {
        EXPECT_EQ(controlText(d, u8("txtAlt")), u8("夏の海"));
        setControlText(d, u8("txtImageName"), u8("sea.jpg"));
        setControlChecked(d, u8("optTextPos_5"), true);
        clickControl(d, u8("cmdOK"));
    });
    doc->run(u8("mnuHtmlImage_Click"));
    EXPECT_EQ(text().text(), u8("a <IMG src=\"sea.jpg\" alt=\"夏の海\" align=\"right\"> b"));
}

TEST_F(ImageCommands, SelectionBecomesThePageBody)
{
    load(u8("<HTML>\r\n<P>本文</P>\r\n</HTML>"), u8("<P>本文</P>"));
    ScriptedInteraction ui;
    ui.expectDialog(u8("frmBodySet"), [](QDialog &d) {
        setControlText(d, u8("txtBgcolor"), u8("#FFFFFF"));
        clickControl(d, u8("cmdOK"));
    });
    doc->run(u8("mnuHtmlPageBody_Click"));
    EXPECT_EQ(text().text(),
              u8("<HTML>\r\n<BODY bgcolor=\"#FFFFFF\"><P>本文</P></BODY>\r\n\r\n</HTML>"));
}

TEST_F(ImageCommands, CancelOrDeclinedSaveInsertsNothing)
{
    load(u8("abc"), u8("b"));
    {
        ScriptedInteraction ui;
        ui.expectDialog(u8("frmImageSet"), [](QDialog &d) { clickControl(d, u8("Command2")); });
        doc->run(u8("mnuHtmlImage_Click"));
    }
    {
        ScriptedInteraction ui;
        ui.expectDialog(u8("frmBodySet"), [](QDialog &d) { clickControl(d, u8("cmdCancel")); });
        doc->run(u8("mnuHtmlPageBody_Click"));
        unloadDialog<frmBodySet>();
    }
    doc->strFileName = frmDocument::NewFileName;
    {
        ScriptedInteraction ui;
        ui.expectMessage(u8("保存しますか？"), Interaction::Answer::No);
        doc->run(u8("mnuHtmlImage_Click"));
    }
    EXPECT_EQ(text().text(), u8("abc"));
}

} // namespace
