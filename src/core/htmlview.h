#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QTextBrowser;

// A view that shows an HTML page given as text, such as the gradation preview. The program
// installs a maker that shows the page in the web engine; without one (the test programs that
// do not link the web engine) the page is shown by a rich-text browser.
class HtmlView : public QWidget
{
    Q_OBJECT

public:
    using Maker = std::function<HtmlView *(QWidget *parent)>;

    using QWidget::QWidget;

    // Installs the maker and returns the one it replaces; an empty maker removes it.
    static Maker installMaker(Maker maker);
    // A new view from the installed maker, else a rich-text one.
    static HtmlView *make(QWidget *parent);

    virtual void setHtml(const QString &html) = 0;
    // The page last given to setHtml.
    const QString &html() const { return m_html; }

protected:
    void rememberHtml(const QString &html) { m_html = html; }

private:
    QString m_html;
};

// The view without the web engine: a rich-text browser filling the view.
class TextHtmlView : public HtmlView
{
    Q_OBJECT

public:
    explicit TextHtmlView(QWidget *parent = nullptr);

    void setHtml(const QString &html) override;
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
};
