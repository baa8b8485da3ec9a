#pragma once

#include <QList>

class frmDocument;

// A menu command of the document window: the handler's name ("mnuFileSave_Click") and the
// free function that runs it. Control arrays (mnuRecentFile, mnuInsertCharS, ...) take the
// item's index. Each subsystem lists its commands in a function returning such a table; the
// document window collects those tables, builds its menus' enabling from them, and runs a
// command by its handler name (frmDocument::run).
struct DocumentCommand
{
    const char *handler;
    void (*run)(frmDocument &doc) = nullptr;
    void (*runIndexed)(frmDocument &doc, int index) = nullptr;
};

using DocumentCommandTable = QList<DocumentCommand>;
