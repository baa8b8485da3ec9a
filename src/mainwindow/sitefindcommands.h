#pragma once

#include "mainwindow/framecommands.h"

// "フォルダ内の検索・置換" of the document window's Edit menu (on the page's folder) and of the
// explorer pane's menus (on the folder chosen there).
DocumentCommandTable documentSiteFindCommands();
FrameCommandTable frameSiteFindCommands();
void registerSiteFindCommands();
