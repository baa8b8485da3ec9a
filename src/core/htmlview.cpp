#include "core/htmlview.h"

#include "core/hook.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

Hook<HtmlView *(QWidget *)> maker;

} // namespace

HtmlView::Maker HtmlView::installMaker(Maker viewMaker)
{
    return maker.install(std::move(viewMaker));
}

HtmlView *HtmlView::make(QWidget *parent)
{
    if (maker)
        return maker(parent);
    return new TextHtmlView(parent);
}

TextHtmlView::TextHtmlView(QWidget *parent) : HtmlView(parent), m_browser(new QTextBrowser(this))
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
