#include "renamelist/SplitCsvLine.h"

std::vector<std::string> SplitCsvLine(std::string_view line) {
    std::string text(line);
    for (char& c : text) {
        if (c == '\n') {
            c = ',';
        }
    }
    if (text.empty() || text.back() != ',') {
        text.push_back(',');
    }
    // Where the last double quote of the line stands: a quote before it has a later partner.
    const std::size_t lastQuote = text.rfind('"');
    std::vector<std::string> fields;
    std::string field;
    bool quoting = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            if (quoting) {
                quoting = false;
            } else if (i < lastQuote) {
                quoting = true;
            }
        } else if (c == ',' && !quoting) {
            fields.push_back(std::move(field));
            field.clear();
        } else {
            field.push_back(c);
        }
    }
    if (!field.empty()) {
        fields.push_back(std::move(field));
    }
    return fields;
}
