#pragma once

#include "check/pagecheckoptions.h"
#include "options/optionvalues.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTabBar;

// The options: the browser for previews, the live preview, the image editing program, the explorer
// pane's behaviour, tag colouring and the author name, on three tabs. OK stores them all and saves
// every setting; Cancel stores nothing.
class frmOptions : public QDialog
{
    Q_OBJECT

public:
    explicit frmOptions(QWidget *parent = nullptr);

    QTabBar *tbsOptions;
    QList<QWidget *> picOptions;
    QGroupBox *Frame1;
    QLabel *Label1;
    QLineEdit *txtDrawName;
    QPushButton *cmdImageToolRef;
    QGroupBox *fraBrowse;
    QList<QRadioButton *> Option1;
    QLineEdit *txtBrowzeName;
    QPushButton *cmdBrowzeRef;
    QGroupBox *fraLivePreview;
    QSpinBox *spnLivePreviewDelay;
    QCheckBox *chkLivePreviewNetwork;
    QCheckBox *chkLivePreviewFollowCaret;
    QCheckBox *chkLivePreviewClickToSource;
    QCheckBox *chkTrvHide;
    QCheckBox *chkTreePathChange;
    QCheckBox *chkWInCheck;
    QCheckBox *chkTagColor;
    // The help while typing: the list of names, end tags, line numbers, lower-case tag names.
    QGroupBox *fraTyping;
    QCheckBox *chkCompletion;
    QCheckBox *chkClosingTags;
    QCheckBox *chkLineNumbers;
    QCheckBox *chkLowerCaseTags;
    QCheckBox *chkMatchingTags;
    QLabel *Label2;
    QLineEdit *txtAuthor;
    QGroupBox *fraRecovery;
    QSpinBox *spnRecoveryIdle;
    QSpinBox *spnRecoveryLarge;
    // The page check: message ids to hide, the HTML version of pages without a DOCTYPE, and
    // the accessibility checks.
    QGroupBox *fraPageCheck;
    QLineEdit *txtCheckHiddenIds;
    QComboBox *cboCheckVersion;
    QCheckBox *chkCheckAccess;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
    QPushButton *cmdApply;

    // The controls as option values, and the reverse.
    OptionValues fields() const;
    void apply(const OptionValues &values);
    PageCheckOptions pageCheckFields() const;
    void applyPageCheck(const PageCheckOptions &options);

    // Shows panel `index` and disables the others.
    void tbsOptions_Click(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildToolPanel();
    QWidget *buildWindowPanel();
    QWidget *buildDefaultPanel();
    void enableBrowserPath();
    void cmdOK_Click();

    QStackedWidget *m_panels;
};
