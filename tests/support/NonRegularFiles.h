#pragma once

#include "support/TempDir.h"

#include <functional>
#include <string>
#include <vector>

// Paths that name something other than a regular file: a FIFO without a writer (which blocks a
// plain open for reading), a character device and a folder, each under the name a list, template
// or settings file would have.
struct NonRegularFile {
    std::string label;
    std::string path;
};
std::vector<NonRegularFile> nonRegularFiles(const TempDir& dir, const std::string& name);

// Runs f and tells whether it came back within a few seconds. When it does not, every FIFO in the
// folder gets a writer that goes away at once, so that a reader blocked on one returns and the
// test fails instead of hanging.
bool finishesWithoutBlocking(const TempDir& dir, const std::function<void()>& f);
