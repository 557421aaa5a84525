#include "execute/CheckRegistrationPrerequisites.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/Prompter.h"
#include "execute/ReadDocType.h"

bool CheckRegistrationPrerequisites(const RegistrationSetup& setup, Prompter& prompter) {
    if (!files::findFileNoCase(files::join(setup.agentFolder, "Quentdef.exe"))) {
        prompter.tell(Msg::AgentNotInstalled);
        return false;
    }
    const auto xml = files::findFileNoCase(files::join(setup.storageFolder, "quentdef.xml"));
    if (!xml) {
        prompter.tell(Msg::AgentDefinitionXmlMissing);
        return false;
    }
    const auto map = files::findFileNoCase(xml->substr(0, xml->size() - 4) + ".map");
    if (!map) {
        prompter.tell(Msg::AgentDefinitionMapMissing);
        return false;
    }
    const auto docType = ReadDocType(*map);
    if (!docType) {
        prompter.tell(Msg::AgentMapOpenFailed);
    }
    if (!docType || !cp932::equalsNoCase(*docType, setup.docType)) {
        prompter.tell(Msg::AgentDocTypeDiffers);
        return false;
    }
    return true;
}
