#include "app/startup.h"
#include "preview/frmbrowser.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvine"));
    QApplication::setOrganizationName(QStringLiteral("Orvine"));
    installBuiltInBrowser();
    return Main();
}
