// Every dialog of the program opened at the default font: no caption, label, heading or title
// is cut short, and every box for a URL or a file's path is wide enough to read one.

#include "core/qtinteraction.h"
#include "core/sharedstate.h"
#include "document/dlgteikeiinput.h"
#include "document/frmdocument.h"
#include "document/frmfind.h"
#include "document/frmteikeiset.h"
#include "mainwindow/dlgopenhtml.h"
#include "options/frmabout.h"
#include "options/frmoptions.h"
#include "support/scriptedinteraction.h"
#include "support/tagdialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// What a title bar needs beside its caption: the window's icon and its buttons.
constexpr int TitleBarRoom = 100;
// The narrowest box in which a usual URL or path reads whole.
constexpr int UrlBoxMinimum = 360;

// Answers every prompt a reference button may bring up: a file dialog picks a file, every
// other prompt is cancelled. Which boxes a chosen file lands in tells the path boxes.
class ProbingInteraction : public ScriptedInteraction
{
public:
    QString openFileName(const FileRequest &) override
    {
        ++m_fileRequests;
        return QStringLiteral("/tmp/orvine-fit/site/pictures/picture.gif");
    }
    std::optional<int> chooseColor(int) override { return std::nullopt; }
    std::optional<QFont> chooseFont(const QFont &) override { return std::nullopt; }
    Answer message(const Message &) override { return Answer::Ok; }
    int runModal(QDialog &) override { return QDialog::Rejected; }
    int fileRequests() const { return m_fileRequests; }

private:
    int m_fileRequests = 0;
};

QString boxText(QWidget *box)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return line->text();
    if (auto *combo = qobject_cast<QComboBox *>(box))
        return combo->currentText();
    return {};
}

bool isTextBox(QWidget *w)
{
    return qobject_cast<QLineEdit *>(w)
           || (qobject_cast<QComboBox *>(w) && static_cast<QComboBox *>(w)->isEditable());
}

// The boxes of `dialog` meant for a URL or a path: those captioned as a URL, and those a
// reference button fills with a chosen file.
QList<QWidget *> urlBoxes(QDialog &dialog)
{
    QList<QWidget *> boxes;
    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        if (label->buddy() && isTextBox(label->buddy()) && label->isVisibleTo(&dialog)
            && (label->text().contains(QLatin1String("URL"), Qt::CaseInsensitive)
                || label->text().contains(QStringLiteral("ＵＲＬ"))))
            boxes << label->buddy();
    }
    QList<QWidget *> textBoxes;
    for (QWidget *w : dialog.findChildren<QWidget *>()) {
        if (isTextBox(w) && !qobject_cast<QComboBox *>(w->parentWidget()))
            textBoxes << w;
    }
    for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
        if (!button->text().contains(QStringLiteral("参照")) || !button->isVisibleTo(&dialog)
            || !button->isEnabled())
            continue;
        QMap<QWidget *, QString> before;
        for (QWidget *box : textBoxes)
            before.insert(box, boxText(box));
        ProbingInteraction probe;
        button->click();
        if (probe.fileRequests() == 0)
            continue;
        for (QWidget *box : textBoxes) {
            if (boxText(box) != before.value(box) && !boxes.contains(box))
                boxes << box;
        }
    }
    return boxes;
}

QString nameOf(const QWidget *w)
{
    return QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
}

// Everything the dialog shows in words is shown whole.
void expectNothingCutShort(QDialog &dialog)
{
    const QString title = dialog.windowTitle();
    EXPECT_GE(dialog.width(), dialog.fontMetrics().horizontalAdvance(title) + TitleBarRoom)
        << "title " << title.toStdString();

    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        if (!label->isVisibleTo(&dialog) || label->text().isEmpty())
            continue;
        if (label->wordWrap())
            EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                << label->text().toStdString();
        else
            EXPECT_GE(label->width(), label->minimumSizeHint().width())
                << label->text().toStdString();
    }
    for (QAbstractButton *button : dialog.findChildren<QAbstractButton *>()) {
        if (button->isVisibleTo(&dialog) && !button->text().isEmpty()) {
            EXPECT_GE(button->width(), button->minimumSizeHint().width())
                << button->text().toStdString();
        }
    }
    for (QGroupBox *group : dialog.findChildren<QGroupBox *>()) {
        if (group->isVisibleTo(&dialog)) {
            EXPECT_GE(group->width(), group->minimumSizeHint().width())
                << group->title().toStdString();
        }
    }
    for (QHeaderView *header : dialog.findChildren<QHeaderView *>()) {
        if (!header->isVisibleTo(&dialog) || !header->model())
            continue;
        for (int section = 0; section < header->count(); ++section) {
            const QString heading
                = header->model()->headerData(section, header->orientation()).toString();
            EXPECT_GE(header->sectionSize(section),
                      header->fontMetrics().horizontalAdvance(heading) + 8)
                << heading.toStdString();
        }
    }
    for (QWidget *box : urlBoxes(dialog))
        EXPECT_GE(box->width(), UrlBoxMinimum) << nameOf(box).toStdString();
}

void showAndCheck(QDialog &dialog)
{
    dialog.show();
    if (dialog.layout())
        dialog.layout()->activate();
    QApplication::processEvents();
    expectNothingCutShort(dialog);
    dialog.hide();
}

template <class D> std::function<std::unique_ptr<QDialog>()> make()
{
    return [] { return std::unique_ptr<QDialog>(new D); };
}

TEST(DialogFit, EveryDialogShowsItsWordsWholeAndItsUrlBoxesWide)
{
    QList<NamedDialog> dialogs = allTagDialogs();
    dialogs += QList<NamedDialog>{
        {"frmOptions", make<frmOptions>()},
        {"frmAbout", make<frmAbout>()},
        {"dlgOpenHtml", make<dlgOpenHtml>()},
        {"dlgTeikeiInput", make<dlgTeikeiInput>()},
        {"frmTeikeiSet", [] { return std::unique_ptr<QDialog>(new frmTeikeiSet(shared())); }},
    };
    for (const auto &d : dialogs) {
        SCOPED_TRACE(d.name);
        const std::unique_ptr<QDialog> dialog = d.load();
        showAndCheck(*dialog);
    }
}

// The encoding commands ask with the program's own choice dialog; it is checked as the
// commands open it.
class FitCheckingInteraction : public ScriptedInteraction
{
public:
    std::optional<int> chooseItem(const QString &prompt, const QString &title,
                                  const QStringList &items, int current) override
    {
        ++asked;
        const std::unique_ptr<QInputDialog> dialog(createItemDialog(prompt, title, items, current));
        showAndCheck(*dialog);
        return std::nullopt;
    }
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText) override
    {
        ++asked;
        const std::unique_ptr<QInputDialog> dialog(createTextDialog(prompt, title, defaultText));
        showAndCheck(*dialog);
        return std::nullopt;
    }
    int asked = 0;
};

TEST(DialogFit, TheEncodingChoicesShowTheirWholeTitle)
{
    frmDocument doc;
    doc.strFileName
        = QStringLiteral("/tmp/orvine-fit/page.htm"); // never read: the choice is cancelled
    for (const char *command : {"mnuFileReopenEncoding_Click", "mnuFileSaveEncoding_Click"}) {
        SCOPED_TRACE(command);
        FitCheckingInteraction ui;
        ASSERT_TRUE(doc.run(QLatin1String(command)));
        EXPECT_EQ(ui.asked, 1);
    }
    doc.blnFlgDirty = false;
}

} // namespace
