#pragma once

#include "app/DesktopAssociation.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class Prompter;

// Which program "ｱﾌﾟﾘｹｰｼｮﾝで開く" starts for a TIFF image: the desktop's default application
// for image/tiff (xdg-mime). When that default is a known viewer, which shows the page but cannot
// write a change back into the file, and an image editor is installed, the operator is asked
// whether to open the editor instead.
//
// Known viewers (desktop file ids): Eye of GNOME, GNOME Image Viewer (Loupe), Eye of MATE,
// Xviewer, Ristretto, Gwenview, Okular, Evince, GNOME Papers, Shotwell's viewer, gThumb's viewer,
// feh, sxiv, nsxiv, qimgv, Mirage, GPicView, LXImage, Viewnior, Geeqie.
// Editors, in order of preference: KolourPaint (the closest to a paint program), Pinta, GIMP.
class PreviewApplicationChooser {
public:
    static constexpr const char* kMimeType = "image/tiff";

    // The running desktop: xdg-mime and the XDG applications folders.
    PreviewApplicationChooser();
    PreviewApplicationChooser(DesktopAssociation::DefaultQuery query,
                              std::vector<std::filesystem::path> applicationFolders);

    // The argument vector (UTF-8) that opens document (a UTF-8 path). Asks the viewer question
    // through prompter when it applies. Nothing when no application is associated with TIFF
    // images or its desktop file cannot be used.
    std::optional<std::vector<std::string>> commandFor(const std::string& document,
                                                       Prompter& prompter) const;

    static bool isViewer(const std::string& desktopId);
    static const std::vector<std::string>& viewers();
    static const std::vector<std::string>& editors();

private:
    std::optional<std::vector<std::string>> commandOf(const std::string& desktopId,
                                                      const std::string& document) const;

    DesktopAssociation::DefaultQuery m_query;
    std::vector<std::filesystem::path> m_folders;
};
