#include "base/RegistryStore.h"

#include "base/TextCodec.h"

#include <cstdlib>

std::string RegistryStore::defaultPath() {
    const char* env = std::getenv("NOMIRA_REGISTRY");
    return (env != nullptr && *env != '\0') ? textcodec::utf8ToCp932(env)
                                            : "/etc/nomira/registry.ini";
}

std::optional<std::string> RegistryStore::value(std::string_view keyPath,
                                                std::string_view name) const {
    // Registry strings may be long; a path value never exceeds the profile's largest buffer.
    return m_file.read(keyPath, name, 65536);
}
