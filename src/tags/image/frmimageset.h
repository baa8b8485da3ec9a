#pragma once

#include "tags/image/imageformat.h"
#include "tags/shared/tagdialog.h"

#include <QList>

class QLineEdit;
class QPushButton;
class QRadioButton;

// An IMG tag. Choosing the picture with cmdRefImage writes its path relative to the document
// and fills the size boxes with its size in pixels.
class frmImageSet : public TagDialog
{
    Q_OBJECT

public:
    frmImageSet();

    QLineEdit *txtImageName;
    QPushButton *cmdRefImage;
    QPushButton *cmdLcase;
    QLineEdit *txtAlt;
    QLineEdit *txtName;
    QLineEdit *txtBorder;
    QLineEdit *txtWidth;
    QLineEdit *txtHeight;
    QLineEdit *txtHspace;
    QLineEdit *txtVspace;
    QList<QRadioButton *> optTextPos;

    using Values = ImageFields;
    ImageFields fields() const;
    void apply(const ImageFields &values);

    // Fills the size boxes with the size of the picture in `path`; a file that cannot be
    // measured leaves them as they are and tells why.
    void measureImage(const QString &path);

protected:
    bool validate() override;
    QString buildResult() override;
};
