#include "tags/gradation/frmgradation.h"

#include "core/htmlview.h"
#include "core/interaction.h"
#include "tags/gradation/colorbox.h"
#include "tags/shared/dialogwidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPlainTextEdit *makeTextArea(QWidget *parent, const QString &name)
{
    auto *area = new QPlainTextEdit(parent);
    area->setObjectName(name);
    area->setTabChangesFocus(true);
    return area;
}

// The text boxes show "\n"; the document and the fragment use CR LF.
QString documentLines(const QString &boxText)
{
    QString text = boxText;
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString boxLines(const QString &documentText)
{
    QString text = documentText;
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The preview shows a few lines of the browser's default text (16 px, about 24 px a line)
// inside the page's margins, so that a usual gradation needs no scroll bar.
constexpr int PreviewLines = 3;
constexpr int PreviewLineHeight = 24;
constexpr int PreviewPageMargins = 2 * 8;

QString endLabel(bool repeat)
{
    return repeat ? QStringLiteral("中間色") : QStringLiteral("終了色");
}

} // namespace

frmGradation::frmGradation(QWidget *parent)
    : TagDialog(QStringLiteral("frmGradation"), QStringLiteral("グラデーション文字の設定"),
                ButtonNames::Frm, parent),
      txtIn(makeTextArea(this, QStringLiteral("txtIn"))),
      picStartCol(new ColorBox(QStringLiteral("picStartCol"), this)),
      Label4(makeLabel(this, endLabel(false), QStringLiteral("Label4"))),
      picEndCol(new ColorBox(QStringLiteral("picEndCol"), this)),
      chkKurikaeshi(makeCheckBox(this, QStringLiteral("chkKurikaeshi"),
                                 QStringLiteral("グラデーションを繰返す"))),
      cmdGradetion(makeButton(this, QStringLiteral("cmdGradetion"), QStringLiteral("作成"))),
      txtOut(makeTextArea(this, QStringLiteral("txtOut"))), WebBrowser1(HtmlView::make(this))
{
    okButton()->setObjectName(QStringLiteral("cmdOk"));
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setMinimumHeight(PreviewPageMargins + PreviewLines * PreviewLineHeight);

    auto *colors = new QGridLayout;
    colors->addWidget(makeLabel(this, QStringLiteral("開始色"), QStringLiteral("Label3")), 0, 0);
    colors->addWidget(picStartCol, 0, 1);
    colors->addWidget(Label4, 1, 0);
    colors->addWidget(picEndCol, 1, 1);
    colors->addWidget(chkKurikaeshi, 2, 0, 1, 2);
    auto *buildRow = new QHBoxLayout;
    auto *hint = makeLabel(
        this,
        QStringLiteral(
            "下の枠をダブルクリックして開始色と終了色を選択してから「作成」をクリックしてください。"),
        QStringLiteral("Label5"));
    hint->setWordWrap(true);
    buildRow->addWidget(hint, 1);
    buildRow->addWidget(cmdGradetion);

    auto *content = new QVBoxLayout;
    content->addWidget(makeLabel(this,
                                 QStringLiteral("ここにグラデーションする文字を入れてください"),
                                 QStringLiteral("Label1")));
    content->addWidget(txtIn);
    content->addLayout(colors);
    content->addLayout(buildRow);
    content->addWidget(
        makeLabel(this, QStringLiteral("結果がここに表示されます"), QStringLiteral("Label2")));
    content->addWidget(txtOut);
    content->addWidget(WebBrowser1);
    layOut(content);

    okButton()->setEnabled(false);
    cmdGradetion->setEnabled(false);
    showPreview(QString());

    connect(picStartCol, &ColorBox::doubleClicked, this, [this] { pickColor(picStartCol); });
    connect(picEndCol, &ColorBox::doubleClicked, this, [this] { pickColor(picEndCol); });
    connect(chkKurikaeshi, &QCheckBox::toggled, Label4,
            [this](bool on) { Label4->setText(endLabel(on)); });
    connect(cmdGradetion, &QPushButton::clicked, this, &frmGradation::cmdGradetion_Click);
}

frmGradation::Values frmGradation::fields() const
{
    return {documentLines(txtIn->toPlainText()), picStartCol->color(), picEndCol->color(),
            chkKurikaeshi->isChecked()};
}

void frmGradation::apply(const Values &values)
{
    txtIn->setPlainText(boxLines(values.text));
    picStartCol->setColor(values.startColor);
    picEndCol->setColor(values.endColor);
    chkKurikaeshi->setChecked(values.repeat);
}

void frmGradation::pickColor(ColorBox *box)
{
    const std::optional<int> chosen = Interaction::current().chooseColor(box->color());
    if (!chosen)
        return;
    box->setColor(*chosen);
    cmdGradetion->setEnabled(true);
}

void frmGradation::cmdGradetion_Click()
{
    const QString fragment = buildGradation(fields());
    txtOut->setPlainText(boxLines(fragment));
    showPreview(fragment);
    okButton()->setEnabled(true);
}

void frmGradation::showPreview(const QString &fragment)
{
    WebBrowser1->setHtml(gradationPreviewPage(fragment));
}

QString frmGradation::buildResult()
{
    return documentLines(txtOut->toPlainText());
}
