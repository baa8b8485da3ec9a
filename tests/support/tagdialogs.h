#pragma once

// Every tag dialog of the program, for the tests that walk them all.

#include <QDialog>
#include <QList>

#include <functional>
#include <memory>

struct NamedDialog
{
    const char *name;
    std::function<std::unique_ptr<QDialog>()> load; // a freshly loaded dialog
};

const QList<NamedDialog> &allTagDialogs();
