#pragma once

#include "mainwindow/framecommands.h"

class BrowserWindow;

// The preview command (the document window's "WWWﾌﾞﾗｳｻﾞに表示" and its context-menu twin), the
// frame's "WWW ﾌﾞﾗｳｻﾞ" and the Help menu's two web sites, in the built-in browser window or an
// external browser program.
DocumentCommandTable documentPreviewCommands();
FrameCommandTable framePreviewCommands();
void registerPreviewCommands();

// Shows `address` in the built-in browser window: the window shown so far (and its history)
// is discarded and a new one opens the address in front. Returns the new window; nullptr when
// the program has no built-in browser.
BrowserWindow *showInBuiltInBrowser(frmMain &frame, const QString &address);
// The built-in browser window now shown, or nullptr.
BrowserWindow *builtInBrowserWindow();
