#include "document/frmprogress.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmProgress::frmProgress(QWidget *owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(tr("タグの色変換処理中－しばらくお待ち下さい。"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ProgressBar1);
    resize(420, sizeHint().height());
}

void frmProgress::start(int maximum)
{
    maximum = std::max(maximum, 1);
    ProgressBar1->setRange(0, maximum);
    ProgressBar1->setValue(0);
    m_step = std::max(maximum / 100, 1);
    m_shown = 0;
    show();
    repaint();
    if (parentWidget())
        parentWidget()->repaint();
}

void frmProgress::advance(int value)
{
    value = std::clamp(value, 0, ProgressBar1->maximum());
    if (value - m_shown < m_step && value != ProgressBar1->maximum())
        return;
    m_shown = value;
    ProgressBar1->setValue(value);
    ProgressBar1->repaint();
}

void frmProgress::allowCancel()
{
    if (cmdCancel)
        return;
    cmdCancel = new QPushButton(tr("ｷｬﾝｾﾙ"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    layout()->addWidget(cmdCancel);
    layout()->setAlignment(cmdCancel, Qt::AlignRight);
    resize(width(), sizeHint().height());
    setWindowModality(Qt::ApplicationModal);
    connect(cmdCancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
}

bool frmProgress::keepGoing()
{
    QCoreApplication::processEvents();
    return !m_cancelled;
}
