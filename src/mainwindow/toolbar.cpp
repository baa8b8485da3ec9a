#include "mainwindow/toolbar.h"

#include "core/interaction.h"
#include "document/editcommands.h"
#include "document/frmdocument.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "mainwindow/documentio.h"
#include "mainwindow/frmmain.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>

namespace {

// The error of a button that needs the active document window when there is none.
constexpr int NoObjectError = 91;

void reportError(int number, const QString &description)
{
    Interaction::inform(QStringLiteral("tbToolBar_ButtonClick\r\nエラー番号：\r\n")
                            + QString::number(number) + QStringLiteral("\r\nエラー内容：")
                            + description,
                        Interaction::Icon::Warning);
}

QString wrapTagOf(const QString &key)
{
    if (key == QLatin1String("Bold"))
        return QStringLiteral("B");
    if (key == QLatin1String("Italic"))
        return QStringLiteral("I");
    if (key == QLatin1String("Underline"))
        return QStringLiteral("U");
    return {};
}

const ToolButton *findButton(const QString &key)
{
    for (const ToolButton &button : toolButtons())
        if (key == QLatin1String(button.key))
            return &button;
    return nullptr;
}

} // namespace

const QList<ToolButton> &toolButtons()
{
    static const QList<ToolButton> buttons = {
        {"New", "新規作成", "new.svg", "document-new"},
        {"Open", "開く", "open.svg", "document-open"},
        {"Save", "保存", "save.svg", "document-save"},
        {"Print", "印刷", "print.svg", "document-print"},
        {"Cut", "切り取り", "cut.svg", "edit-cut"},
        {"Copy", "ｺﾋﾟｰ", "copy.svg", "edit-copy"},
        {"Paste", "貼り付け", "paste.svg", "edit-paste", "mnuEditPaste_Click"},
        {"Find", "検索と置換", "find.svg", "edit-find-replace", "mnuEditFind_Click"},
        {"Bold", "太字", "bold.svg", "format-text-bold"},
        {"Italic", "斜体", "italic.svg", "format-text-italic"},
        {"Underline", "下線", "underline.svg", "format-text-underline"},
        {"Font", "FONTの設定", "font.svg", nullptr, "mnuHtmlTextFont_Click"},
        {"Gradiation", "ｸﾞﾗﾃﾞｰｼｮﾝ文字", "gradation.svg", nullptr, "mnuToolGradation_Click"},
        {"Left", "左寄せ", "left.svg", "format-justify-left", "mnuHtmlTextLeft_Click"},
        {"Center", "中央揃え", "center.svg", "format-justify-center", "mnuHtmlTextCenter_Click"},
        {"Right", "右寄せ", "right.svg", "format-justify-right", "mnuHtmlTextRight_Click"},
        {"Image", "ｲﾒｰｼﾞの挿入", "image.svg", "insert-image", "mnuHtmlImage_Click"},
        {"URL", "ﾘﾝｸの挿入", "url.svg", "insert-link", "mnuLink_Click"},
        {"Table", "表組の挿入", "table.svg", nullptr, "mnuHtmlTableTable_Click"},
        {"Browser", "ﾌﾞﾗｳｻﾞに表示", "browser.svg", "internet-web-browser", "mnuViewBrowser_Click"},
        {"Check", "ページの検査", "check.svg", nullptr, "mnuToolCheck_Click"},
    };
    return buttons;
}

void buildToolBar(QToolBar &bar, frmMain &frame)
{
    for (const ToolButton &button : toolButtons()) {
        const QIcon shipped(QStringLiteral(":/icons/") + QLatin1String(button.icon));
        const QIcon icon = button.themeIcon
                               ? QIcon::fromTheme(QLatin1String(button.themeIcon), shipped)
                               : shipped;
        const QString key = QLatin1String(button.key);
        QAction *action = bar.addAction(icon, key);
        action->setObjectName(key);
        action->setData(key);
        action->setToolTip(QString::fromUtf8(button.tooltip));
        QObject::connect(action, &QAction::triggered, &frame,
                         [&frame, key] { tbToolBar_ButtonClick(frame, key); });
    }
}

void wrapSelection(RichTextBox &box, const QString &tag)
{
    const int start = box.selStart();
    const int length = box.selLength();
    const QString open = QLatin1Char('<') + tag + QLatin1Char('>');
    putText(box, open + box.selText() + QStringLiteral("</") + tag + QLatin1Char('>'));
    box.select(start + int(open.size()), length);
}

void tbToolBar_ButtonClick(frmMain &frame, const QString &key)
{
    const ToolButton *button = findButton(key);
    if (!button)
        return;
    if (key == QLatin1String("New")) {
        NewDocument();
        return;
    }
    if (key == QLatin1String("Open")) {
        openDocumentCommand();
        return;
    }
    if (key == QLatin1String("Print")) {
        frame.run(QStringLiteral("mnuFilePrint_Click"));
        return;
    }

    frmDocument *doc = frame.activeDocument();
    if (!doc) {
        reportError(
            NoObjectError,
            QStringLiteral("オブジェクト変数または With ブロック変数が設定されていません。"));
        return;
    }
    if (button->handler) {
        doc->run(QLatin1String(button->handler));
    } else if (key == QLatin1String("Save")) {
        doc->run(doc->strFileName == frmDocument::NewFileName
                     ? QStringLiteral("mnuFileAdd_Click")
                     : QStringLiteral("mnuFileSave_Click"));
    } else if (key == QLatin1String("Cut")) {
        mnuEditCut_Click(*doc);
    } else if (key == QLatin1String("Copy")) {
        mnuEditCopy_Click(*doc);
    } else if (const QString tag = wrapTagOf(key); !tag.isEmpty()) {
        wrapSelection(*doc->txtText, tag);
    }
}
