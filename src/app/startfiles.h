#pragma once

#include <QStringList>

class SingleInstance;

// The first document windows of a run: the files named on the command line, or, with none,
// a new document from the template question.
void openStartFiles(const QStringList &files);

// Files handed over by a later start: each is opened (or brought forward when already open)
// and the frame comes to the front.
void openHandedFiles(const QStringList &files);

// A later start: hands `files` to the running program and returns the exit code. Without
// files it ends at once; a running program that does not answer is reported.
int handOverToRunningInstance(const SingleInstance &instance, const QStringList &files);
