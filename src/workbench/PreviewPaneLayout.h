#pragma once

#include "workbench/LayoutRect.h"

#include <vector>

// The preview pane's part of the main window's layout: the rectangles of the pane's controls for
// a window client size, from the window's design layout and its growth rules. The window cannot
// be smaller than its design size; a smaller size is laid out as the design size.
class PreviewPaneLayout {
public:
    // The pane's controls: its header (1158, 1068 to 1071, 1022 to 1025, 1159 to 1161), the
    // magnified views (1020, 1021), the preview stack (1017, 1118, 1019, 1136, 1138), the picture
    // 1173 and the buttons under the preview (1032, 1018, 1029).
    static const std::vector<int>& controls();

    static Layout forWindow(int clientWidth, int clientHeight, int magViews);
    // The smallest client size the window may take.
    static int minimumWidth();
    static int minimumHeight();
};
