#pragma once

#include <QString>

// The built-in browser, the web HTML views and the live preview run on the web engine, a very
// large library. The program does not link it: it lives in a module of its own, loaded the
// first time a preview is shown, so the program starts without paying for it.

// The module's file name.
QString previewModuleName();

// The preview module for a program in `programFolder`: beside the program (the build tree),
// else in the installed library folder; empty when neither holds it.
QString previewModuleFor(const QString &programFolder);

// Installs makers for the browser window, the HTML views and the live preview's view that load
// the module at `moduleFile` when first called and then hand over to the makers it installs.
// When the module cannot be loaded, showing the browser or the live preview says so and shows
// nothing, and HTML views fall back to the rich-text view; the next preview tries again.
void installPreviewOnDemand(const QString &moduleFile);

// Loads the module and lets it install its makers now; false (and `error` says why) when it
// cannot be loaded. Loading it again does nothing more.
bool loadPreviewModule(const QString &moduleFile, QString *error);
