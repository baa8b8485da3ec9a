#include "options/frmabout.h"

#include "core/interaction.h"
#include "options/aboutinfo.h"
#include "options/systeminfo.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *namedLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

QFrame *separatorLine(QWidget *parent, int index)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1_%1").arg(index));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(aboutCaption());

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QIcon(QStringLiteral(":/icons/orvine.svg")).pixmap(64, 64));
    Image1->installEventFilter(this);

    lblTitle = namedLabel(this, "lblTitle", applicationTitle());
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = namedLabel(this, "lblVersion", programVersionText());
    lblDescription = namedLabel(this, "lblDescription", aboutAuthorLines());
    lblDisclaimer = namedLabel(this, "lblDisclaimer", aboutDisclaimer());
    Line1 = {separatorLine(this, 0), separatorLine(this, 1)};

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    auto *head = new QGridLayout;
    head->addWidget(Image1, 0, 0, 3, 1, Qt::AlignTop);
    head->addWidget(lblTitle, 0, 1);
    head->addWidget(lblVersion, 1, 1);
    head->addWidget(lblDescription, 2, 1);
    head->setColumnStretch(1, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto *foot = new QHBoxLayout;
    foot->addWidget(lblDisclaimer, 1);
    foot->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(Line1[0]);
    layout->addWidget(Line1[1]);
    layout->addLayout(foot);
    setMinimumWidth(420);
}

void frmAbout::Image1_DblClick()
{
    const auto answer
        = Interaction::current().inputBox(QStringLiteral("パスワードは？"), QString(), QString());
    applyDebugPassword(answer);
    lblVersion->setText(programVersionText());
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonDblClick) {
        Image1_DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
