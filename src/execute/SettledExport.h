#pragma once

#include <string>

class FileChanges;
class Prompter;
struct RunLog;
struct Settings;
struct Template;

// The export file of a run that was cut off before it wrote it. Once the run is settled the
// operator may have it written for the rows that were finished, under the rules the run itself
// followed: the same file, the same format (the export type, the add-text setting, the
// template's columns and sort), the rows in the run's order, and the same second copy.
namespace settledexport {

enum class State {
    None,    // the run writes no export file
    Written, // the run wrote it
    Missing, // the run was cut off before it was written
};
State of(const RunLog& log);

// Whether the program's template and settings are still those of the run, so that the file can
// be written as the run would have written it: the export type writes one export file, the
// template is the run's (name, storage folder, columns).
bool writable(const RunLog& log, const Template& t, const Settings& settings);

// Writes the export file (and its second copy) through the run's journal, so that undoing the
// run removes them again. A failure is told to the operator; false then.
bool write(FileChanges& changes, Prompter& prompter, const RunLog& log, const Template& t,
           const Settings& settings);

} // namespace settledexport
