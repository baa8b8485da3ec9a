#include "core/htmlview.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

HtmlView::Maker &installed()
{
    static HtmlView::Maker maker;
    return maker;
}

} // namespace

HtmlView::Maker HtmlView::installMaker(Maker maker)
{
    return std::exchange(installed(), std::move(maker));
}

HtmlView *HtmlView::make(QWidget *parent)
{
    if (installed())
        return installed()(parent);
    return new TextHtmlView(parent);
}

TextHtmlView::TextHtmlView(QWidget *parent)
    : HtmlView(parent)
    , m_browser(new QTextBrowser(this))
{
    m_browser->setOpenLinks(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
}

void TextHtmlView::setHtml(const QString &html)
{
    rememberHtml(html);
    m_browser->setHtml(html);
}
