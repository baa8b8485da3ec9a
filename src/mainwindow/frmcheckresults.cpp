#include "mainwindow/frmcheckresults.h"

#include "check/tidycheck.h"
#include "document/frmdocument.h"
#include "document/linejump.h"
#include "document/richtextbox.h"
#include "mainwindow/documentio.h"

#include <QDir>
#include <QHeaderView>
#include <QMdiArea>
#include <QTreeWidget>

#include <algorithm>

namespace {

enum Column { LineColumn, CharacterColumn, KindColumn, MessageColumn, IdColumn };

constexpr int LineRole = Qt::UserRole;
constexpr int ColumnRole = Qt::UserRole + 1;
constexpr int PathRole = Qt::UserRole + 2;

QString kindText(FindingSeverity severity)
{
    switch (severity) {
    case FindingSeverity::Error: return QObject::tr("エラー");
    case FindingSeverity::Warning: return QObject::tr("警告");
    case FindingSeverity::Access: return QObject::tr("アクセシビリティ");
    }
    return {};
}

} // namespace

void showPlace(frmDocument &document, int line, int column)
{
    const int lineCount = document.txtText->document()->blockCount();
    const int index = std::clamp(line - 1, 0, std::max(lineCount - 1, 0));
    goToLine(document, index + 1, lineOffsetOfColumn(textOfLine(*document.txtText, index), column));
}

frmCheckResults::frmCheckResults(QWidget *parent) : QDockWidget(tr("ページの検査"), parent)
{
    setObjectName(QStringLiteral("frmCheckResults"));
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    lstFindings = new QTreeWidget(this);
    lstFindings->setObjectName(QStringLiteral("lstFindings"));
    lstFindings->setHeaderLabels({tr("行"), tr("桁"), tr("種類"), tr("メッセージ"), tr("ID")});
    lstFindings->setRootIsDecorated(false);
    lstFindings->setUniformRowHeights(true);
    lstFindings->setAlternatingRowColors(true);
    lstFindings->header()->setStretchLastSection(false);
    lstFindings->header()->setSectionResizeMode(MessageColumn, QHeaderView::Stretch);
    setWidget(lstFindings);
    connect(lstFindings, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { lstFindings_DblClick(item); });
}

QTreeWidgetItem *frmCheckResults::addFinding(QTreeWidgetItem *parent, const PageFinding &finding,
                                             const QString &path)
{
    auto *item = new QTreeWidgetItem;
    item->setText(LineColumn, QString::number(finding.line));
    item->setText(CharacterColumn, QString::number(finding.column));
    item->setText(KindColumn, kindText(finding.severity));
    item->setText(MessageColumn, finding.message);
    item->setToolTip(MessageColumn, finding.message);
    item->setText(IdColumn, finding.id);
    item->setData(LineColumn, LineRole, finding.line);
    item->setData(LineColumn, ColumnRole, finding.column);
    item->setData(LineColumn, PathRole, path);
    if (parent)
        parent->addChild(item);
    else
        lstFindings->addTopLevelItem(item);
    return item;
}

void frmCheckResults::addNote(const QString &text)
{
    auto *item = new QTreeWidgetItem;
    item->setText(0, text);
    lstFindings->addTopLevelItem(item);
    item->setFirstColumnSpanned(true);
}

void frmCheckResults::showPage(frmDocument *document, const QList<PageFinding> &findings)
{
    m_document = document;
    lstFindings->clear();
    lstFindings->setRootIsDecorated(false);
    for (const PageFinding &finding : findings)
        addFinding(nullptr, finding, QString());
    if (findings.isEmpty())
        addNote(tr("問題は見つかりませんでした。"));
    for (int c = LineColumn; c <= KindColumn; ++c)
        lstFindings->resizeColumnToContents(c);
    show();
    raise();
}

void frmCheckResults::showFolder(const QString &folder, const QList<FileFindings> &pages,
                                 bool cancelled)
{
    m_document = nullptr;
    lstFindings->clear();
    lstFindings->setRootIsDecorated(true);
    const QDir base(folder);
    for (const FileFindings &page : pages) {
        auto *group = new QTreeWidgetItem;
        group->setText(0, QStringLiteral("%1 (%2)")
                              .arg(QDir::toNativeSeparators(base.relativeFilePath(page.path)))
                              .arg(page.problem.isEmpty()
                                       ? tr("%n 件", nullptr, int(page.findings.size()))
                                       : page.problem));
        group->setData(LineColumn, PathRole, page.path);
        group->setData(LineColumn, LineRole, 1);
        group->setData(LineColumn, ColumnRole, 1);
        lstFindings->addTopLevelItem(group);
        group->setFirstColumnSpanned(true);
        for (const PageFinding &finding : page.findings)
            addFinding(group, finding, page.path);
        group->setExpanded(true);
    }
    if (cancelled)
        addNote(tr("検査は中止されました。"));
    else if (pages.isEmpty())
        addNote(tr("問題は見つかりませんでした。"));
    for (int c = LineColumn; c <= KindColumn; ++c)
        lstFindings->resizeColumnToContents(c);
    show();
    raise();
}

void frmCheckResults::lstFindings_DblClick(QTreeWidgetItem *item)
{
    if (!item || !item->data(LineColumn, LineRole).isValid())
        return;
    const int line = item->data(LineColumn, LineRole).toInt();
    const int column = item->data(LineColumn, ColumnRole).toInt();
    const QString path = item->data(LineColumn, PathRole).toString();
    if (path.isEmpty()) {
        if (m_document)
            showPlace(*m_document, line, column);
        return;
    }
    ReadDoc(path);
    if (frmDocument *document = documentShowing(path))
        showPlace(*document, line, column);
}
