#pragma once

#include <QTextBrowser>

class QHelpEngineCore;

// A text browser that reads the pages and pictures of a help collection.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    HelpBrowser(QHelpEngineCore &engine, QWidget *parent = nullptr);

    QVariant loadResource(int type, const QUrl &name) override;

private:
    QHelpEngineCore &m_engine;
};
