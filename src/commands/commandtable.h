#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QtGlobal>

// A menu command of a window with menus: the handler's name ("mnuFileSave_Click") and the free
// function that runs it on the window it acts on. Control arrays (mnuRecentFile,
// mnuInsertCharS, ...) take the item's index. Each feature lists its commands in a table
// declared in its header; the program adds the tables to the registry of the window type at
// start, and a window runs a command by its handler name.
template <class Target> struct Command
{
    const char *handler;
    void (*run)(Target &target) = nullptr;
    void (*runIndexed)(Target &target, int index) = nullptr;
};

template <class Target> using CommandTable = QList<Command<Target>>;

// The commands of one window type, gathered from the tables of its features.
template <class Target> class CommandRegistry
{
public:
    // Adds the commands of `table`. Adding a table twice changes nothing; one handler name given
    // two different functions is a programming error that would make a menu entry run the wrong
    // command, so it stops the program at start.
    static void add(const CommandTable<Target> &table)
    {
        for (const Command<Target> &command : table) {
            const QString name = QString::fromLatin1(command.handler);
            const auto found = commands().constFind(name);
            if (found == commands().constEnd()) {
                commands().insert(name, command);
                continue;
            }
            if (found->run != command.run || found->runIndexed != command.runIndexed)
                qFatal("Two commands are registered under the handler name %s", command.handler);
        }
    }

    static bool has(const QString &handler) { return commands().contains(handler); }

    // Runs the command registered under `handler`, with `index` for control arrays; false when
    // there is none.
    static bool run(Target &target, const QString &handler, int index = -1)
    {
        const auto found = commands().constFind(handler);
        if (found == commands().constEnd())
            return false;
        if (found->runIndexed)
            found->runIndexed(target, index);
        else if (found->run)
            found->run(target);
        return true;
    }

    static QStringList handlers() { return commands().keys(); }

private:
    static QHash<QString, Command<Target>> &commands()
    {
        static QHash<QString, Command<Target>> registered;
        return registered;
    }
};
