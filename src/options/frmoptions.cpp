#include "options/frmoptions.h"

#include "core/interaction.h"
#include "core/livepreview.h"
#include "tags/shared/dialogwidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

constexpr int twipsPerPixel = 15;

// A program path from the open-file dialog into `box`; a cancelled dialog changes nothing.
void connectProgramReference(QPushButton *button, QLineEdit *box)
{
    QObject::connect(button, &QPushButton::clicked, box, [box] {
        Interaction::FileRequest request;
        request.filter = QObject::tr("すべてのファイル (*.*)|*.*");
        request.fileName = box->text();
        const QString chosen = Interaction::current().openFileName(request);
        if (!chosen.isEmpty())
            box->setText(chosen);
    });
}

} // namespace

frmOptions::frmOptions(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("ｵﾌﾟｼｮﾝ"));
    resize(6285 / twipsPerPixel, 5340 / twipsPerPixel);

    tbsOptions = new QTabBar(this);
    tbsOptions->setObjectName(QStringLiteral("tbsOptions"));
    const struct
    {
        QString caption, key, tip;
    } tabs[] = {
        {tr("ﾂｰﾙ"), QStringLiteral("Tool"), tr("各ﾂｰﾙの設定を行ないます")},
        {tr("ｳｨﾝﾄﾞｳ"), QStringLiteral("Window"), tr("ウィンドウの状態を設定します。")},
        {tr("設定値"), QStringLiteral("Default"), tr("各種設定値を設定する")},
    };
    for (const auto &tab : tabs) {
        const int index = tbsOptions->addTab(tab.caption);
        tbsOptions->setTabData(index, tab.key);
        tbsOptions->setTabToolTip(index, tab.tip);
    }
    m_panels = new QStackedWidget(this);
    picOptions = {buildToolPanel(), buildWindowPanel(), buildDefaultPanel()};
    for (int i = 0; i < picOptions.size(); ++i) {
        picOptions[i]->setObjectName(QStringLiteral("picOptions_%1").arg(i));
        m_panels->addWidget(picOptions[i]);
    }

    cmdOK = makeButton(this, QStringLiteral("cmdOK"), tr("OK"));
    cmdOK->setDefault(true);
    cmdCancel = makeButton(this, QStringLiteral("cmdCancel"), tr("ｷｬﾝｾﾙ"));
    cmdApply = makeButton(this, QStringLiteral("cmdApply"), tr("更新"));
    cmdApply->hide();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdApply);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tbsOptions);
    layout->addWidget(m_panels, 1);
    layout->addLayout(buttons);

    connect(tbsOptions, &QTabBar::currentChanged, this, &frmOptions::tbsOptions_Click);
    for (QRadioButton *option : Option1)
        connect(option, &QRadioButton::toggled, this, &frmOptions::enableBrowserPath);
    connectProgramReference(cmdBrowzeRef, txtBrowzeName);
    connectProgramReference(cmdImageToolRef, txtDrawName);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    // Ctrl+Tab reaches the dialog before the control that has the focus.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);

    apply(currentOptions());
    applyPageCheck(storedPageCheckOptions());
    const LivePreviewSettings live = storedLivePreviewSettings();
    spnLivePreviewDelay->setValue(live.delayMs);
    chkLivePreviewNetwork->setChecked(live.networkAllowed);
    chkLivePreviewFollowCaret->setChecked(live.followCaret);
    chkLivePreviewClickToSource->setChecked(live.clickToSource);
    chkTagColor->setEnabled(true);
    tbsOptions_Click(0);
}

