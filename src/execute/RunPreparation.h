#pragma once

class ExecuteDialogs;
class Prompter;
struct RenamePlan;
struct Settings;

// The checks of "実行" on the plan, in their order: the storage folder and the second folder,
// duplicate rename names, and by export type the export file name and the files it would
// overwrite. A failed check shows its message (or the operator refused) and returns false;
// nothing was touched then. On success the plan knows its export file and second copy, and the
// operator has been told which rows the run will not write (a file an earlier row writes, a name
// too long for the file system).
bool prepareRun(RenamePlan& plan, const Settings& settings, Prompter& prompter,
                ExecuteDialogs& dialogs);
