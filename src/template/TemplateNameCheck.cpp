#include "template/TemplateNameCheck.h"

#include "base/Cp932.h"
#include "template/TemplateFolder.h"

#include <algorithm>

bool isNameForbiddenChar(char c) {
    return c == '\t' || cp932::isForbiddenChar(c);
}

bool isSingleByteChar(std::string_view cp932Text) {
    if (cp932Text.size() != 1) {
        return false;
    }
    const auto c = static_cast<unsigned char>(cp932Text[0]);
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA1 && c <= 0xDF);
}

bool isJoiningChar(std::string_view cp932Text) {
    return isSingleByteChar(cp932Text) && !isNameForbiddenChar(cp932Text[0]);
}

TemplateNameVerdict checkTemplateName(std::string_view cp932Text,
                                      const std::vector<std::string>& existing,
                                      const TemplateFolder& folder) {
    TemplateNameVerdict v;
    v.name = cp932::trimBlanksWide(cp932Text);
    if (v.name.size() > TemplateFolder::kNameBytes) {
        v.refusal = Msg::EditorNameTooLong;
        return v;
    }
    if (v.name.empty()) {
        v.refusal = Msg::EditorNameEmpty;
        v.clearEdit = true;
        return v;
    }
    for (std::size_t i = 0; i < v.name.size(); i += cp932::charLength(v.name, i)) {
        if (cp932::charLength(v.name, i) == 1 && isNameForbiddenChar(v.name[i])) {
            v.refusal = Msg::EditorNameInvalid;
            return v;
        }
    }
    if (std::any_of(existing.begin(), existing.end(),
                    [&](const std::string& e) { return cp932::equalsNoCase(e, v.name); })) {
        v.refusal = Msg::EditorNameExists;
        return v;
    }
    if (folder.pathOf(v.name).size() >= TemplateFolder::kPathLimit) {
        v.refusal = Msg::TemplatePathTooLong255;
    }
    return v;
}
