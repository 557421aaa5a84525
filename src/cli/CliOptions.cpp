#include "cli/CliOptions.h"

#include <string_view>

std::optional<CliOptions> CliOptions::parse(int argc, char* argv[], std::string& error) {
    CliOptions o;
    bool answerGiven = false;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--json") {
            o.json = true;
        } else if (a == "--yes" || a == "--no") {
            if (answerGiven && o.agree != (a == "--yes")) {
                error = "--yes and --no exclude each other";
                return std::nullopt;
            }
            answerGiven = true;
            o.agree = a == "--yes";
        } else if (a == "--data-folder") {
            if (i + 1 >= argc) {
                error = "--data-folder needs a folder";
                return std::nullopt;
            }
            o.dataFolder = argv[++i];
        } else if (a.rfind("--data-folder=", 0) == 0) {
            o.dataFolder = std::string(a.substr(14));
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            error = "unknown option " + std::string(a);
            return std::nullopt;
        } else {
            break;
        }
    }
    for (; i < argc; ++i) {
        o.command.emplace_back(argv[i]);
    }
    if (!o.help && !o.version && o.command.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    return o;
}

const char* CliOptions::usage() {
    return "Usage: nomira-cli [--data-folder DIR] [--json] [--yes | --no] COMMAND [ARGUMENTS]\n"
           "       nomira-cli --help | --version\n"
           "\n"
           "Commands:\n"
           "  settings                      the settings as the main window holds them\n"
           "  template list                 the names the template box lists\n"
           "  template show FILE.tpl        a template as read\n"
           "  template rewrite IN.tpl OUT.tpl\n"
           "                                write IN again through the template writer\n"
           "  check --template FILE.tpl LIST.csv\n"
           "                                read LIST as the load button does and report it\n"
           "  info FILE...                  what the program learns about image files\n"
           "  scan FOLDER                   the image list after loading FOLDER\n"
           "  preview FILE                  make the preview files of one image\n"
           "  assign [--work FILE.edd] [--template FILE.tpl] [--list LIST.csv] [--images DIR]\n"
           "         [--batch-assign] [--assign ROW=FILE[,FILE...]] [--release FILE[,FILE...]]\n"
           "         [--batch-release] [--save FILE.edd] [--assign-read [--min-score S]]\n"
           "                                build a main window's state, assign, and report it\n"
           "  names [state options] [operations]\n"
           "                                what 実行 would do on that state; no file touched\n"
           "  match [state options] [operations] [--min-score S]\n"
           "                                read every unassigned image and suggest its row\n"
           "  run [state options] [operations] [--export-name NAME] [--rename-as NAME]...\n"
           "                                carry out 実行 on that state and report it\n"
           "  edit FILE [--rotate left|right]... [--deskew X1,Y1,X2,Y2]\n"
           "       [--denoise N [--region rect|ellipse:X,Y,W,H (--inside|--outside)]] [--out OUT]\n"
           "                                edit a single-page TIFF as the image editor does\n"
           "  undo [--dry-run] [JOURNAL]    undo the last run (or JOURNAL's run); --dry-run\n"
           "                                lists what it would do\n";
}
