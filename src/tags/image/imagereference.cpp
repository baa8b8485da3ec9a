#include "tags/image/imagereference.h"

#include "core/interaction.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/sharedstate.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>

QString imageFileFilter()
{
    return QStringLiteral("ｲﾒｰｼﾞﾌｧｲﾙ(*.jpg;*.jpeg;*.gif;*.png;*.webp;*.svg)|"
                          "*.jpg;*.jpeg;*.gif;*.png;*.webp;*.svg|全てのﾌｧｲﾙ(*.*)|*.*");
}

QString imageStartFolder(const QString &pagePath, const QString &lastImagePath)
{
    const QString lastFolder = FolderOf(lastImagePath);
    // "NewHtml" and other names without a folder: the page has no place yet.
    const QString pageFolder = FolderOf(pagePath);
    if (pageFolder.isEmpty() || !QDir::isAbsolutePath(pageFolder))
        return lastFolder;
    if (lastFolder.isEmpty())
        return pageFolder;
    const QString page = QDir::cleanPath(pageFolder);
    const QString last = QDir::cleanPath(lastFolder);
    const QString pagePrefix = page.endsWith(u'/') ? page : page + u'/';
    if (samePath(last, page) || samePath(last.left(pagePrefix.size()), pagePrefix))
        return lastFolder;
    return pageFolder;
}

void connectImageReference(QPushButton *button, QLineEdit *box, std::function<QString()> basePath,
                           std::function<void(const QString &chosen)> afterChoice)
{
    QObject::connect(button, &QPushButton::clicked, box,
                     [box, basePath = std::move(basePath), afterChoice = std::move(afterChoice)] {
                         Interaction::FileRequest request;
                         request.filter = imageFileFilter();
                         request.startFolder
                             = imageStartFolder(basePath(), shared().strLastImagePath);
                         const QString chosen = Interaction::current().openFileName(request);
                         if (chosen.isEmpty())
                             return;
                         shared().strLastImagePath = chosen;
                         SaveSettings();
                         if (afterChoice)
                             afterChoice(chosen);
                         box->setText(RelativePath(basePath(), chosen));
                     });
}
