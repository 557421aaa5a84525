#include "workbench/PreviewApplicationChooser.h"

#include "base/Prompter.h"

#include <algorithm>

PreviewApplicationChooser::PreviewApplicationChooser()
    : PreviewApplicationChooser(&DesktopAssociation::queryXdgMime,
                                DesktopAssociation::systemApplicationFolders()) {
}

PreviewApplicationChooser::PreviewApplicationChooser(
    DesktopAssociation::DefaultQuery query, std::vector<std::filesystem::path> applicationFolders)
    : m_query(std::move(query)), m_folders(std::move(applicationFolders)) {
}

const std::vector<std::string>& PreviewApplicationChooser::viewers() {
    static const std::vector<std::string> ids{
        "org.gnome.eog.desktop",
        "eog.desktop",
        "org.gnome.Loupe.desktop",
        "eom.desktop",
        "xviewer.desktop",
        "org.xfce.ristretto.desktop",
        "ristretto.desktop",
        "org.kde.gwenview.desktop",
        "org.kde.okular.desktop",
        "okularApplication_kimgio.desktop",
        "org.gnome.Evince.desktop",
        "evince.desktop",
        "org.gnome.Papers.desktop",
        "org.gnome.Shotwell-Viewer.desktop",
        "shotwell-viewer.desktop",
        "org.gnome.gThumb.Viewer.desktop",
        "feh.desktop",
        "sxiv.desktop",
        "nsxiv.desktop",
        "qimgv.desktop",
        "mirage.desktop",
        "gpicview.desktop",
        "lximage-qt.desktop",
        "viewnior.desktop",
        "org.geeqie.Geeqie.desktop",
        "geeqie.desktop",
    };
    return ids;
}

const std::vector<std::string>& PreviewApplicationChooser::editors() {
    static const std::vector<std::string> ids{
        "org.kde.kolourpaint.desktop",
        "kolourpaint.desktop",
        "com.github.PintaProject.Pinta.desktop",
        "pinta.desktop",
        "gimp.desktop",
        "org.gimp.GIMP.desktop",
    };
    return ids;
}

bool PreviewApplicationChooser::isViewer(const std::string& desktopId) {
    const auto& ids = viewers();
    return std::find(ids.begin(), ids.end(), desktopId) != ids.end();
}

std::optional<std::vector<std::string>>
PreviewApplicationChooser::commandOf(const std::string& desktopId,
                                     const std::string& document) const {
    const DesktopAssociation association(
        [desktopId](const std::string&) { return std::optional<std::string>(desktopId); },
        m_folders);
    return association.commandFor(kMimeType, document);
}

std::optional<std::vector<std::string>>
PreviewApplicationChooser::commandFor(const std::string& document, Prompter& prompter) const {
    const auto defaultId = m_query ? m_query(kMimeType) : std::nullopt;
    if (!defaultId || defaultId->empty()) {
        return std::nullopt;
    }
    auto command = commandOf(*defaultId, document);
    if (!command || !isViewer(*defaultId)) {
        return command;
    }
    // Asking only makes sense when there is an editor to offer.
    for (const std::string& editor : editors()) {
        if (auto edit = commandOf(editor, document)) {
            if (prompter.tell(Msg::ViewerCannotSaveQuestion) == Answer::Yes) {
                return edit;
            }
            break;
        }
    }
    return command;
}
