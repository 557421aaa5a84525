#pragma once

class CliSession;

// nomira-cli preview FILE
int runPreviewCommand(CliSession& session);
