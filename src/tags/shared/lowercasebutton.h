#pragma once

class QLineEdit;
class QPushButton;
class QString;
class QWidget;

// The button "小文字変換(&L)" that turns the text of `box` into lower case (file names typed on
// systems that ignore letter case).
QPushButton *makeLowerCaseButton(QWidget *parent, const QString &name, QLineEdit *box);
