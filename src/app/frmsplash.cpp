#include "app/frmsplash.h"

#include "core/interaction.h"

#include <QLabel>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("frmSplash { background: #1f3b6e; } QLabel { color: white; }"));

    auto *title = new QLabel(applicationTitle(), this);
    QFont titleFont = title->font();
    titleFont.setPointSize(36);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    auto *subtitle = new QLabel(QStringLiteral("HTML エディタ"), this);
    subtitle->setAlignment(Qt::AlignCenter);

    lblAppVer = new QLabel(versionText(), this);
    lblAppVer->setObjectName(QStringLiteral("lblAppVer"));
    lblAppVer->setAlignment(Qt::AlignRight | Qt::AlignBottom);

    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addStretch();
    layout->addWidget(lblAppVer);
    setFixedSize(420, 240);
}

QString frmSplash::versionText()
{
    return QStringLiteral("Version %1.%2.%3  ")
        .arg(ORVINE_VERSION_MAJOR)
        .arg(ORVINE_VERSION_MINOR)
        .arg(ORVINE_VERSION_PATCH);
}
