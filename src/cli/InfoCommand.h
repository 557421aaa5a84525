#pragma once

#include "image/ImageSettings.h"

#include <string>

class CliSession;

// nomira-cli info FILE...
int runInfoCommand(CliSession& session);

// The image settings of a data folder as the main window holds them after opening (the TargetExt
// default is written when absent); defaults when dataFolder is empty. The converter is looked for
// beside nomira-cli first.
ImageSettings loadImageSettings(const std::string& dataFolder);
