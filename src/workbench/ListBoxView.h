#pragma once

#include <string>
#include <vector>

// A drop-down list of the main window (the template box), addressed by its control id. Texts are
// cp932. Changing the items or the current entry from here raises no selection change.
class ListBoxView {
public:
    virtual ~ListBoxView() = default;

    // Replaces the items and selects the entry at index (-1: none).
    virtual void setListItems(int id, const std::vector<std::string>& items, int index) = 0;
    virtual void setListIndex(int id, int index) = 0;
    virtual int listIndex(int id) const = 0;
};
