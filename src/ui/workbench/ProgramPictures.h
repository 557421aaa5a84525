#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the main window, drawn rather than loaded: the program icon, the picture in the
// middle of the empty preview, and the four page buttons' icons.
class ProgramPictures {
public:
    static QIcon programIcon();
    static QPixmap previewPicture();
    // 0 first, 1 previous, 2 next, 3 last page.
    static QIcon pageButtonIcon(int which);
};
