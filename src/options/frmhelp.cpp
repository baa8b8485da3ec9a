#include "options/frmhelp.h"

#include "core/interaction.h"
#include "options/helpbrowser.h"
#include "options/helpkeywords.h"

#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QLineEdit>
#include <QPointer>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QPointer<frmHelp> &openWindow()
{
    static QPointer<frmHelp> window;
    return window;
}

// The guide's first page: the top entry of its table of contents.
QUrl firstPage(QHelpEngine &engine)
{
    const QStringList namespaces = engine.registeredDocumentations();
    if (namespaces.isEmpty())
        return {};
    return QUrl(QStringLiteral("qthelp://%1/doc/index.html").arg(namespaces.constFirst()));
}

} // namespace

bool frmHelp::open(const QString &collectionFile, View view, QString *error)
{
    QPointer<frmHelp> &window = openWindow();
    if (window && window->m_collectionFile != collectionFile)
        delete window;
    if (!window) {
        if (!QFileInfo(collectionFile).isFile()) {
            *error = QStringLiteral("ﾍﾙﾌﾟﾌｧｲﾙが見つかりません: ") + collectionFile;
            return false;
        }
        auto *engine = new QHelpEngine(collectionFile);
        engine->setReadOnly(true);
        if (!engine->setupData() || engine->registeredDocumentations().isEmpty()) {
            *error = engine->error().isEmpty()
                         ? QStringLiteral("ﾍﾙﾌﾟﾌｧｲﾙを開けません: ") + collectionFile
                         : engine->error();
            delete engine;
            return false;
        }
        window = new frmHelp(engine, collectionFile);
    }
    window->showView(view);
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

frmHelp *frmHelp::instance()
{
    return openWindow();
}

frmHelp::frmHelp(QHelpEngine *engine, const QString &collectionFile)
    : m_engine(engine), m_collectionFile(collectionFile)
{
    setObjectName(QStringLiteral("frmHelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(applicationTitle() + QStringLiteral(" ﾍﾙﾌﾟ"));
    engine->setParent(this);

    txtPage = new HelpBrowser(*engine, this);
    txtPage->setObjectName(QStringLiteral("txtPage"));

    txtKeyword = new QLineEdit(this);
    txtKeyword->setObjectName(QStringLiteral("txtKeyword"));
    txtKeyword->setPlaceholderText(QStringLiteral("ｷｰﾜｰﾄﾞを入力してください"));
    auto *indexPage = new QWidget(this);
    auto *indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(0, 0, 0, 0);
    indexLayout->addWidget(txtKeyword);
    indexLayout->addWidget(engine->indexWidget());

    tabHelp = new QTabWidget(this);
    tabHelp->setObjectName(QStringLiteral("tabHelp"));
    tabHelp->addTab(engine->contentWidget(), QStringLiteral("目次"));
    tabHelp->addTab(indexPage, QStringLiteral("ｷｰﾜｰﾄﾞ"));

    connect(engine->contentWidget(), &QHelpContentWidget::linkActivated, this, &frmHelp::showPage);
    connect(engine->indexWidget(), &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink &document, const QString &) { showPage(document.url); });
    connect(txtKeyword, &QLineEdit::textChanged, this, &frmHelp::filterKeywords);
    // The index is built in the background; a keyword typed before it is ready filters it then.
    connect(engine->indexModel(), &QHelpIndexModel::indexCreated, this,
            [this] { filterKeywords(txtKeyword->text()); });
    connect(txtKeyword, &QLineEdit::returnPressed, engine->indexWidget(),
            &QHelpIndexWidget::activateCurrentItem);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(tabHelp);
    splitter->addWidget(txtPage);
    splitter->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(900, 640);
}

void frmHelp::filterKeywords(const QString &typed)
{
    // Qt's own filter compares the text as it is; the guide's half-width keywords would not
    // match what an input method types.
    QHelpIndexModel *model = m_engine->indexModel();
    if (model->isCreatingIndex())
        return;
    model->filter(QString()); // every keyword again
    if (typed.isEmpty())
        return;
    const KeywordMatches matches = matchKeywords(model->stringList(), typed);
    model->setStringList(matches.keywords);
    if (matches.best >= 0)
        m_engine->indexWidget()->setCurrentIndex(model->index(matches.best, 0));
}

void frmHelp::showPage(const QUrl &url)
{
    txtPage->setSource(url);
}

void frmHelp::showView(View view)
{
    if (view == View::Contents) {
        tabHelp->setCurrentIndex(0);
        showPage(firstPage(*m_engine));
    } else {
        tabHelp->setCurrentIndex(1);
        txtKeyword->clear();
        txtKeyword->setFocus();
    }
}
