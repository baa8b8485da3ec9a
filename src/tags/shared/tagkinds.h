#pragma once

#include <QString>

#include <array>

class frmDocument;

// One re-edit routine: its name, the test its selection must pass, and the routine itself,
// which runs only on a selection its test accepted (null while that kind is not re-editable).
struct ReEditRoutine
{
    const char *name;
    bool (*accepts)(const QString &selText);
    using Run = void (*)(frmDocument &doc);
    Run run;
};

// The eighteen routines in the order in which TagEdit offers them the selection. The tests
// look only at the selection's beginning (and for headings and BODY its end), so look-alikes
// pass too: <LINK> goes to the LI routine, <THEAD> to the cell routine.
const std::array<ReEditRoutine, 18> &reEditRoutines();

// Plugs a family's routine into its place in the order (the families register theirs at
// start); false when no routine has that name.
bool setReEditRoutine(const char *name, ReEditRoutine::Run run);

// Name of the first routine whose test accepts `selText`, or empty when none does.
QString reEditRoutineFor(const QString &selText);

// Whether the text's context menu offers "編集" for the selection `selText`.
bool tagEditMenuVisible(const QString &selText);
