#pragma once

#include "core/htmlview.h"

class QWebEngineView;

// The HTML view in the web engine, as the program shows the gradation preview.
class WebHtmlView : public HtmlView
{
    Q_OBJECT

public:
    explicit WebHtmlView(QWidget *parent = nullptr);

    void setHtml(const QString &html) override;
    QWebEngineView *view() const { return m_view; }

private:
    QWebEngineView *m_view;
};

// Makes every HtmlView of the program a web-engine view.
void installWebHtmlViews();
