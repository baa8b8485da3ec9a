#include "tags/frameset/frmframeset.h"

#include "core/settings.h"
#include "core/sharedstate.h"
#include "tags/shared/dialogwidgets.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

const char *const PageFilter = "HTMLﾌｧｲﾙ(*.html;*.htm)|*.html;*.htm|CGIﾌｧｲﾙ(*.cgi;*.pl)|*.cgi;*.pl|"
                               "ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|全てのﾌｧｲﾙ (*.*)|*.*";

// The preview's spacing in pixels: between the frames and at the far edges.
constexpr int PreviewGap = 2;
constexpr int PreviewMargin = 3;

QLabel *previewLabel(QWidget *parent, const QString &name, const QString &caption)
{
    QLabel *label = makeLabel(parent, caption, name);
    label->setFrameShape(QFrame::Box);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

frmFrameSet::frmFrameSet()
    : TagDialog(QStringLiteral("frmFrameSet"), tr("フレームの設定"), ButtonNames::Frm)
{
    txtName1 = makeTextBox(this, QStringLiteral("txtName1"));
    txtUrl1 = makeUrlBox(this, QStringLiteral("txtUrl1"));
    cmdRef1 = makeButton(this, QStringLiteral("cmdRef1"), tr("参照(&R)"));
    txtName2 = makeTextBox(this, QStringLiteral("txtName2"));
    txtUrl2 = makeUrlBox(this, QStringLiteral("txtUrl2"));
    cmdRef2 = makeButton(this, QStringLiteral("cmdRef2"), tr("参照(&F)"));
    cmdLcase = makeButton(this, QStringLiteral("cmdLcase"), tr("小文字変換(&L)"));
    auto *frames = new QGridLayout;
    addRow(frames, tr("(1)フレーム名"), txtName1);
    addRow(frames, tr("URL"), txtUrl1, cmdRef1);
    addRow(frames, tr("(2)フレーム名"), txtName2);
    addRow(frames, tr("URL"), txtUrl2, cmdRef2);

    auto *direction = makeFrame(this, tr("分割の方向"));
    optRC = makeOptionArray(direction, QStringLiteral("optRC"),
                            {tr("縦方向に分割"), tr("横方向に分割")});
    optRC[int(FrameSplit::SideBySide)]->setChecked(true);
    auto *directionColumn = new QVBoxLayout(direction);
    for (QRadioButton *option : optRC) {
        directionColumn->addWidget(option);
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                drawPreview();
        });
    }

    auto *ratio = makeFrame(this, tr("分割比率"));
    txtHiritsu = makeNumberBox(ratio, QStringLiteral("txtHiritsu"));
    Slider1 = new QSlider(Qt::Horizontal, ratio);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setTickPosition(QSlider::TicksBelow);
    chkPersent = makeCheckBox(ratio, QStringLiteral("chkPersent"), tr("％表示"));
    Label3 = makeLabel(ratio, QStringLiteral("1"), QStringLiteral("Label3"));
    Label4 = makeLabel(ratio, QString(), QStringLiteral("Label4"));
    Label5 = makeLabel(ratio, QString(), QStringLiteral("Label5"));
    Label4->setAlignment(Qt::AlignCenter);
    Label5->setAlignment(Qt::AlignRight);
    auto *ratioGrid = new QGridLayout(ratio);
    ratioGrid->addWidget(txtHiritsu, 0, 0);
    ratioGrid->addWidget(chkPersent, 0, 1, 1, 2);
    ratioGrid->addWidget(Slider1, 1, 0, 1, 3);
    ratioGrid->addWidget(Label3, 2, 0);
    ratioGrid->addWidget(Label4, 2, 1);
    ratioGrid->addWidget(Label5, 2, 2);

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    static_cast<QFrame *>(Picture1)->setFrameShape(QFrame::StyledPanel);
    Picture1->setMinimumSize(160, 110);
    Picture1->installEventFilter(this);
    lblUrl1 = previewLabel(Picture1, QStringLiteral("lblUrl1"), QStringLiteral("HTML-1"));
    lblUrl2 = previewLabel(Picture1, QStringLiteral("lblUrl2"), QStringLiteral("HTML-2"));

    auto *left = new QVBoxLayout;
    left->addLayout(frames);
    left->addWidget(cmdLcase, 0, Qt::AlignRight);
    left->addWidget(ratio);
    auto *right = new QVBoxLayout;
    right->addWidget(direction);
    right->addWidget(Picture1, 1);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left, 2);
    columns->addLayout(right, 1);
    layOut(columns);

    const auto basePathOf = [this] { return basePath(); };
    const auto remember = [](const QString &) { SaveSettings(); };
    connectFileReference(cmdRef1, txtUrl1, QString::fromUtf8(PageFilter), shared().strLastFullPath,
                         basePathOf, remember);
    connectFileReference(cmdRef2, txtUrl2, QString::fromUtf8(PageFilter), shared().strLastFullPath,
                         basePathOf, remember);
    connect(cmdLcase, &QPushButton::clicked, this, [this] {
        txtUrl1->setText(txtUrl1->text().toLower());
        txtUrl2->setText(txtUrl2->text().toLower());
    });
    for (QLineEdit *box : {txtName1, txtUrl1, txtName2, txtUrl2})
        connect(box, &QLineEdit::textChanged, this, &frmFrameSet::updatePreviewLabels);
    connect(Slider1, &QSlider::valueChanged, this, [this](int value) {
        if (parseFrameRatio(txtHiritsu->text(), chkPersent->isChecked()) != value)
            txtHiritsu->setText(QString::number(value));
    });
    connect(txtHiritsu, &QLineEdit::textChanged, this, &frmFrameSet::ratioTyped);
    connect(chkPersent, &QCheckBox::toggled, this, &frmFrameSet::scaleChosen);

    apply(FrameSetFields());
    scaleChosen(true);
}

