#pragma once

class CliSession;

// nomira-cli check --template FILE.tpl LIST.csv
int runCheckCommand(CliSession& session);
