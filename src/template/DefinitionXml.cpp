#include "template/DefinitionXml.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/TextCodec.h"

#include <pugixml.hpp>

namespace {

bool declaresShiftJis(const pugi::xml_document& doc) {
    for (const pugi::xml_node node : doc.children()) {
        if (node.type() == pugi::node_declaration) {
            const std::string encoding = cp932::toUpperAscii(node.attribute("encoding").value());
            return encoding == "SHIFT_JIS" || encoding == "SHIFT-JIS" || encoding == "SJIS" ||
                   encoding == "CP932" || encoding == "WINDOWS-31J" || encoding == "MS932";
        }
    }
    return false;
}

} // namespace

std::optional<DefinitionXml> DefinitionXml::read(const std::string& xmlPath) {
    const auto content = files::readAll(xmlPath);
    pugi::xml_document doc;
    // Shift-JIS bytes are taken as they are; the declaration tells how to read them back.
    if (!content ||
        !doc.load_buffer(content->data(), content->size(),
                         pugi::parse_default | pugi::parse_declaration, pugi::encoding_utf8)) {
        return std::nullopt;
    }
    const bool shiftJis = declaresShiftJis(doc);
    auto text = [&](const char* element) {
        const std::string value =
            doc.select_node((std::string("//") + element).c_str()).node().child_value();
        return shiftJis ? value : textcodec::utf8ToCp932(value);
    };
    return DefinitionXml{text("CabinetName"), text("FolderName")};
}
