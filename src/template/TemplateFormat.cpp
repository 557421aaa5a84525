#include "template/TemplateFormat.h"

#include "base/FileSystem.h"
#include "base/ProfileFile.h"
#include "template/ColumnType.h"

#include <cstdio>

namespace templateformat {

namespace {

// Elements end at the separator or at a line feed. Separators and line feeds never occur inside
// a double-byte character, so a byte-wise walk is safe.
std::vector<std::string> split(std::string_view value, char separator, bool keepLast) {
    std::vector<std::string> out;
    std::string current;
    for (const char c : value) {
        if (c == separator || c == '\n') {
            out.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (keepLast && !current.empty()) {
        out.push_back(std::move(current));
    }
    return out;
}

int intAt(const std::vector<std::string>& list, std::size_t i) {
    return i < list.size() ? ProfileFile::parseInt(list[i]) : 0;
}

// A restriction group "n.n.n.n.n.": the parts between the dots (empty ones skipped) must be
// exactly five codes; any other group is kept as it stands, marked as malformed.
void readRestriction(ColumnDef& column, std::string_view group) {
    std::vector<std::string> parts;
    for (std::string& part : split(group, '.', true)) {
        if (!part.empty()) {
            parts.push_back(std::move(part));
        }
    }
    if (parts.size() != column.restriction.size()) {
        column.malformedRestriction = std::string(group);
        return;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        column.restriction[i] = ProfileFile::parseInt(parts[i]);
    }
}

std::string restrictionGroup(const ColumnDef& c) {
    if (c.malformedRestriction) {
        return *c.malformedRestriction;
    }
    char group[80];
    std::snprintf(group, sizeof group, "%d.%d.%d.%d.%d.", c.restriction[0], c.restriction[1],
                  c.restriction[2], c.restriction[3], c.restriction[4]);
    return group;
}

std::string flag(bool on) {
    return on ? "1" : "0";
}

} // namespace

std::vector<std::string> splitNames(std::string_view value) {
    return split(value, '\t', true);
}

std::vector<std::string> splitCommaList(std::string_view value) {
    return split(value, ',', false);
}

std::optional<Template> read(const ProfileFile& file, const std::string& name,
                             const std::string& dataFolder) {
    auto get = [&](const char* key) { return file.read(kSection, key, kValueBuffer); };
    const auto names = get("NAME");
    const auto types = get("TYPE");
    const auto loads = get("LOAD");
    const auto fileNames = get("FILENAME");
    const auto sort1 = get("SORT1");
    const auto sort2 = get("SORT2");
    const auto replace = get("REPLACE");
    if (!names || !types || !loads || !fileNames || !sort1 || !sort2 || !replace) {
        return std::nullopt;
    }
    const auto nameList = splitNames(*names);
    const auto typeList = splitCommaList(*types);
    const auto loadList = splitCommaList(*loads);
    const auto fileNameList = splitCommaList(*fileNames);
    const auto sort1List = splitCommaList(*sort1);
    const auto sort2List = splitCommaList(*sort2);
    const auto dispList = splitCommaList(get("DISP").value_or(""));
    const auto beams1 = splitCommaList(get("BEAMS1").value_or(""));
    const auto beams2 = splitCommaList(get("BEAMS2").value_or(""));
    const auto alignments = splitCommaList(get("ALIGMENT").value_or(""));
    const auto restrictions = splitCommaList(get("TEXTRESTTICTION").value_or(""));

    Template t;
    t.name = name;
    t.columns.resize(typeList.size());
    std::size_t digitIndex = 0; // BEAMS1 and BEAMS2 hold elements only for columns with digits
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
        ColumnDef& c = t.columns[i];
        c.name = i < nameList.size() ? nameList[i] : std::string();
        c.type = intAt(typeList, i);
        c.sourceField = intAt(loadList, i);
        c.fileName = intAt(fileNameList, i) == 1;
        c.sort1 = intAt(sort1List, i);
        c.sort2 = intAt(sort2List, i);
        c.hidden = intAt(dispList, i) == 1;
        if (hasDigits(c.type)) {
            c.digits = intAt(beams1, digitIndex);
            c.decimals = intAt(beams2, digitIndex);
            ++digitIndex;
        }
        c.alignment = intAt(alignments, i);
        if (i < restrictions.size()) {
            readRestriction(c, restrictions[i]);
        }
    }
    t.storageFolder =
        file.read(kSection, "OUTPUTPATH", kValueBuffer).value_or(files::join(dataFolder, ""));
    t.replaceSpaces = ProfileFile::parseInt(*replace) == 1;
    t.replacementChar = get("REPLACECHAR").value_or("-");
    t.sortExport = file.readInt(kSection, "SORTEXPORT", 0) == 1;
    t.rememberWidths = file.readInt(kSection, "MEMORYROWWIDTH", 0) == 1;
    const std::string connector = get("CONNECTION").value_or("");
    t.connector = connector == "SP" ? std::string(" ") : connector;
    t.docType = get("DOCTYPE").value_or("");
    for (const std::string& w : splitCommaList(get("ROWWIDTH").value_or(""))) {
        t.widths.push_back(ProfileFile::parseInt(w));
    }
    return t;
}

std::vector<std::pair<std::string, std::string>> encode(const Template& t) {
    std::string names, types, loads, fileNames, sort1, sort2, disp, beams1, beams2, alignments,
        restrictions;
    for (const ColumnDef& c : t.columns) {
        names += c.name + "\t";
        types += std::to_string(c.type) + ",";
        loads += std::to_string(c.sourceField) + ",";
        fileNames += flag(c.fileName) + ",";
        sort1 += std::to_string(c.sort1) + ",";
        sort2 += std::to_string(c.sort2) + ",";
        disp += flag(c.hidden) + ",";
        if (c.type == static_cast<int>(ColumnType::Text)) {
            beams1 += std::to_string(c.digits == 0 ? 100 : c.digits) + ",";
            beams2 += "0,";
        } else if (c.type == static_cast<int>(ColumnType::Integer) ||
                   c.type == static_cast<int>(ColumnType::Real)) {
            beams1 += std::to_string((c.digits <= 0 || c.digits > 9) ? 9 : c.digits) + ",";
            if (c.type == static_cast<int>(ColumnType::Real)) {
                beams2 += std::to_string(c.decimals == 0 ? 2 : c.decimals) + ",";
            } else {
                beams2 += "0,";
            }
        }
        alignments +=
            std::to_string((c.alignment >= 0 && c.alignment <= maxAlignment(c.type)) ? c.alignment
                                                                                     : 0) +
            ",";
        restrictions += restrictionGroup(c) + ",";
    }
    return {
        {"NAME", names},
        {"TYPE", types},
        {"LOAD", loads},
        {"FILENAME", fileNames},
        {"SORT1", sort1},
        {"SORT2", sort2},
        {"DISP", disp},
        {"OUTPUTPATH", t.storageFolder},
        {"REPLACE", flag(t.replaceSpaces)},
        {"REPLACECHAR", t.replaceSpaces ? t.replacementChar : std::string()},
        {"SORTEXPORT", flag(t.sortExport)},
        {"MEMORYROWWIDTH", flag(t.rememberWidths)},
        {"CONNECTION", t.connector == " " ? std::string("SP") : t.connector},
        {"BEAMS1", beams1},
        {"BEAMS2", beams2},
        {"ALIGMENT", alignments},
        {"TEXTRESTTICTION", restrictions},
        {"DOCTYPE", t.docType},
    };
}

std::string encodeWidths(const std::vector<int>& widths) {
    std::string out;
    for (const int w : widths) {
        out += std::to_string(w) + ",";
    }
    return out;
}

} // namespace templateformat
