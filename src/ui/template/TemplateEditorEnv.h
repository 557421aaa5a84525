#pragma once

#include "template/ReferenceValues.h"

#include <string>

class ProgramLauncher;
class Prompter;
class TemplateFolder;

// What the template editor's windows need from the main window.
struct TemplateEditorEnv {
    const TemplateFolder& folder;
    Prompter& prompter;
    std::string dataFolder;
    int csvRowNum = 300;
    // "参照値設定..." is offered: agent export type with the registration agent installed.
    bool referenceValues = false;
    // The launcher of the definition program and where the agent lives; without a launcher the
    // button stays hidden.
    ProgramLauncher* launcher = nullptr;
    ReferenceValues::Agent agent;
};
