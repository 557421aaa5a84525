#include "cli/JsonText.h"

#include "base/TextCodec.h"

#include <cstdio>

namespace JsonText {

void appendString(std::string& out, std::string_view utf8) {
    out.push_back('"');
    for (const char c : textcodec::validUtf8(utf8)) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                out += escaped;
            } else {
                out.push_back(c);
            }
            break;
        }
    }
    out.push_back('"');
}

} // namespace JsonText
