#include "mainwindow/explorerpane.h"

#include "mainwindow/twips.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

#include <algorithm>

namespace {

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A pixel lost when twips are turned back into pixels.
constexpr int TwipsRounding = 1;

QListWidget *sortedList(QWidget *parent, const char *name)
{
    auto *list = named(new QListWidget(parent), name);
    list->setSortingEnabled(true);
    list->hide();
    return list;
}

} // namespace

ExplorerPane::ExplorerPane(int &mouseFlag, QWidget *parent)
    : QWidget(parent), m_mouseFlag(mouseFlag)
{
    setObjectName(QStringLiteral("picTree"));
    setMouseTracking(true);

    TabStrip1 = named(new QTabWidget(this), "TabStrip1");
    auto *tabPage = new QWidget(TabStrip1);
    TabStrip1->addTab(tabPage, tr("ﾌｧｲﾙ"));
    TabStrip1->tabBar()->setTabData(0, QStringLiteral("File"));
    TabStrip1->setTabToolTip(0, tr("ドライブ全体を表示します。"));

    // The page sits over the tab strip's page area, as its own control.
    picTR1 = named(new QWidget(this), "picTR1");
    trvTV = named(new QTreeWidget(picTR1), "trvTV");
    trvTV->setHeaderHidden(true);
    trvTV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    picTR1->raise();

    picHyouji = named(new QFrame(this), "picHyouji");
    picHyouji->setFrameShape(QFrame::StyledPanel);
    picHyouji->setFrameShadow(QFrame::Sunken);
    picImgRef = named(new QLabel(picHyouji), "picImgRef");
    picImgRef->setScaledContents(true);
    lblImageName = named(new QLabel(this), "lblImageName");
    lblImageName->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The label shows two lines (the name, then the size or why there is none) and reaches
    // NameOverhang below the pane, under the status bar: it is made tall enough for both lines
    // above the pane's edge.
    const int twoLines = lblImageName->fontMetrics()
                             .boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft | Qt::AlignTop,
                                           QStringLiteral("Name\nﾖｺ"))
                             .height()
                         + 2 * lblImageName->margin() + TwipsRounding;
    m_layout.imageName.height
        = std::max(int(PaneLayout::NameHeight), twipsY(twoLines) + PaneLayout::NameOverhang);

    picWork = named(new QLabel(this), "picWork");
    picWork->hide();
    picDummy = named(new QLabel(this), "picDummy");
    picDummy->hide();
    Drive1 = named(new QComboBox(this), "Drive1");
    Drive1->hide();
    lstFile = sortedList(this, "lstFile");
    lstDir = sortedList(this, "lstDir");

    // Moving over the controls ends any splitter pointer.
    for (QWidget *w : {static_cast<QWidget *>(TabStrip1), picTR1, static_cast<QWidget *>(trvTV),
                       static_cast<QWidget *>(picHyouji)})
        w->installEventFilter(this);
    trvTV->viewport()->installEventFilter(this);
}

void ExplorerPane::setWidthTwips(int width)
{
    m_layout.width = std::max(width, PaneLayout::MinWidth);
    m_layout.fitWidths();
}

void ExplorerPane::setPreviewHeightTwips(int height)
{
    m_layout.preview.height = std::max(height, PaneLayout::MinPreviewHeight);
}

int ExplorerPane::widthPixels() const
{
    return twipsToPixels(m_layout.width, logicalDpiX());
}

int ExplorerPane::twipsX(int pixels) const
{
    return pixelsToTwips(pixels, logicalDpiX());
}

int ExplorerPane::twipsY(int pixels) const
{
    return pixelsToTwips(pixels, logicalDpiY());
}

void ExplorerPane::arrange()
{
    m_layout.arrange(twipsY(height()));
    applyGeometry();
}

void ExplorerPane::applyGeometry()
{
    const int dx = logicalDpiX();
    const int dy = logicalDpiY();
    // A frame shrunk below the pane's contents gives them no room rather than negative sizes.
    auto place = [dx, dy](QWidget *w, const TwipsRect &r) {
        w->setGeometry(twipsToPixels(r.left, dx), twipsToPixels(r.top, dy),
                       std::max(0, twipsToPixels(r.width, dx)),
                       std::max(0, twipsToPixels(r.height, dy)));
    };
    place(TabStrip1, m_layout.tabStrip);
    place(picTR1, m_layout.page);
    place(trvTV, m_layout.tree);
    place(picHyouji, m_layout.preview);
    place(lblImageName, m_layout.imageName);
    fitPreview();
}

QRect fitPicture(const QSize &picture, const QSize &box)
{
    if (picture.isEmpty() || box.isEmpty())
        return {};
    // Relatively wider than the box: full width, centred vertically; else full height.
    if (qint64(picture.width()) * box.height() > qint64(box.width()) * picture.height()) {
        const int h = int(qint64(box.width()) * picture.height() / picture.width());
        return {0, (box.height() - h) / 2, box.width(), h};
    }
    const int w = int(qint64(box.height()) * picture.width() / picture.height());
    return {(box.width() - w) / 2, 0, w, box.height()};
}

void ExplorerPane::fitPreview()
{
    const QPixmap picture = picWork->pixmap();
    picImgRef->clear();
    const QRect area = fitPicture(picture.size(), picHyouji->contentsRect().size());
    if (area.isEmpty())
        return;
    picImgRef->setGeometry(area.translated(picHyouji->contentsRect().topLeft()));
    picImgRef->setPixmap(picture);
}

void ExplorerPane::setPointer(int shape)
{
    m_pointer = shape;
    switch (shape) {
    case PointerSizeWE: setCursor(Qt::SizeHorCursor); break;
    case PointerSizeNS: setCursor(Qt::SizeVerCursor); break;
    default: unsetCursor(); break;
    }
}

void ExplorerPane::resetPointer()
{
    setPointer(PointerDefault);
    m_mouseFlag = PointerDefault;
}

void ExplorerPane::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_mouseFlag = m_pointer;
    QWidget::mousePressEvent(event);
}

void ExplorerPane::mouseMoveEvent(QMouseEvent *event)
{
    const int x = twipsX(qRound(event->position().x()));
    const int y = twipsY(qRound(event->position().y()));
    switch (m_mouseFlag) {
    case PointerSizeWE: {
        const int room = parentWidget() ? twipsX(parentWidget()->width()) : x;
        m_layout.dragWidth(x, room);
        applyGeometry();
        emit widthDragged();
        break;
    }
    case PointerSizeNS:
        m_layout.height = twipsY(height());
        m_layout.dragHeight(y);
        applyGeometry();
        break;
    default: setPointer(m_layout.pointerAt(x, y)); break;
    }
    QWidget::mouseMoveEvent(event);
}

void ExplorerPane::mouseReleaseEvent(QMouseEvent *event)
{
    resetPointer();
    QWidget::mouseReleaseEvent(event);
}

void ExplorerPane::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    arrange();
}

bool ExplorerPane::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)
        resetPointer();
    return QWidget::eventFilter(watched, event);
}
