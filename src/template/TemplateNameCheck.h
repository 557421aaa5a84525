#pragma once

#include "base/Messages.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TemplateFolder;

// The name input's verdict on a new template name: the trimmed name, or the refusal and whether
// the edit is to be cleared.
struct TemplateNameVerdict {
    std::string name;
    std::optional<Msg> refusal;
    bool clearEdit = false;
};

// Trims half-width and full-width blanks, then checks length (20 bytes), emptiness, forbidden
// single-byte characters (tab and the nine file-name characters; double-byte characters are
// skipped whole), a case-insensitive clash with an existing name and the template path limit.
TemplateNameVerdict checkTemplateName(std::string_view cp932Text,
                                      const std::vector<std::string>& existing,
                                      const TemplateFolder& folder);

// True when the single-byte character may not appear in a template name or as replacement
// character: tab and the nine file-name characters.
bool isNameForbiddenChar(char c);

// True for exactly one single-byte character: printable ASCII or a half-width katakana. A lone
// lead byte, a control character or a double-byte character is none.
bool isSingleByteChar(std::string_view cp932Text);

// True for what the replacement character and the connector may be: a single-byte character
// that is not forbidden in a name.
bool isJoiningChar(std::string_view cp932Text);
