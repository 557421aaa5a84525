#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The application the desktop associates with a kind of document, found the freedesktop way: the
// default application's desktop file id for the MIME type (xdg-mime), that file in the
// applications folders of the XDG data folders, and its Exec line.
class DesktopAssociation {
public:
    // The desktop file id of the default application for a MIME type ("okular.desktop").
    using DefaultQuery = std::function<std::optional<std::string>(const std::string& mimeType)>;

    // The running desktop's association: xdg-mime and the XDG data folders.
    DesktopAssociation();
    DesktopAssociation(DefaultQuery query, std::vector<std::filesystem::path> applicationFolders);

    // The argument vector (UTF-8) that opens the document with the default application of the
    // MIME type: the Exec line with its field codes filled, the document appended when the line
    // names no file. Nothing when no application is associated or its desktop file cannot be read.
    std::optional<std::vector<std::string>> commandFor(const std::string& mimeType,
                                                       const std::string& document) const;

    // "$XDG_DATA_HOME/applications" (default ~/.local/share/applications), then "applications"
    // below every folder of $XDG_DATA_DIRS (default /usr/local/share and /usr/share).
    static std::vector<std::filesystem::path> systemApplicationFolders();
    // Asks "xdg-mime query default MIMETYPE"; nothing when it fails or prints nothing.
    static std::optional<std::string> queryXdgMime(const std::string& mimeType);

private:
    std::optional<std::filesystem::path> findDesktopFile(const std::string& id) const;

    DefaultQuery m_query;
    std::vector<std::filesystem::path> m_folders;
};