void frmFrameSet::ratioTyped()
{
    // A text that is no number in range leaves the slider where it is; OK refuses it.
    if (const auto ratio = parseFrameRatio(txtHiritsu->text(), chkPersent->isChecked())) {
        const QSignalBlocker quiet(Slider1);
        Slider1->setValue(qMin(*ratio, Slider1->maximum()));
    }
    drawPreview();
}

void frmFrameSet::scaleChosen(bool percent)
{
    const QSignalBlocker quiet(Slider1);
    Label4->setText(percent ? QStringLiteral("50") : QStringLiteral("250"));
    Label5->setText(percent ? QStringLiteral("100") : QStringLiteral("500"));
    Slider1->setRange(0, percent ? 100 : 500);
    Slider1->setTickInterval(percent ? 10 : 50);
    if (percent && parseFrameRatio(txtHiritsu->text(), false).value_or(0) > 100)
        txtHiritsu->setText(QStringLiteral("99"));
    ratioTyped();
}

void frmFrameSet::updatePreviewLabels()
{
    lblUrl1->setText(txtName1->text() + QLatin1Char('\n') + txtUrl1->text());
    lblUrl2->setText(txtName2->text() + QLatin1Char('\n') + txtUrl2->text());
    drawPreview();
}

void frmFrameSet::drawPreview()
{
    const QRect area = Picture1->contentsRect().adjusted(PreviewMargin, PreviewMargin,
                                                         -PreviewMargin, -PreviewMargin);
    const bool stacked = optRC[int(FrameSplit::Stacked)]->isChecked();
    const int length = (stacked ? area.height() : area.width()) - PreviewGap;
    const int first = Slider1->maximum() > 0 ? length * Slider1->value() / Slider1->maximum() : 0;
    if (stacked) {
        lblUrl1->setGeometry(area.left(), area.top(), area.width(), first);
        lblUrl2->setGeometry(area.left(), area.top() + first + PreviewGap, area.width(),
                             length - first);
    } else {
        lblUrl1->setGeometry(area.left(), area.top(), first, area.height());
        lblUrl2->setGeometry(area.left() + first + PreviewGap, area.top(), length - first,
                             area.height());
    }
    lblUrl1->setVisible(first > 0);
    lblUrl2->setVisible(length - first > 0);
}

bool frmFrameSet::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Picture1 && event->type() == QEvent::Resize)
        drawPreview();
    return TagDialog::eventFilter(watched, event);
}

bool frmFrameSet::validate()
{
    const QString title = tr("フレームの設定");
    const struct
    {
        QLineEdit *box;
        QString message;
    } required[] = {
        {txtName1, tr("フレーム名が未入力です。")},
        {txtName2, tr("フレーム名が未入力です。")},
        {txtUrl1, tr("ＵＲＬが未入力です。")},
        {txtUrl2, tr("ＵＲＬが未入力です。")},
    };
    for (const auto &field : required) {
        if (field.box->text().isEmpty())
            return refuse(field.box, field.message, Interaction::Icon::Warning, title);
    }
    const bool percent = chkPersent->isChecked();
    if (!parseFrameRatio(txtHiritsu->text(), percent)) {
        return refuse(
            txtHiritsu,
            tr("分割比率は 0 から %1 までの数字で入力してください。").arg(maxFrameRatio(percent)),
            Interaction::Icon::Warning, title);
    }
    return true;
}

QString frmFrameSet::buildResult()
{
    return frameSetElement(fields());
}

FrameSetFields frmFrameSet::fields() const
{
    FrameSetFields values;
    values.split = optRC[int(FrameSplit::Stacked)]->isChecked() ? int(FrameSplit::Stacked)
                                                                : int(FrameSplit::SideBySide);
    values.ratio = txtHiritsu->text();
    values.percent = chkPersent->isChecked();
    values.name1 = txtName1->text();
    values.url1 = txtUrl1->text();
    values.name2 = txtName2->text();
    values.url2 = txtUrl2->text();
    return values;
}

void frmFrameSet::apply(const FrameSetFields &values)
{
    optRC[values.split == int(FrameSplit::Stacked) ? 1 : 0]->setChecked(true);
    chkPersent->setChecked(values.percent);
    txtHiritsu->setText(values.ratio);
    txtName1->setText(values.name1);
    txtUrl1->setText(values.url1);
    txtName2->setText(values.name2);
    txtUrl2->setText(values.url2);
    updatePreviewLabels();
}
