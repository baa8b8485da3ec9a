#include "tags/shared/tagdialog.h"

#include "core/windowcaption.h"
#include "tags/shared/layoutbuilder.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TagDialog::TagDialog(const QString &name, const QString &caption, ButtonNames buttons,
                     QWidget *parent)
    : QDialog(parent), m_ok(new QPushButton(tr("OK"), this)),
      m_cancel(new QPushButton(tr("ｷｬﾝｾﾙ"), this))
{
    setObjectName(name);
    setWindowTitle(caption);
    // A dialog is closed, never minimised or maximised.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    const bool dlg = buttons == ButtonNames::Dlg;
    m_ok->setObjectName(dlg ? QStringLiteral("OKButton") : QStringLiteral("cmdOK"));
    m_cancel->setObjectName(dlg ? QStringLiteral("CancelButton") : QStringLiteral("cmdCancel"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &TagDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &TagDialog::reject);
}

bool TagDialog::tryUnload()
{
    if (!queryUnload())
        return false;
    unloading();
    return true;
}

void TagDialog::accept()
{
    if (!validate())
        return;
    m_result = buildResult();
    okAccepted();
    done(Accepted);
}

void TagDialog::reject()
{
    m_result = Cancel;
    done(Rejected);
}

bool TagDialog::refuse(QWidget *field, const QString &message, Interaction::Buttons buttons)
{
    Interaction::ask(message, Interaction::Icon::Warning, buttons);
    if (field)
        field->setFocus(Qt::OtherFocusReason);
    return false;
}

bool TagDialog::refuse(QWidget *field, const QString &message, Interaction::Icon icon,
                       const QString &title)
{
    Interaction::ask(message, icon, Interaction::Buttons::Ok, title);
    if (field)
        field->setFocus(Qt::OtherFocusReason);
    return false;
}

QHBoxLayout *TagDialog::buttonRow()
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    return row;
}

void TagDialog::layOut(QLayout *content)
{
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(content);
    layout->addLayout(buttonRow());
    orderTabsByLayout(this);
}

QString runDialog(TagDialog &dialog)
{
    Interaction::current().runModal(dialog);
    return dialog.resultString();
}

void TagDialog::showEvent(QShowEvent *event)
{
    fitCaption(*this);
    QDialog::showEvent(event);
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        const bool field = (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this)
                           && w->isEnabled() && !qobject_cast<QAbstractButton *>(w);
        if (field) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
