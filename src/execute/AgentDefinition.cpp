#include "execute/AgentDefinition.h"

#include "base/FileSystem.h"
#include "template/DefinitionXml.h"

namespace agentdefinition {

std::optional<exportlines::AgentDefaults> readDefaults(const std::string& storageFolder) {
    const auto name = files::findNoCase(storageFolder, kFileName);
    if (!name) {
        return std::nullopt;
    }
    const auto xml = DefinitionXml::read(files::join(storageFolder, *name));
    if (!xml) {
        return std::nullopt;
    }
    return exportlines::AgentDefaults{xml->cabinetName, xml->folderName};
}

} // namespace agentdefinition
