#pragma once

#include "document/documentcommand.h"

#include <QString>

// All commands of the document window, gathered from the tables of the subsystems.
const DocumentCommandTable &allDocumentCommands();
// The command registered under `handler` ("mnuFileSave_Click"), or nullptr.
const DocumentCommand *findDocumentCommand(const QString &handler);
