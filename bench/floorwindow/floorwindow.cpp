// The floor of start-up: the smallest editor window the toolkit makes, started as a program of
// its own with a page, as Orvine is. It shows the page in a QPlainTextEdit inside a
// QMainWindow, in Orvine's text font, writes "floor: frame painted" once the window has first
// painted, and ends.
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTimer>

#include <cstdio>

namespace {

class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_fired && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == m_window) {
            m_fired = true;
            QTimer::singleShot(0, this, [] {
                std::printf("floor: frame painted\n");
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
    bool m_fired = false;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto *edit = new QPlainTextEdit(&window);
    QFont font(QStringLiteral("Noto Sans Mono CJK JP"));
    font.setPointSizeF(13.5);
    edit->setFont(font);
    window.setCentralWidget(edit);
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (file.open(QIODevice::ReadOnly)) {
            QStringDecoder decode("Shift_JIS");
            edit->setPlainText(decode(file.readAll()));
        }
    }
    window.resize(1000, 700);
    FirstPaint watch(&window);
    window.show();
    return QApplication::exec();
}
