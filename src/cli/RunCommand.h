#pragma once

class CliSession;

// nomira-cli names: the dry run of "実行" on the working state (its checks and questions, the
// plan, no file touched). nomira-cli run: "実行" carried out, and what it did.
int runNamesCommand(CliSession& session);
int runRunCommand(CliSession& session);
