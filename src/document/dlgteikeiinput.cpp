#include "document/dlgteikeiinput.h"

#include "core/interaction.h"
#include "document/phrases.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString MessageTitle = QStringLiteral("定型文の設定");

QLabel *label(QWidget *parent, const QString &name, const QString &caption)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

dlgTeikeiInput::dlgTeikeiInput(QWidget *parent)
    : QDialog(parent), txtTitle(new QLineEdit(this)), txtTeikei(new QPlainTextEdit(this)),
      OKButton(new QPushButton(QStringLiteral("OK"), this)),
      CancelButton(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this))
{
    setObjectName(QStringLiteral("dlgTeikeiInput"));
    setWindowTitle(QStringLiteral("定型文を入力"));
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    txtTeikei->setObjectName(QStringLiteral("txtTeikei"));
    txtTeikei->setTabChangesFocus(true);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    OKButton->setAutoDefault(false);
    CancelButton->setAutoDefault(false);

    auto *grid = new QGridLayout;
    QLabel *label1 = label(this, QStringLiteral("Label1"), QStringLiteral("表示名"));
    QLabel *label2 = label(this, QStringLiteral("Label2"), QStringLiteral("定型文"));
    label1->setBuddy(txtTitle);
    label2->setBuddy(txtTeikei);
    grid->addWidget(label1, 0, 0);
    grid->addWidget(txtTitle, 0, 1);
    grid->addWidget(label2, 1, 0, Qt::AlignTop);
    grid->addWidget(txtTeikei, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(OKButton, &QPushButton::clicked, this, &dlgTeikeiInput::accept);
    connect(CancelButton, &QPushButton::clicked, this, &dlgTeikeiInput::reject);
}

QString dlgTeikeiInput::title() const
{
    return txtTitle->text();
}

QString dlgTeikeiInput::phraseText() const
{
    return Phrases::toDocumentLines(txtTeikei->toPlainText());
}

void dlgTeikeiInput::setFields(const QString &title, const QString &text)
{
    txtTitle->setText(title);
    txtTeikei->setPlainText(Phrases::toEditorLines(text));
}

void dlgTeikeiInput::accept()
{
    QWidget *missing = txtTitle->text().isEmpty()           ? static_cast<QWidget *>(txtTitle)
                       : txtTeikei->toPlainText().isEmpty() ? txtTeikei
                                                            : nullptr;
    if (missing) {
        Interaction::ask(missing == txtTitle ? QStringLiteral("表示名が未入力です。")
                                             : QStringLiteral("定型文が未入力です。"),
                         Interaction::Icon::Warning, Interaction::Buttons::Ok, MessageTitle);
        missing->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_result.clear();
    done(Accepted);
}

void dlgTeikeiInput::reject()
{
    m_result = Cancel;
    done(Rejected);
}
