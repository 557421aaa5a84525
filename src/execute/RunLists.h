#pragma once

#include <string>
#include <vector>

class CellGrid;
class RenameList;

// What a rename run reads from the main window's two lists and what it changes in them.
namespace runlists {

// The texts of a rename row's template columns, in template order.
std::vector<std::string> rowCells(const RenameList& list, int row);
// The page count the image list shows for a file (compared without regard to case); 0 when the
// file is not listed.
int listedPages(const CellGrid& imageGrid, const std::string& fileName);
// The rows done by a run leave the rename list: the others move up, empty rows fill the list to
// its 1000 rows again, and "No." and RowKey are renumbered.
void removeRows(RenameList& list, const std::vector<std::string>& rowKeys);

} // namespace runlists
