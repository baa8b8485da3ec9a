#pragma once

#include "mainwindow/framecommands.h"

class frmCheckResults;

// The page check: "ページの検査" of the document window's Tool menu (and the toolbar), and
// "フォルダを検査" of the explorer pane's menus, for the frame and for the document window.
DocumentCommandTable documentCheckCommands();
FrameCommandTable frameCheckCommands();
void registerCheckCommands();

// The frame's results list, made and docked below the documents the first time it is needed.
frmCheckResults *checkResults(frmMain &frame);

// Checks every page under `folder` under a progress window with a Cancel button and lists the
// results grouped by page.
void checkFolderWithProgress(frmMain &frame, const QString &folder);
