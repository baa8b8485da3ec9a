#include "document/frmteikeiset.h"

#include "core/interaction.h"
#include "core/sharedstate.h"
#include "document/dlgteikeiinput.h"
#include "document/phrases.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *label(QWidget *parent, const QString &name, const QString &caption)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmTeikeiSet::frmTeikeiSet(SharedState &state, QWidget *parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmTeikeiSet"));
    setWindowTitle(QStringLiteral("定型分の設定"));

    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    lstTeikei = new QListWidget(frame);
    lstTeikei->setObjectName(QStringLiteral("lstTeikei"));
    txtTeikei = new QPlainTextEdit(frame);
    txtTeikei->setObjectName(QStringLiteral("txtTeikei"));
    txtTeikei->setReadOnly(true);
    cmdAdd = button(this, QStringLiteral("cmdAdd"), QStringLiteral("追加"));
    Command1 = button(this, QStringLiteral("Command1"), QStringLiteral("編集"));
    cmdDell = button(this, QStringLiteral("cmdDell"), QStringLiteral("削除"));
    cmdExit = button(this, QStringLiteral("cmdExit"), QStringLiteral("閉じる"));

    auto *lists = new QVBoxLayout(frame);
    lists->addWidget(label(frame, QStringLiteral("Label2"), QStringLiteral("メニューへの表示名")));
    lists->addWidget(lstTeikei);
    lists->addWidget(
        label(frame, QStringLiteral("Label3"), QStringLiteral("挿入する定型文の内容")));
    lists->addWidget(txtTeikei);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {cmdAdd, Command1, cmdDell})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdExit);
    auto *body = new QHBoxLayout;
    body->addWidget(frame, 1);
    body->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label(
        this, QStringLiteral("Label1"),
        QStringLiteral(
            "［挿入］メニューの［定型文］に登録する表示名と、挿入する内容を設定してください。")));
    layout->addLayout(body);

    connect(lstTeikei, &QListWidget::currentRowChanged, this, &frmTeikeiSet::showPhrase);
    connect(cmdAdd, &QPushButton::clicked, this, &frmTeikeiSet::cmdAdd_Click);
    connect(Command1, &QPushButton::clicked, this, &frmTeikeiSet::Command1_Click);
    connect(cmdDell, &QPushButton::clicked, this, &frmTeikeiSet::cmdDell_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::accept);

    // Entry i of the list must be slot i, even for a store edited by hand.
    Phrases::pack(m_state);
    lstTeikei->addItems(Phrases::listedNames(m_state));
    selectEntry(0);
    updateButtons();
}

frmTeikeiSet::~frmTeikeiSet() = default;

void frmTeikeiSet::showPhrase(int slot)
{
    txtTeikei->setPlainText(slot >= 0 && slot < Phrases::Limit
                                ? Phrases::toEditorLines(m_state.strKeikeiBun[slot])
                                : QString());
}

void frmTeikeiSet::selectEntry(int entry)
{
    if (entry < 0 || entry >= lstTeikei->count()) {
        txtTeikei->clear();
        return;
    }
    lstTeikei->setCurrentRow(entry);
    showPhrase(entry);
}

void frmTeikeiSet::updateButtons()
{
    const int count = lstTeikei->count();
    cmdAdd->setEnabled(count < Phrases::Limit);
    Command1->setEnabled(count > 0);
    cmdDell->setEnabled(count > 0);
}

dlgTeikeiInput &frmTeikeiSet::inputDialog()
{
    if (!m_input)
        m_input = new dlgTeikeiInput(this);
    return *m_input;
}

void frmTeikeiSet::discardInputDialog()
{
    delete m_input.data();
}

void frmTeikeiSet::cmdAdd_Click()
{
    const int slot = lstTeikei->count();
    if (slot >= Phrases::Limit)
        return;
    dlgTeikeiInput &input = inputDialog();
    Interaction::current().runModal(input);
    if (input.isCancelled())
        return;
    Phrases::store(m_state, slot, input.title(), input.phraseText());
    discardInputDialog();
    lstTeikei->addItem(m_state.strKeikeiName[slot]);
    selectEntry(slot);
    updateButtons();
}

void frmTeikeiSet::Command1_Click()
{
    const int slot = lstTeikei->currentRow();
    if (slot < 0)
        return;
    dlgTeikeiInput &input = inputDialog();
    input.setFields(m_state.strKeikeiName[slot], m_state.strKeikeiBun[slot]);
    Interaction::current().runModal(input);
    if (input.isCancelled())
        return;
    Phrases::store(m_state, slot, input.title(), input.phraseText());
    discardInputDialog();
    lstTeikei->item(slot)->setText(m_state.strKeikeiName[slot]);
    showPhrase(slot);
}

void frmTeikeiSet::cmdDell_Click()
{
    const int slot = lstTeikei->currentRow();
    if (slot < 0)
        return;
    const QString question
        = QStringLiteral("「") + m_state.strKeikeiName[slot] + QStringLiteral("」を削除しますか？");
    if (Interaction::ask(question, Interaction::Icon::Question, Interaction::Buttons::YesNo,
                         QStringLiteral("定型文の削除"))
        != Interaction::Answer::Yes)
        return;
    Phrases::remove(m_state, slot);
    delete lstTeikei->takeItem(slot);
    selectEntry(0);
    updateButtons();
}
