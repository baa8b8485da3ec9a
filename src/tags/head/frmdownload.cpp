#include "tags/head/frmdownload.h"

#include "download/pagefetch.h"
#include "tags/shared/dialogwidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmDownload::frmDownload(PageFetch &fetch, QWidget *parent) : QDialog(parent), m_fetch(fetch)
{
    setObjectName(QStringLiteral("frmDownload"));
    setWindowTitle(tr("ｻｰﾊﾞからHTMLｿｰｽを読込む"));
    lblAddress = makeLabel(this, fetch.address(), QStringLiteral("lblAddress"));
    lblAddress->setTextFormat(Qt::PlainText);
    lblBytes = makeLabel(this, QString(), QStringLiteral("lblBytes"));
    auto *bar = new QProgressBar(this);
    bar->setRange(0, 0); // the length is often unknown: a busy bar
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), tr("ｷｬﾝｾﾙ"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblAddress);
    layout->addWidget(bar);
    layout->addWidget(lblBytes);
    layout->addLayout(buttons);
    setMinimumWidth(400);
    showBytes(0);

    connect(cmdCancel, &QPushButton::clicked, this, &frmDownload::reject);
    connect(&fetch, &PageFetch::progress, this, &frmDownload::showBytes);
    connect(&fetch, &PageFetch::finished, this,
            [this] { done(m_fetch.succeeded() ? Accepted : Rejected); });
}

void frmDownload::reject()
{
    m_fetch.cancel(); // finishing closes the dialog
    QDialog::reject();
}

void frmDownload::showBytes(qint64 bytes)
{
    lblBytes->setText(tr("%1 バイト受信しました").arg(QLocale().toString(bytes)));
}
