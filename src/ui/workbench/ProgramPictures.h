#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the main window, drawn rather than loaded: the program icon, the picture in the
// middle of the empty preview, the four page buttons' icons, the rename list's header marks and
// the assignment marks of both lists.
class ProgramPictures {
public:
    static QIcon programIcon();
    static QPixmap previewPicture();
    // 0 first, 1 previous, 2 next, 3 last page.
    static QIcon pageButtonIcon(int which);
    // The header mark of a rename list column: a blue tag for a file-name column, an arrow with
    // "1" or "2" for the primary or secondary sort column, or both.
    static QPixmap headerMark(bool fileName, int sortKey);
    // The assignment mark of a row: one sheet for a single image, a stack of sheets for the
    // pages of a multi-page row.
    static QPixmap assignMark(bool multiPage);
};