QWidget *frmOptions::buildToolPanel()
{
    auto *panel = new QWidget;
    Frame1 = makeFrame(panel, tr("ｲﾒｰｼﾞ編集ﾂｰﾙの設定"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label1 = makeLabel(Frame1, tr("ｲﾒｰｼﾞ編集ﾂｰﾙ"), QStringLiteral("Label1"));
    txtDrawName = makeUrlBox(Frame1, QStringLiteral("txtDrawName"));
    cmdImageToolRef = makeButton(Frame1, QStringLiteral("cmdImageToolRef"), tr("参照(&D)"));
    auto *toolGrid = new QGridLayout(Frame1);
    addRow(toolGrid, Label1, txtDrawName, cmdImageToolRef);

    fraBrowse = makeFrame(panel, tr("ﾌﾞﾗｳｻﾞの設定"));
    fraBrowse->setObjectName(QStringLiteral("fraBrowse"));
    Option1 = makeOptionArray(fraBrowse, QStringLiteral("Option1"),
                              {tr("簡易ﾌﾞﾗｳｻﾞを利用"), tr("指定したﾌﾞﾗｳｻﾞを利用")});
    txtBrowzeName = makeUrlBox(fraBrowse, QStringLiteral("txtBrowzeName"));
    cmdBrowzeRef = makeButton(fraBrowse, QStringLiteral("cmdBrowzeRef"), tr("参照(&R)"));
    auto *browseGrid = new QGridLayout(fraBrowse);
    browseGrid->addWidget(Option1[0], 0, 0, 1, 2);
    browseGrid->addWidget(Option1[1], 1, 0, 1, 2);
    browseGrid->addWidget(txtBrowzeName, 2, 0);
    browseGrid->addWidget(cmdBrowzeRef, 2, 1);

    // The live preview pane: how long typing rests before the page follows, whether the page
    // may reach the network, follows the caret, and takes a click to the source.
    fraLivePreview = makeFrame(panel, tr("ライブプレビュー"));
    fraLivePreview->setObjectName(QStringLiteral("fraLivePreview"));
    spnLivePreviewDelay = new QSpinBox(fraLivePreview);
    spnLivePreviewDelay->setObjectName(QStringLiteral("spnLivePreviewDelay"));
    spnLivePreviewDelay->setRange(0, 10000);
    spnLivePreviewDelay->setSingleStep(50);
    spnLivePreviewDelay->setSuffix(tr(" ミリ秒"));
    chkLivePreviewNetwork = makeCheckBox(fraLivePreview, QStringLiteral("chkLivePreviewNetwork"),
                                         tr("インターネット上の画像やファイルも読み込む"));
    chkLivePreviewFollowCaret
        = makeCheckBox(fraLivePreview, QStringLiteral("chkLivePreviewFollowCaret"),
                       tr("カーソル位置の要素が見えるようにスクロールする"));
    chkLivePreviewClickToSource
        = makeCheckBox(fraLivePreview, QStringLiteral("chkLivePreviewClickToSource"),
                       tr("クリックした要素のソースにカーソルを移動する"));
    auto *liveGrid = new QGridLayout(fraLivePreview);
    addRow(liveGrid, tr("入力が止まってから表示するまで"), spnLivePreviewDelay);
    liveGrid->addWidget(chkLivePreviewNetwork, 1, 0, 1, 2);
    liveGrid->addWidget(chkLivePreviewFollowCaret, 2, 0, 1, 2);
    liveGrid->addWidget(chkLivePreviewClickToSource, 3, 0, 1, 2);

    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(Frame1);
    layout->addWidget(fraBrowse);
    layout->addWidget(fraLivePreview);
    layout->addStretch();
    return panel;
}

QWidget *frmOptions::buildWindowPanel()
{
    auto *panel = new QWidget;
    chkTrvHide = makeCheckBox(panel, QStringLiteral("chkTrvHide"),
                              tr("ﾌﾞﾗｳｻﾞ表示させたときにﾂﾘｰﾋﾞｭｰを隠す"));
    chkTreePathChange
        = makeCheckBox(panel, QStringLiteral("chkTreePathChange"),
                       tr("ツリービューからファイルを開いた場合カレントパスを変更する。"));
    chkWInCheck = makeCheckBox(panel, QStringLiteral("chkWInCheck"),
                               tr("ﾂﾘｰﾋﾞｭｰがうまく表示されない場合にはﾁｪｯｸしてください。"));
    chkTagColor = makeCheckBox(panel, QStringLiteral("chkTagColor"),
                               tr("タグに色をつける（ファイルを開く時間がかかります。）"));
    fraTyping = makeFrame(panel, tr("入力の補助"));
    fraTyping->setObjectName(QStringLiteral("fraTyping"));
    chkCompletion = makeCheckBox(fraTyping, QStringLiteral("chkCompletion"),
                                 tr("タグ・属性・値の候補を表示する"));
    chkClosingTags = makeCheckBox(fraTyping, QStringLiteral("chkClosingTags"),
                                  tr("候補を選んだときに終了タグも入力する"));
    chkLowerCaseTags = makeCheckBox(fraTyping, QStringLiteral("chkLowerCaseTags"),
                                    tr("タグ名を小文字で入力する"));
    chkLineNumbers
        = makeCheckBox(fraTyping, QStringLiteral("chkLineNumbers"), tr("行番号を表示する"));
    chkMatchingTags
        = makeCheckBox(fraTyping, QStringLiteral("chkMatchingTags"), tr("対応するタグを強調する"));
    auto *typingLayout = new QVBoxLayout(fraTyping);
    for (QCheckBox *box :
         {chkCompletion, chkClosingTags, chkLowerCaseTags, chkMatchingTags, chkLineNumbers})
        typingLayout->addWidget(box);
    auto *layout = new QVBoxLayout(panel);
    for (QCheckBox *box : {chkTrvHide, chkTreePathChange, chkWInCheck, chkTagColor})
        layout->addWidget(box);
    layout->addWidget(fraTyping);
    layout->addStretch();
    return panel;
}

QWidget *frmOptions::buildDefaultPanel()
{
    auto *panel = new QWidget;
    Label2 = makeLabel(panel, tr("製作者名"), QStringLiteral("Label2"));
    txtAuthor = makeTextBox(panel, QStringLiteral("txtAuthor"));
    auto *grid = new QGridLayout;
    addRow(grid, Label2, txtAuthor);

    // Unsaved text kept for a crash: how soon after typing, and from which size less often.
    fraRecovery = makeFrame(panel, tr("ﾍﾟｰｼﾞの復元"));
    fraRecovery->setObjectName(QStringLiteral("fraRecovery"));
    spnRecoveryIdle = new QSpinBox(fraRecovery);
    spnRecoveryIdle->setObjectName(QStringLiteral("spnRecoveryIdle"));
    spnRecoveryIdle->setRange(1, 3600);
    spnRecoveryIdle->setSuffix(tr(" 秒"));
    spnRecoveryLarge = new QSpinBox(fraRecovery);
    spnRecoveryLarge->setObjectName(QStringLiteral("spnRecoveryLarge"));
    spnRecoveryLarge->setRange(1, 4096);
    spnRecoveryLarge->setSuffix(tr(" MB"));
    auto *recoveryGrid = new QGridLayout(fraRecovery);
    addRow(recoveryGrid, tr("入力が止まってから書き込むまで"), spnRecoveryIdle);
    addRow(recoveryGrid, tr("これより大きいﾍﾟｰｼﾞは書き込みを減らす"), spnRecoveryLarge);

    fraPageCheck = makeFrame(panel, tr("ページの検査"));
    fraPageCheck->setObjectName(QStringLiteral("fraPageCheck"));
    txtCheckHiddenIds = makeTextBox(fraPageCheck, QStringLiteral("txtCheckHiddenIds"));
    txtCheckHiddenIds->setToolTip(tr("表示しないメッセージのID（空白またはカンマで区切る）"));
    cboCheckVersion = makeDropDown(
        fraPageCheck, QStringLiteral("cboCheckVersion"),
        {tr("自動"), tr("HTML 3.2"), tr("HTML 4.01 Transitional"), tr("HTML 4.01 Strict")});
    cboCheckVersion->setEditable(false);
    chkCheckAccess = makeCheckBox(fraPageCheck, QStringLiteral("chkCheckAccess"),
                                  tr("アクセシビリティも検査する"));
    auto *checkGrid = new QGridLayout(fraPageCheck);
    addRow(checkGrid, tr("表示しないID"), txtCheckHiddenIds);
    addRow(checkGrid, tr("DOCTYPEのないページ"), cboCheckVersion);
    checkGrid->addWidget(chkCheckAccess, 2, 0, 1, 2);

    auto *layout = new QVBoxLayout(panel);
    layout->addLayout(grid);
    layout->addWidget(fraRecovery);
    layout->addWidget(fraPageCheck);
    layout->addStretch();
    return panel;
}

OptionValues frmOptions::fields() const
{
    OptionValues v;
    v.myBrowzer = Option1[0]->isChecked();
    v.browzerPath = txtBrowzeName->text();
    v.imageToolPath = txtDrawName->text();
    v.tagColor = chkTagColor->checkState() != Qt::Unchecked;
    v.treePathChange = chkTreePathChange->isChecked();
    v.treeViewHide = chkTrvHide->isChecked();
    v.windowsCheck = !chkWInCheck->isChecked(); // the box asks for the workaround: inverted
    v.author = txtAuthor->text();
    v.recoveryIdleSeconds = spnRecoveryIdle->value();
    v.recoveryLargePageMB = spnRecoveryLarge->value();
    v.typing
        = {chkCompletion->isChecked(), chkClosingTags->isChecked(), chkLineNumbers->isChecked(),
           chkLowerCaseTags->isChecked(), chkMatchingTags->isChecked()};
    return v;
}

void frmOptions::apply(const OptionValues &v)
{
    Option1[v.myBrowzer ? 0 : 1]->setChecked(true);
    txtBrowzeName->setText(v.browzerPath);
    txtDrawName->setText(v.imageToolPath);
    chkTagColor->setChecked(v.tagColor);
    chkTreePathChange->setChecked(v.treePathChange);
    chkTrvHide->setChecked(v.treeViewHide);
    chkWInCheck->setChecked(!v.windowsCheck);
    txtAuthor->setText(v.author);
    spnRecoveryIdle->setValue(v.recoveryIdleSeconds);
    spnRecoveryLarge->setValue(v.recoveryLargePageMB);
    chkCompletion->setChecked(v.typing.completion);
    chkClosingTags->setChecked(v.typing.closingTags);
    chkLineNumbers->setChecked(v.typing.lineNumbers);
    chkLowerCaseTags->setChecked(v.typing.lowerCase);
    chkMatchingTags->setChecked(v.typing.matchingTags);
    enableBrowserPath();
}

PageCheckOptions frmOptions::pageCheckFields() const
{
    PageCheckOptions options;
    options.hiddenIds = parseMessageIds(txtCheckHiddenIds->text());
    options.assumedVersion = AssumedHtmlVersion(std::max(cboCheckVersion->currentIndex(), 0));
    options.accessibility = chkCheckAccess->isChecked();
    return options;
}

void frmOptions::applyPageCheck(const PageCheckOptions &options)
{
    txtCheckHiddenIds->setText(options.hiddenIds.join(QLatin1Char(' ')));
    cboCheckVersion->setCurrentIndex(int(options.assumedVersion));
    chkCheckAccess->setChecked(options.accessibility);
}

void frmOptions::tbsOptions_Click(int index)
{
    for (int i = 0; i < picOptions.size(); ++i)
        picOptions[i]->setEnabled(i == index);
    m_panels->setCurrentIndex(index);
    if (tbsOptions->currentIndex() != index)
        tbsOptions->setCurrentIndex(index);
}

void frmOptions::enableBrowserPath()
{
    const bool chosenBrowser = Option1[1]->isChecked();
    txtBrowzeName->setEnabled(chosenBrowser);
    cmdBrowzeRef->setEnabled(chosenBrowser);
}

void frmOptions::cmdOK_Click()
{
    storePageCheckOptions(pageCheckFields());
    LivePreviewSettings live = storedLivePreviewSettings();
    live.delayMs = spnLivePreviewDelay->value();
    live.networkAllowed = chkLivePreviewNetwork->isChecked();
    live.followCaret = chkLivePreviewFollowCaret->isChecked();
    live.clickToSource = chkLivePreviewClickToSource->isChecked();
    storeLivePreviewSettings(live);
    // Stored last: it tells the open windows, the live preview among them.
    storeOptions(fields());
    accept();
}

bool frmOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool ctrl = key->modifiers() & Qt::ControlModifier;
        const int count = tbsOptions->count();
        if (ctrl && key->key() == Qt::Key_Tab) {
            tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + 1) % count);
            return true;
        }
        if (ctrl && key->key() == Qt::Key_Backtab) {
            tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + count - 1) % count);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
