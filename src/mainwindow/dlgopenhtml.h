#pragma once

#include <QDialog>
#include <QList>

class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The template dialog of a new document. Its result is the text for the new document, or
// "Cancel" when the user cancelled.
class dlgOpenHtml : public QDialog
{
    Q_OBJECT

public:
    explicit dlgOpenHtml(QWidget *parent = nullptr);

    QString strResult = QStringLiteral("Cancel");

    QList<QRadioButton *> optTemplate; // 0 blank, 1 the standard template, 2 the user's own
    QPlainTextEdit *txtTemplate = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;

    void optTemplate_Click(int Index);
    void OKButton_Click();
    void CancelButton_Click();
};
