#include "template/ReferenceValues.h"

#include "app/ProgramLauncher.h"
#include "base/FileSystem.h"
#include "base/Prompter.h"
#include "template/DefinitionMap.h"
#include "template/DefinitionXml.h"
#include "template/TemplateEditGrid.h"

ReferenceValues::ReferenceValues(Agent agent, ProgramLauncher& launcher, Prompter& prompter)
    : m_agent(std::move(agent)), m_launcher(launcher), m_prompter(prompter) {
}

bool ReferenceValues::start(LaunchRequester& requester, std::time_t now) {
    const auto program = files::findFileNoCase(files::join(m_agent.folder, kProgram));
    if (!program) {
        m_prompter.tell(Msg::EditorDefinitionProgramMissing);
        return false;
    }
    m_startStamp = definitionmap::timeStamp(now);
    // The editor is still open when the program ends, so the window stays busy on failure too.
    return m_launcher.launchWatched(requester, "\"" + *program + "\"",
                                    ProgramLauncher::kDefinitionsReady, nullptr,
                                    ProgramLauncher::ModalOnFailure::Keep);
}

std::optional<ReferenceValues::Applied> ReferenceValues::definitionsReady(TemplateEditGrid& grid) {
    if (m_startStamp.empty()) {
        return std::nullopt;
    }
    const auto xmlPath =
        definitionmap::lastDefinition(m_agent.profilePath, m_agent.registryPath, m_agent.key);
    if (!xmlPath) {
        return std::nullopt;
    }
    const auto outcome = definitionmap::load(*xmlPath, m_startStamp, grid.csvRowNum());
    const bool missing = outcome.refusal == Msg::EditorDefinitionXmlMissing ||
                         outcome.refusal == Msg::EditorDefinitionMapMissing;
    if (missing) {
        m_prompter.tell(*outcome.refusal);
        return std::nullopt;
    }
    if (!outcome.refusal && !outcome.map) {
        return std::nullopt; // the program wrote no new definition
    }
    // The XML is read before the map; a broken one is told and the last names stay.
    if (const auto xml = DefinitionXml::read(*xmlPath)) {
        m_cabinetName = xml->cabinetName;
        m_folderName = xml->folderName;
    } else {
        m_prompter.tell(Msg::EditorXmlLoadFailed);
    }
    if (outcome.refusal) {
        m_prompter.tell(*outcome.refusal);
        return std::nullopt;
    }
    definitionmap::apply(*outcome.map, grid);
    return Applied{outcome.map->docType, files::parentFolder(*xmlPath)};
}
