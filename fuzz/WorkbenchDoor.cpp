// The work data and template doors: one input is a work data file (.edd) or a template (.tpl),
// loaded whole in a planted data folder as the main window loads it (NOMIRA_FUZZ_WORKBENCH_KIND
// 0: the work data load button, with its template, list copy and image folder; 1: the template
// picked in the template box, then a rename list loaded through it).

#include "FuzzScratch.h"

#include "base/ScriptedPrompter.h"
#include "cli/HeadlessWindow.h"
#include "workbench/RenameListCommands.h"
#include "workbench/TemplateBox.h"
#include "workbench/WorkDataCommands.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

void plant(const std::string& path, std::string_view bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A data folder with settings, a template of four columns, its list copy, a rename list and an
// image folder of two scans (one a TIFF header, one not an image at all).
std::string plantDataFolder(const std::string& root) {
    const std::string data = root + "/data";
    for (const char* sub : {"template", "editdata", "scan", "csv", "rename"}) {
        fs::create_directories(data + "/" + sub);
    }
    plant(data + "/Nomira.ini",
          "[SYSTEM]\r\nTemplate=plan\r\nCsvRowNum=300\r\n[PATH]\r\nScan=" + data + "/scan\r\n");
    plant(data + "/template/plan.tpl",
          "[ROWINFO]\r\nNAME=No\tName\tDate\tSize\t\r\nTYPE=2,1,4,5,\r\nLOAD=1,2,3,4,\r\n"
          "FILENAME=1,1,0,0,\r\nSORT1=0,1,0,0,\r\nSORT2=0,0,1,0,\r\nDISP=0,0,0,0,\r\n"
          "OUTPUTPATH=" +
              data +
              "/rename\r\nREPLACE=0\r\nREPLACECHAR=\r\nSORTEXPORT=0\r\n"
              "BEAMS1=4,5,\r\nBEAMS2=0,2,\r\nALIGMENT=0,1,2,0,\r\nTEXTRESTTICTION=0,0,0,0,\r\n");
    const std::string list = "1,alpha,2024/02/29,A4\r\n2,beta,2023/13/01,A3\r\n3,\"q, c\",,B5\r\n";
    plant(data + "/editdata/plan.csv", list);
    plant(data + "/csv/list.csv", list);
    plant(data + "/scan/a.tif", std::string("II*\0\x08\0\0\0\0\0", 10));
    plant(data + "/scan/b.pdf", "not a pdf");
    return data;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    static const std::string data = plantDataFolder(FuzzScratch::instance().folder());
    const std::string input(reinterpret_cast<const char*>(bytes), size);
    ScriptedPrompter prompter;
#if NOMIRA_FUZZ_WORKBENCH_KIND == 0
    plant(data + "/editdata/fz.edd", input);
    HeadlessWindow window(data, prompter);
    window.workbench().workData().load(data + "/editdata/fz.edd");
#else
    plant(data + "/template/fz.tpl", input);
    HeadlessWindow window(data, prompter);
    if (window.workbench().templateBox().selectByName("fz")) {
        window.workbench().renameList().load(data + "/csv/list.csv");
    }
#endif
    return 0;
}
