#pragma once

class CliSession;

// nomira-cli undo [--dry-run] [JOURNAL]: undoes the last run of the data folder (or the run of
// JOURNAL), finished or cut off, as the menu item does, and reports every path it restored or
// removed.
int runUndoCommand(CliSession& session);
