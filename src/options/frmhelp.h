#pragma once

#include <QWidget>

class QHelpEngine;
class QLineEdit;
class QTabWidget;
class QTextBrowser;

// The help window: the user's guide from a Qt Help collection, with its table of contents and
// its keyword index beside the page. One window serves the whole program.
class frmHelp : public QWidget
{
    Q_OBJECT

public:
    enum class View { Contents, KeywordSearch };

    // Shows the guide of `collectionFile` on its contents page or on the keyword search with
    // an empty keyword. False, with the reason in `error`, when the collection cannot be read.
    static bool open(const QString &collectionFile, View view, QString *error);
    // The open help window, or nullptr.
    static frmHelp *instance();

    QHelpEngine *engine() const { return m_engine; }
    QTabWidget *tabHelp;
    QLineEdit *txtKeyword;
    QTextBrowser *txtPage;

    // Shows the page at `url` (a qthelp:// address of the collection).
    void showPage(const QUrl &url);
    void showView(View view);
    // Narrows the keyword list to the keywords holding `typed` in either width of kana, and
    // selects the best of them.
    void filterKeywords(const QString &typed);

private:
    frmHelp(QHelpEngine *engine, const QString &collectionFile);

    QHelpEngine *m_engine;
    QString m_collectionFile;
};
