#pragma once

#include "tags/gradation/gradationformat.h"
#include "tags/shared/tagdialog.h"

class ColorBox;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class HtmlView;

// Gradation text: the user picks a start and an end colour by double-clicking their boxes,
// builds the coloured HTML with 作成, sees it previewed and takes it with OK. OK stays disabled
// until something was built, 作成 until a colour was chosen. The close box cancels.
class frmGradation : public TagDialog
{
    Q_OBJECT

public:
    using Values = GradationValues;

    explicit frmGradation(QWidget *parent = nullptr);

    Values fields() const;
    void apply(const Values &values);

    QPlainTextEdit *txtIn;
    ColorBox *picStartCol;
    QLabel *Label4;
    ColorBox *picEndCol;
    QCheckBox *chkKurikaeshi;
    QPushButton *cmdGradetion;
    QPlainTextEdit *txtOut;
    HtmlView *WebBrowser1; // preview of the built HTML: the web engine in the program

    // 作成: builds the HTML into txtOut, previews it and enables OK.
    void cmdGradetion_Click();

protected:
    QString buildResult() override;

private:
    void pickColor(ColorBox *box);
    void showPreview(const QString &fragment);
};
