#include "mainwindow/dlgopenhtml.h"

#include "core/sharedstate.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The text box works with LF; the result carries CR LF like every document text.
void showTemplate(QPlainTextEdit *box, QString text)
{
    box->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

} // namespace

dlgOpenHtml::dlgOpenHtml(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgOpenHtml"));
    setWindowTitle(QStringLiteral("テンプレートを指定する"));

    auto *frame = new QGroupBox(QStringLiteral("テンプレート"), this);
    auto *frameLayout = new QVBoxLayout(frame);
    const QStringList captions = {QStringLiteral("白紙のテンプレート(&W)"),
                                  QStringLiteral("Ｏｒｖｉｎｅ標準のテンプレート(&M)"),
                                  QStringLiteral("ユーザ指定のテンプレート(&U)")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *option = new QRadioButton(captions[i], frame);
        option->setObjectName(QStringLiteral("optTemplate_%1").arg(i));
        frameLayout->addWidget(option);
        optTemplate << option;
        connect(option, &QRadioButton::clicked, this, [this, i] { optTemplate_Click(i); });
    }
    txtTemplate = new QPlainTextEdit(frame);
    txtTemplate->setObjectName(QStringLiteral("txtTemplate"));
    txtTemplate->setLineWrapMode(QPlainTextEdit::NoWrap);
    frameLayout->addWidget(txtTemplate);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(OKButton, &QPushButton::clicked, this, &dlgOpenHtml::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &dlgOpenHtml::CancelButton_Click);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);
    resize(640, 420);

    optTemplate[1]->setChecked(true);
    showTemplate(txtTemplate, shared().strNewTemplate);
}

void dlgOpenHtml::optTemplate_Click(int Index)
{
    if (Index == 0)
        txtTemplate->clear();
    else if (Index == 1)
        showTemplate(txtTemplate, shared().strNewTemplate);
}

void dlgOpenHtml::OKButton_Click()
{
    strResult = txtTemplate->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    accept();
}

void dlgOpenHtml::CancelButton_Click()
{
    strResult = QStringLiteral("Cancel");
    reject();
}
