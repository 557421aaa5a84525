#pragma once

class CliSession;

// nomira-cli assign [state options] [operations]: builds the state of a main window, carries out
// the operations and reports the assignments, the marks and the command states.
int runAssignCommand(CliSession& session);
