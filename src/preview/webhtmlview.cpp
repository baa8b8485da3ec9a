#include "preview/webhtmlview.h"

#include <QVBoxLayout>
#include <QWebEngineView>

WebHtmlView::WebHtmlView(QWidget *parent) : HtmlView(parent), m_view(new QWebEngineView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

void WebHtmlView::setHtml(const QString &html)
{
    rememberHtml(html);
    m_view->setHtml(html);
}

void installWebHtmlViews()
{
    HtmlView::installMaker([](QWidget *parent) -> HtmlView * { return new WebHtmlView(parent); });
}
