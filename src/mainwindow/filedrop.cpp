#include "mainwindow/filedrop.h"

#include "core/droppedfiles.h"
#include "mainwindow/documentio.h"

#include <QDropEvent>
#include <QWidget>

namespace {

class FileDropFilter : public QObject
{
public:
    FileDropFilter(QWidget *target, std::function<void(const QStringList &)> open)
        : QObject(target), m_open(std::move(open))
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (droppedFiles(drag->mimeData()).isEmpty())
                return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            const QStringList files = droppedFiles(drop->mimeData());
            if (files.isEmpty())
                return false;
            drop->acceptProposedAction();
            m_open(files);
            return true;
        }
        default: return QObject::eventFilter(watched, event);
        }
    }

private:
    std::function<void(const QStringList &)> m_open;
};

} // namespace

void acceptFileDrops(QWidget *target, std::function<void(const QStringList &)> open)
{
    target->setAcceptDrops(true);
    target->installEventFilter(new FileDropFilter(target, std::move(open)));
}

void openDroppedFiles(const QStringList &files)
{
    for (const QString &file : files)
        ReadDoc(file);
}
