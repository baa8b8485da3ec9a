#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvine"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Orvine"));
    window.show();
    return app.exec();
}
