#pragma once

class CliSession;

// nomira-cli scan FOLDER
int runScanCommand(CliSession& session);
