#include "mainwindow/frmrecover.h"

#include "core/interaction.h"
#include "core/linediff.h"
#include "core/recoveryfolder.h"
#include "core/recoveryservice.h"
#include "document/recoverykeeper.h"
#include "mainwindow/recoveredpages.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

std::optional<RecoveryRecord> readRecord(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decodeRecoveryRecord(in.readAll());
}

QString pageName(const RecoveryRecord &record)
{
    if (record.path.isEmpty())
        return QStringLiteral("新規");
    return QFileInfo(record.path).fileName();
}

// The difference between the page on the disk and the recovered text, in a window of its own.
void showDifference(QWidget *parent, const RecoveryRecord &record)
{
    bool exists = false;
    const QString disk = recoveredPageOnDisk(record, &exists);
    QString shown;
    if (!exists)
        shown = QStringLiteral("ディスク上にﾌｧｲﾙがありません。復元する内容:\n\n") + record.text;
    else
        shown = lineDifference(disk, record.text);
    if (exists && shown.isEmpty())
        shown = QStringLiteral("ディスク上のﾌｧｲﾙと同じ内容です。");

    QDialog window(parent);
    window.setObjectName(QStringLiteral("frmRecoverDifference"));
    window.setWindowTitle(QStringLiteral("差分 - ") + pageName(record));
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("- ディスク上のﾌｧｲﾙ / + 復元する内容"), &window));
    auto *view = new QPlainTextEdit(&window);
    view->setObjectName(QStringLiteral("txtDifference"));
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setPlainText(shown);
    layout->addWidget(view);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    layout->addWidget(buttons);
    window.resize(720, 480);
    Interaction::current().runModal(window);
}

} // namespace

frmRecover::frmRecover(RecoveryFolder &folder, const QStringList &files, QWidget *parent)
    : QDialog(parent), m_folder(folder)
{
    setObjectName(QStringLiteral("frmRecover"));
    setWindowTitle(QStringLiteral("ﾍﾟｰｼﾞの復元"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("前回、保存されずに終わったﾍﾟｰｼﾞがあります。復元するものを選んでください。"),
        this));

    lstFiles = new QTreeWidget(this);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    lstFiles->setHeaderLabels({QStringLiteral("ﾌｧｲﾙ"), QStringLiteral("時刻"),
                               QStringLiteral("大きさ"), QStringLiteral("最初の行")});
    lstFiles->setRootIsDecorated(false);
    lstFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    const QLocale locale(QLocale::Japanese, QLocale::Japan);
    for (const QString &file : files) {
        const std::optional<RecoveryRecord> record = readRecord(file);
        if (!record)
            continue;
        auto *row = new QTreeWidgetItem(lstFiles);
        row->setText(0, pageName(*record));
        row->setToolTip(0, record->path.isEmpty() ? record->caption : record->path);
        row->setText(1, locale.toString(record->taken, QStringLiteral("yyyy/MM/dd HH:mm:ss")));
        row->setText(2, locale.toString(record->text.size()) + QStringLiteral(" 文字"));
        row->setText(3, recoveryFirstLine(record->text));
        m_entries.append({file, *record});
    }
    lstFiles->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (lstFiles->topLevelItemCount() > 0)
        lstFiles->setCurrentItem(lstFiles->topLevelItem(0));
    layout->addWidget(lstFiles);

    auto *buttons = new QHBoxLayout;
    cmdRestore = new QPushButton(QStringLiteral("復元(&R)"), this);
    cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
    cmdDifference = new QPushButton(QStringLiteral("差分を表示(&D)"), this);
    cmdDifference->setObjectName(QStringLiteral("cmdDifference"));
    cmdDiscard = new QPushButton(QStringLiteral("破棄(&X)"), this);
    cmdDiscard->setObjectName(QStringLiteral("cmdDiscard"));
    cmdClose = new QPushButton(QStringLiteral("閉じる"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton *button : {cmdRestore, cmdDifference, cmdDiscard}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);
    cmdRestore->setDefault(true);

    connect(cmdRestore, &QPushButton::clicked, this, &frmRecover::cmdRestore_Click);
    connect(cmdDifference, &QPushButton::clicked, this, &frmRecover::cmdDifference_Click);
    connect(cmdDiscard, &QPushButton::clicked, this, &frmRecover::cmdDiscard_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstFiles, &QTreeWidget::itemDoubleClicked, this, &frmRecover::cmdRestore_Click);
    connect(lstFiles, &QTreeWidget::currentItemChanged, this, &frmRecover::enableButtons);
    enableButtons();
    resize(640, 320);
}

int frmRecover::chosen() const
{
    return lstFiles->indexOfTopLevelItem(lstFiles->currentItem());
}

void frmRecover::enableButtons()
{
    const bool any = chosen() >= 0;
    cmdRestore->setEnabled(any);
    cmdDifference->setEnabled(any);
    cmdDiscard->setEnabled(any);
}

void frmRecover::removeRow(int row)
{
    delete lstFiles->takeTopLevelItem(row);
    m_entries.removeAt(row);
    enableButtons();
    if (m_entries.isEmpty())
        accept();
}

void frmRecover::cmdRestore_Click()
{
    const int row = chosen();
    if (row < 0)
        return;
    const Entry entry = m_entries.at(row);
    frmDocument *doc = openRecoveredDocument(entry.record);
    ++m_restored;
    // The old file goes only once the restored page has a recovery file of its own, or when
    // this run keeps none: a crash right after restoring must not lose the text.
    if (keepRecoveryFileNow(*doc) || !RecoveryService::current())
        m_folder.discard(entry.file);
    removeRow(row);
}

void frmRecover::cmdDifference_Click()
{
    const int row = chosen();
    if (row >= 0)
        showDifference(this, m_entries.at(row).record);
}

void frmRecover::cmdDiscard_Click()
{
    const int row = chosen();
    if (row < 0)
        return;
    const auto answer = Interaction::ask(QStringLiteral("%1 の復元用の内容を破棄しますか？")
                                             .arg(lstFiles->topLevelItem(row)->text(0)),
                                         Interaction::Icon::Question, Interaction::Buttons::YesNo);
    if (answer != Interaction::Answer::Yes)
        return;
    m_folder.discard(m_entries.at(row).file);
    removeRow(row);
}

int offerRecovery(RecoveryFolder &folder, QWidget *parent)
{
    const QStringList files = folder.adoptOrphans();
    if (files.isEmpty())
        return 0;
    frmRecover window(folder, files, parent);
    if (window.lstFiles->topLevelItemCount() == 0)
        return 0;
    Interaction::current().runModal(window);
    return window.restoredCount();
}
