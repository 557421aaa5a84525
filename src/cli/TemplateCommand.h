#pragma once

class CliSession;

// nomira-cli template list | show FILE.tpl | rewrite IN.tpl OUT.tpl
int runTemplateCommand(CliSession& session);
