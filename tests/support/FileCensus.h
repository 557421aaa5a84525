#pragma once

#include <map>
#include <string>

// Every regular file below a folder, at any depth, by its path relative to the folder (cp932),
// with its bytes: what a test compares before and after to prove that no file was lost or
// changed.
using FileCensus = std::map<std::string, std::string>;
FileCensus fileCensus(const std::string& folder);
