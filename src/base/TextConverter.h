#pragma once

#include "base/IconvHandle.h"

#include <optional>
#include <string>
#include <string_view>

// One iconv conversion kept open for any number of texts: opening a conversion costs far more
// than converting a cell's text, so callers that convert many texts keep one of these.
class TextConverter {
public:
    // Encoding names as iconv knows them; input in "UTF-8" is skipped by whole characters.
    TextConverter(const char* toCode, const char* fromCode);
    TextConverter(const TextConverter&) = delete;
    TextConverter& operator=(const TextConverter&) = delete;

    bool isValid() const { return m_handle.isValid(); }
    // Converts the whole input. On a sequence that does not convert the replacement is appended
    // and one input byte (or one UTF-8 character) is skipped; without a replacement the
    // conversion fails. Nothing when the conversion cannot be opened.
    std::optional<std::string> convert(std::string_view in,
                                       std::optional<std::string_view> replacement);

private:
    IconvHandle m_handle;
    bool m_utf8Input;
};
