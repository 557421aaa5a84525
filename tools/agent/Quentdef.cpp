// Stand-in for the registration agent's definition program. It writes a definition pair,
// quentdef.xml and quentdef.map, into its monitored folder and remembers the xml's path as the
// agent's last definition. Values come from Quentdef.ini in the agent's home folder; the arguments
// /o=FOLDER and /t=DOCTYPE override the folder and the document type.
#include "AgentJob.h"

#include "base/FileSystem.h"
#include "base/ProfileFile.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kSection = "Definition";

std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

struct Property {
    std::string name;
    std::string field;
};

// "Name:Field;Name:Field"
std::vector<Property> propertiesOf(const std::string& text) {
    std::vector<Property> properties;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find(';', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string item = text.substr(start, end - start);
        const auto colon = item.find(':');
        if (colon != std::string::npos && colon > 0) {
            properties.push_back({item.substr(0, colon), item.substr(colon + 1)});
        }
        start = end + 1;
    }
    return properties;
}

} // namespace

int main(int argc, char** argv) {
    const std::string home = agent::homeFolder();
    const ProfileFile settings(home + "Quentdef.ini");
    std::string folder = settings.readString(kSection, "Folder");
    std::string docType = settings.readString(kSection, "DocType", "Document");
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("/o=", 0) == 0) {
            folder = arg.substr(3);
        } else if (arg.rfind("/t=", 0) == 0) {
            docType = arg.substr(3);
        } else {
            std::fprintf(stderr, "Quentdef: unknown argument %s\n", arg.c_str());
            return 64;
        }
    }
    if (folder.empty() || !files::isDirectory(folder)) {
        std::fprintf(stderr, "Quentdef: no monitored folder (Folder= or /o=)\n");
        return 2;
    }
    const std::string cabinet = settings.readString(kSection, "CabinetName", "Cabinet");
    const std::string folderName = settings.readString(kSection, "FolderName", "Folder");
    const auto properties = propertiesOf(settings.readString(kSection, "Properties"));

    std::string xml = "<?xml version=\"1.0\"?>\r\n<Quentdef>\r\n  <DocType>" + xmlEscaped(docType) +
                      "</DocType>\r\n  <CabinetName>" + xmlEscaped(cabinet) +
                      "</CabinetName>\r\n  <FolderName>" + xmlEscaped(folderName) +
                      "</FolderName>\r\n  <Properties>\r\n";
    std::string map = "<DocType>," + docType + "\r\n<CabinetName>," +
                      settings.readString(kSection, "CabinetField", "0") + "\r\n<FolderName>," +
                      settings.readString(kSection, "FolderField", "0") + "\r\n<DocName>," +
                      settings.readString(kSection, "DocNameField", "1") + "\r\n";
    for (const auto& p : properties) {
        xml += "    <Property name=\"" + xmlEscaped(p.name) + "\" field=\"" + xmlEscaped(p.field) +
               "\"/>\r\n";
        map += p.name + "," + p.field + "\r\n";
    }
    xml += "  </Properties>\r\n</Quentdef>\r\n";

    const std::string xmlPath = files::join(folder, "quentdef.xml");
    if (!files::writeAtomically(xmlPath, xml) ||
        !files::writeAtomically(files::join(folder, "quentdef.map"), map)) {
        std::fprintf(stderr, "Quentdef: cannot write the definition into %s\n", folder.c_str());
        return 1;
    }
    files::createDirectory(home + "ini");
    ProfileFile(home + "ini/RegistKey.ini").write("WorkPath", "LastPath", xmlPath);
    return 0;
}
