#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Asks for a phrase's display name and text. The result reads "Cancel" until OK finds both
// filled in; then it is empty and the dialog hides.
class dlgTeikeiInput : public QDialog
{
    Q_OBJECT

public:
    static inline const QString Cancel = QStringLiteral("Cancel");

    explicit dlgTeikeiInput(QWidget *parent = nullptr);

    QLineEdit *txtTitle;
    QPlainTextEdit *txtTeikei;
    QPushButton *OKButton;
    QPushButton *CancelButton;

    const QString &resultString() const { return m_result; }
    bool isCancelled() const { return m_result == Cancel; }

    // The fields, the text with CR LF line breaks.
    QString title() const;
    QString phraseText() const;
    void setFields(const QString &title, const QString &text);

    void accept() override;
    void reject() override;

private:
    QString m_result = Cancel;
};
