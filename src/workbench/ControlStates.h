#pragma once

#include "workbench/AssignmentPort.h"

#include <cstddef>
#include <string>
#include <vector>

class MainView;

// Everything the enabling of the main window's controls depends on.
struct ControlStateInput {
    bool busy = false;
    AssignmentPort::Availability assignment;
    std::size_t assignmentCount = 0;
    std::string imageType; // extension of the current image file, any case
    int imageCount = 0;
    int currentImageRow = -1;
    // Pages of the current file: a single-page TIFF may be edited.
    int pageCount = 0;
    // The previews of the current file and the one shown (1-based): the page buttons step
    // through these, which are fewer than the pages when only selected pages are previewed.
    int previewCount = 0;
    int previewNumber = 0;
    bool areaCurrent = false;
    bool imageFolderLoaded = false;
    bool modified = false;
    bool templateSelected = false;
    bool templatesExist = false;
    bool areaDesignation = false;
};

// The control-state routine: which controls (and the two save commands) are enabled, and, without
// a current image, which texts are emptied.
class ControlStates {
public:
    struct Change {
        int id;
        bool enabled;
        bool operator==(const Change&) const = default;
    };

    // The changes in the order they are applied; a later change of an id overrides an earlier one.
    static std::vector<Change> compute(const ControlStateInput& in);
    // The final state of one id after compute(), or nothing when the routine does not touch it.
    static const Change* find(const std::vector<Change>& changes, int id);
    // True when the image-side texts are emptied (no images or no selected image row).
    static bool clearsImageTexts(const ControlStateInput& in);

    static void apply(MainView& view, const ControlStateInput& in);
};
