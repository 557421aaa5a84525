#include "support/RenameListFixtures.h"

#include "base/TextCodec.h"

namespace {

bool hasDigits(int type) {
    return type == 1 || type == 2 || type == 3;
}

} // namespace

std::string renameListCsv(std::initializer_list<std::string_view> utf8Lines) {
    std::string out;
    for (std::string_view line : utf8Lines) {
        out += textcodec::utf8ToCp932(line) + "\r\n";
    }
    return out;
}

std::string renameListCsvOf(int n, std::string (*line)(int)) {
    std::string out;
    for (int i = 1; i <= n; ++i) {
        out += line(i) + "\r\n";
    }
    return out;
}

std::string renameListTemplate(const std::vector<FixtureColumn>& columns, bool rememberWidths) {
    std::string names, types, loads, fileNames, sort1, sort2, disp, beams1, beams2, alignments,
        restrictions;
    for (const FixtureColumn& c : columns) {
        names += textcodec::utf8ToCp932(c.name) + "\t";
        types += std::to_string(c.type) + ",";
        loads += std::to_string(c.load) + ",";
        fileNames += std::string(c.fileName ? "1" : "0") + ",";
        sort1 += std::to_string(c.sort1) + ",";
        sort2 += std::to_string(c.sort2) + ",";
        disp += std::string(c.hidden ? "1" : "0") + ",";
        if (hasDigits(c.type)) {
            beams1 += std::to_string(c.digits) + ",";
            beams2 += std::to_string(c.decimals) + ",";
        }
        alignments += std::to_string(c.alignment) + ",";
        restrictions += c.restriction + ",";
    }
    return "[ROWINFO]\r\nNAME=" + names + "\r\nTYPE=" + types + "\r\nLOAD=" + loads +
           "\r\nFILENAME=" + fileNames + "\r\nSORT1=" + sort1 + "\r\nSORT2=" + sort2 +
           "\r\nDISP=" + disp + "\r\nOUTPUTPATH=/tmp\r\nREPLACE=0\r\nREPLACECHAR=\r\n" +
           "SORTEXPORT=0\r\nMEMORYROWWIDTH=" + (rememberWidths ? "1" : "0") +
           "\r\nCONNECTION=\r\nBEAMS1=" + beams1 + "\r\nBEAMS2=" + beams2 +
           "\r\nALIGMENT=" + alignments + "\r\nTEXTRESTTICTION=" + restrictions +
           "\r\nDOCTYPE=\r\n";
}

std::string templateOfColumns(int columns) {
    std::string types;
    for (int i = 0; i < columns; ++i) {
        types += "1,";
    }
    return "[ROWINFO]\r\nNAME=a,\r\nTYPE=" + types +
           "\r\nLOAD=1,\r\nFILENAME=1,\r\nSORT1=0,\r\nSORT2=0,\r\nREPLACE=0\r\nSTOREFOLDER=/s\r\n";
}
