#include "template/TemplateFolder.h"

#include "base/Cp932.h"
#include "base/FileSystem.h"
#include "base/ProfileFile.h"
#include "base/Prompter.h"
#include "template/TemplateFormat.h"
#include "template/TemplateNameCheck.h"

#include <algorithm>

namespace {

constexpr std::string_view kExtension = ".tpl";
constexpr std::size_t kFirstLineChars = 63;

} // namespace

TemplateFolder::TemplateFolder(std::string folder, std::string dataFolder)
    : m_folder(std::move(folder)), m_dataFolder(std::move(dataFolder)) {
}

std::string TemplateFolder::pathOf(const std::string& name) const {
    const std::string fileName = name + std::string(kExtension);
    return files::join(m_folder, files::findNoCase(m_folder, fileName).value_or(fileName));
}

std::vector<std::string> TemplateFolder::listTemplateNames() const {
    std::vector<std::string> names;
    for (const std::string& file : files::listFolder(m_folder)) {
        if (cp932::endsWithNoCase(file, kExtension) && file.size() > kExtension.size()) {
            names.push_back(file.substr(0, file.size() - kExtension.size()));
        }
    }
    return names;
}

std::vector<std::string> TemplateFolder::listTemplates() const {
    std::vector<std::string> names;
    for (const std::string& file : files::listFolder(m_folder)) {
        if (cp932::endsWithNoCase(file, kExtension) && file.size() > kExtension.size() &&
            isTemplateFileAt(files::join(m_folder, file))) {
            names.push_back(file.substr(0, file.size() - kExtension.size()));
        }
    }
    return names;
}

bool TemplateFolder::isTemplateFileAt(const std::string& path) {
    const auto line = ProfileFile(path).firstLine(kFirstLineChars);
    return line && cp932::equalsNoCase(cp932::trim(*line), "[ROWINFO]");
}

bool TemplateFolder::isTemplateFile(const std::string& name) const {
    return isTemplateFileAt(pathOf(name));
}

std::optional<Template> TemplateFolder::readTemplateFile(const std::string& path,
                                                         const std::string& dataFolder) {
    std::string name = files::fileName(path);
    if (cp932::endsWithNoCase(name, kExtension)) {
        name.resize(name.size() - kExtension.size());
    }
    if (!files::isRegularFile(path)) {
        return std::nullopt;
    }
    return templateformat::read(ProfileFile(path), name, dataFolder);
}

std::optional<Template> TemplateFolder::readTemplate(const std::string& name) const {
    return readTemplateFile(pathOf(name), m_dataFolder);
}

bool TemplateFolder::prepareFolder(Prompter& prompter) const {
    if (files::isDirectory(m_folder) || files::createDirectory(m_folder)) {
        return true;
    }
    prompter.tell(Msg::FolderCreateFailed);
    return false;
}

bool TemplateFolder::writeTemplate(const Template& t, Prompter& prompter) const {
    if (!prepareFolder(prompter)) {
        return false;
    }
    const std::string path = pathOf(t.name);
    if (path.size() >= kPathLimit) {
        prompter.tell(Msg::TemplatePathTooLong, {std::to_string(kPathLimit - 1)});
        return false;
    }
    // All keys go into the file in one atomic rewrite, so a failed save never leaves a
    // half-written template behind: the file keeps its previous content or does not appear.
    const bool ok =
        ProfileFile(path).writeMany(templateformat::kSection, templateformat::encode(t));
    if (!ok && files::isRegularFile(path) && files::readAll(path).value_or("x").empty()) {
        files::removeFile(path);
    }
    return ok;
}

bool TemplateFolder::saveColumnWidths(const std::string& name, const std::vector<int>& widths,
                                      Prompter& prompter) const {
    if (!prepareFolder(prompter)) {
        return false;
    }
    const std::string path = pathOf(name);
    if (path.size() >= kPathLimit) {
        prompter.tell(Msg::TemplatePathTooLong255);
        return false;
    }
    if (!files::isRegularFile(path)) {
        return false;
    }
    return ProfileFile(path).write(templateformat::kSection, "ROWWIDTH",
                                   templateformat::encodeWidths(widths));
}

bool TemplateFolder::columnCountFits(const std::string& name, int csvRowNum,
                                     Prompter& prompter) const {
    const auto names = ProfileFile(pathOf(name))
                           .read(templateformat::kSection, "NAME", templateformat::kNameBuffer);
    if (!names) {
        return true;
    }
    if (templateformat::splitNames(*names).size() > static_cast<std::size_t>(csvRowNum)) {
        prompter.tell(Msg::TemplateTooManyColumns);
        return false;
    }
    return true;
}

bool TemplateFolder::columnCountFits(const Template& t, int csvRowNum, Prompter& prompter) {
    if (t.columns.size() > static_cast<std::size_t>(std::max(csvRowNum, 0))) {
        prompter.tell(Msg::TemplateTooManyColumns);
        return false;
    }
    return true;
}

bool TemplateFolder::usable(const Template& t, int csvRowNum, Prompter& prompter) {
    if (!columnCountFits(t, csvRowNum, prompter)) {
        return false;
    }
    const auto bad = [](const std::string& c) { return !c.empty() && !isSingleByteChar(c); };
    if (t.replaceSpaces && bad(t.replacementChar)) {
        prompter.tell(Msg::TemplateBadReplacementChar);
        return false;
    }
    if (bad(t.connector)) {
        prompter.tell(Msg::TemplateBadConnector);
        return false;
    }
    return true;
}
