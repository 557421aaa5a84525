#include "base/ProgramModule.h"

#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

std::vector<std::string> candidates(const char* fileName) {
    std::vector<std::string> out;
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        out.push_back((program.parent_path() / fileName).string());
    }
    out.push_back(std::string(NOMIRA_MODULE_DIR) + "/" + fileName);
    out.emplace_back(fileName);
    return out;
}

} // namespace

void* programmodule::entry(const char* fileName, const char* entryName) {
    for (const std::string& candidate : candidates(fileName)) {
        if (void* handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            return ::dlsym(handle, entryName);
        }
    }
    return nullptr;
}
