#include "document/frmfind.h"

#include "core/interaction.h"
#include "document/frmdocument.h"
#include "document/linejump.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "document/textsearch.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include <initializer_list>
#include <utility>

namespace {

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Replaces the `length` characters at each of `starts` (ascending) by `replacement`, as one
// undoable step that leaves the look of the text around them alone. Returns the position
// right after the last replacement.
int replaceAll(RichTextBox &box, const QList<int> &starts, int length, const QString &replacement)
{
    replaceMatches(box, starts, length, replacement);
    const int growth = int(replacement.size()) - length;
    return starts.last() + growth * int(starts.size() - 1) + int(replacement.size());
}

} // namespace

frmFind::frmFind(ActiveDocument activeDocument, QWidget *owner)
    : QWidget(owner, Qt::Tool), activeDocument(std::move(activeDocument))
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(tr("検索"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    buildControls();

    cmdNext->setEnabled(false);
    Label2->setEnabled(false);
    txtRep->setEnabled(false);
    cmdRepAll->setEnabled(false);

    connect(Text1, &QLineEdit::textChanged, this, [this] {
        cmdFind->setEnabled(true);
        cmdNext->setEnabled(false);
    });
    connect(cmdFind, &QPushButton::clicked, this, &frmFind::cmdFind_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmFind::cmdNext_Click);
    connect(cmdRep, &QPushButton::clicked, this, &frmFind::cmdRep_Click);
    connect(cmdRepAll, &QPushButton::clicked, this, &frmFind::cmdRepAll_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    Text1->setFocus();
}

void frmFind::buildControls()
{
    Label1 = named(new QLabel(tr("検索する文字列(&F)"), this), "Label1");
    Text1 = named(new QLineEdit(this), "Text1");
    Label1->setBuddy(Text1);
    Label2 = named(new QLabel(tr("置換する文字列(&M)"), this), "Label2");
    txtRep = named(new QLineEdit(this), "txtRep");
    Label2->setBuddy(txtRep);
    Frame1 = named(new QGroupBox(tr("検索オフション"), this), "Frame1");
    chkCase = named(new QCheckBox(tr("大文字と小文字を区別する"), Frame1), "chkCase");
    auto *options = new QVBoxLayout(Frame1);
    options->addWidget(chkCase);
    cmdFind = named(new QPushButton(tr("検索開始(&S)"), this), "cmdFind");
    cmdNext = named(new QPushButton(tr("次を検索(&N)"), this), "cmdNext");
    cmdRep = named(new QPushButton(tr("置換(&R)"), this), "cmdRep");
    cmdRepAll = named(new QPushButton(tr("全て置換(&A)"), this), "cmdRepAll");
    cmdExit = named(new QPushButton(tr("閉じる(&C)"), this), "cmdExit");

    auto *grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Text1, 1, 0);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(txtRep, 3, 0);
    grid->addWidget(Frame1, 4, 0, 2, 1);
    const QList<QPushButton *> buttons = {cmdFind, cmdNext, cmdRep, cmdRepAll, cmdExit};
    for (int row = 0; row < buttons.size(); ++row)
        grid->addWidget(buttons[row], row, 1);
    grid->setColumnStretch(0, 1);
    resize(440, sizeHint().height());
}

Qt::CaseSensitivity frmFind::caseSensitivity() const
{
    return chkCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

QString frmFind::searchString()
{
    const QString what = Text1->text();
    if (what.isEmpty()) {
        Interaction::inform(tr("検索文字列を入力してください!"), Interaction::Icon::Warning);
        Text1->setFocus();
    }
    return what;
}

void frmFind::reportNotFound()
{
    Interaction::inform(tr("検索文字列は見つかりません。"), Interaction::Icon::Warning, tr("検索"));
    cmdFind->setEnabled(true);
    cmdNext->setEnabled(false);
}

bool frmFind::FindText()
{
    frmDocument *doc = activeDocument();
    if (!doc)
        return false;
    strSearch = searchString();
    if (strSearch.isEmpty())
        return false;
    RichTextBox &box = *doc->txtText;
    const int found = findText(box.text(), strSearch, Position, caseSensitivity());
    if (found < 0) {
        // Position stays where it was: a later replace does not jump back to the top.
        reportNotFound();
        return false;
    }
    Position = found;
    revealText(box, Position, int(strSearch.size()));
    return true;
}

void frmFind::cmdFind_Click()
{
    if (searchString().isEmpty())
        return;
    Position = 0;
    cmdNext->setEnabled(true);
    cmdFind->setEnabled(false);
    FindText();
}

void frmFind::cmdNext_Click()
{
    // Putting the same text back is no change and keeps this button enabled.
    if (!strSearch.isEmpty())
        Text1->setText(strSearch);
    ++Position;
    FindText();
}

void frmFind::cmdRep_Click()
{
    if (!blnRepMode) {
        // The first press only opens the replacement box.
        blnRepMode = true;
        for (QWidget *control :
             std::initializer_list<QWidget *>{Label2, txtRep, cmdNext, cmdRepAll})
            control->setEnabled(true);
        txtRep->setFocus();
        return;
    }
    // The search starts where the last match started: a replacement that contains the search
    // string is found again by the next press.
    if (!FindText())
        return;
    RichTextBox &box = *activeDocument()->txtText;
    const QString replacement = txtRep->text();
    putText(box, replacement);
    box.select(box.selStart() - int(replacement.size()), int(replacement.size()));
}

void frmFind::cmdRepAll_Click()
{
    frmDocument *doc = activeDocument();
    if (!doc)
        return;
    strSearch = searchString();
    if (strSearch.isEmpty())
        return;
    RichTextBox &box = *doc->txtText;
    const QList<int> matches = findAllText(box.text(), strSearch, Position, caseSensitivity());
    if (matches.isEmpty()) {
        reportNotFound();
        return;
    }
    Position = replaceAll(box, matches, int(strSearch.size()), txtRep->text());
    box.setSelStart(Position);
    emit statusNote(tr("%1 件置換しました。").arg(matches.size()));
}

void frmFind::closeEvent(QCloseEvent *event)
{
    if (frmDocument *doc = activeDocument()) {
        // With text selected the look would change that text; only the caret's is reset.
        RichTextBox &box = *doc->txtText;
        if (box.selLength() == 0) {
            box.setSelBold(false);
            box.setSelColor(TextColor::Black);
        }
    }
    QWidget::closeEvent(event);
}
