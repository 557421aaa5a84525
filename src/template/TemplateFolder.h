#pragma once

#include "template/Template.h"

#include <optional>
#include <string>
#include <vector>

class Prompter;

// The template files of one folder ("<name>.tpl", one section ROWINFO): listing, reading and
// writing them in their fixed format.
class TemplateFolder {
public:
    // dataFolder supplies the storage folder of a template that names none.
    TemplateFolder(std::string folder, std::string dataFolder);

    const std::string& folder() const { return m_folder; }
    // folder + "/" + name + ".tpl" (the actual letter case of an existing file is kept).
    std::string pathOf(const std::string& name) const;

    // Names of the "*.tpl" files, extension removed, empty names skipped, in listing order.
    std::vector<std::string> listTemplateNames() const;
    // Names of the listed files that are templates (isTemplateFile), in listing order.
    std::vector<std::string> listTemplates() const;
    // True when the file's first line (its first 63 characters, which is all that is read),
    // trimmed, is "[ROWINFO]" without regard to case.
    bool isTemplateFile(const std::string& name) const;
    static bool isTemplateFileAt(const std::string& path);

    std::optional<Template> readTemplate(const std::string& name) const;
    static std::optional<Template> readTemplateFile(const std::string& path,
                                                    const std::string& dataFolder);

    // The editor's save: every key but ROWWIDTH. Reports folder and path failures itself.
    bool writeTemplate(const Template& t, Prompter& prompter) const;
    // ROWWIDTH alone. Reports folder and path failures itself; the caller reports the rest.
    bool saveColumnWidths(const std::string& name, const std::vector<int>& widths,
                          Prompter& prompter) const;
    // False (after telling the operator) when the template has more columns than csvRowNum.
    bool columnCountFits(const std::string& name, int csvRowNum, Prompter& prompter) const;
    // The same check on a template that was read, before it is applied to a grid: false (after
    // telling the operator) when it has more columns than csvRowNum.
    static bool columnCountFits(const Template& t, int csvRowNum, Prompter& prompter);
    // Whether a template that was read may be applied and make file names: its columns fit (as
    // above), and the replacement character (while spaces are replaced) and the connector are
    // each empty or one single-byte character. A file edited by hand may hold "あ" or several
    // characters there, which would split or lengthen every name; false after telling the
    // operator which value is wrong.
    static bool usable(const Template& t, int csvRowNum, Prompter& prompter);

    static constexpr std::size_t kPathLimit = 256; // the full path must stay below this
    static constexpr std::size_t kNameBytes = 20;

private:
    bool prepareFolder(Prompter& prompter) const;

    std::string m_folder;
    std::string m_dataFolder;
};
