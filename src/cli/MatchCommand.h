#pragma once

class CliSession;

// nomira-cli match [state options] [operations] [--min-score S]: builds the state of a main
// window, carries out the operations, then reads every unassigned image and reports the row each
// one suggests. Assigns nothing and touches no file.
int runMatchCommand(CliSession& session);
