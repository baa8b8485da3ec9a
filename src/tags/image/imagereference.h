#pragma once

#include <QString>

#include <functional>

class QLineEdit;
class QPushButton;

// The picture files the reference buttons of the image and body dialogs offer, written the
// classic way ("Description|patterns|..."): the pictures browsers show, then every file.
QString imageFileFilter();

// Where the picture file dialog starts for a page at `pagePath`: the folder of the picture
// chosen last when it lies in the page's folder or below it (the site's own picture folder),
// else the page's folder. A page without a folder (never saved) starts at the last picture.
QString imageStartFolder(const QString &pagePath, const QString &lastImagePath);

// A picture reference button: asks for a picture starting at imageStartFolder(basePath(), the
// last picture); a chosen file becomes the last picture (strLastImagePath, stored at once),
// `afterChoice` runs with its full path and `box` receives its path relative to basePath().
// A cancelled dialog changes nothing.
void connectImageReference(QPushButton *button, QLineEdit *box, std::function<QString()> basePath,
                           std::function<void(const QString &chosen)> afterChoice = {});
