#include "document/commandregistry.h"

#include <QHash>

// Declares a subsystem's table function where it is used and appends its commands, so that a
// subsystem joins with one line below and no header.
#define COMMAND_TABLE(function)              \
    do {                                     \
        extern DocumentCommandTable function(); \
        table += function();                 \
    } while (false)

const DocumentCommandTable &allDocumentCommands()
{
    static const DocumentCommandTable all = [] {
        DocumentCommandTable table;
        COMMAND_TABLE(fileCommands);
        COMMAND_TABLE(insertCommands);
        COMMAND_TABLE(pageHeadCommands);
        COMMAND_TABLE(tableCommands);
        COMMAND_TABLE(retagCommands);
        COMMAND_TABLE(toolCommands);
        return table;
    }();
    return all;
}

const DocumentCommand *findDocumentCommand(const QString &handler)
{
    static const QHash<QString, const DocumentCommand *> byName = [] {
        QHash<QString, const DocumentCommand *> map;
        for (const DocumentCommand &command : allDocumentCommands())
            map.insert(QString::fromLatin1(command.handler), &command);
        return map;
    }();
    return byName.value(handler, nullptr);
}
