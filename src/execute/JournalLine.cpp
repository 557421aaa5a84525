#include "execute/JournalLine.h"

#include "base/TextCodec.h"

namespace journalline {

std::string compose(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += '\t';
        }
        for (const char c : textcodec::cp932ToUtf8(fields[i])) {
            switch (c) {
            case '\\':
                line += "\\\\";
                break;
            case '\t':
                line += "\\t";
                break;
            case '\n':
                line += "\\n";
                break;
            case '\r':
                line += "\\r";
                break;
            default:
                line += c;
                break;
            }
        }
    }
    return line + "\n";
}

std::vector<std::string> split(std::string_view line) {
    std::vector<std::string> fields;
    std::string field;
    auto flush = [&] {
        fields.push_back(textcodec::utf8ToCp932(field));
        field.clear();
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            flush();
        } else if (c == '\\' && i + 1 < line.size()) {
            const char e = line[++i];
            field += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e;
        } else {
            field += c;
        }
    }
    flush();
    return fields;
}

} // namespace journalline
