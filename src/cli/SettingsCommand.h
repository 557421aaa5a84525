#pragma once

class CliSession;

// nomira-cli settings
int runSettingsCommand(CliSession& session);
