#pragma once

#include "WorkbenchRig.h"

#include "execute/AssignmentMarks.h"
#include "image/ImageEntry.h"
#include "support/ImageFixtures.h"
#include "support/RenameListFixtures.h"
#include "support/ScanFixtures.h"
#include "workbench/Cmd.h"

#include <string>
#include <vector>

// A main window with the template "job" (file-name column "図番", paper-size column "用紙",
// plain column "名称"), an image folder whose files are listed in the order they are written
// (each a minute after the one before), and a rename list written from UTF-8 lines.
class AssignmentRig : public WorkbenchRig {
protected:
    void SetUp() override {
        WorkbenchRig::SetUp();
        m_data->writeTemplate(
            "job", renameListTemplate(
                       {{"図番", 1, 1, true}, {"用紙", 5, 0, false}, {"名称", 1, 2, false}}));
        m_data->writeTemplate("plain", renameListTemplate({{"図番", 1, 1, false}}));
        m_scans = m_tmp.mkdir("scans");
    }

    // Adds an image: "a4.tif", "a3.tif" (1-bit TIFFs of those sizes at 100 dpi), "x.jpg",
    // "p.pdf" (an A4 page) by its name.
    void image(const std::string& name) {
        const std::string path = m_scans + "/" + name;
        if (name.ends_with(".jpg")) {
            ScanFixtures::writeJpeg(path, 827, 1169, 100);
        } else if (name.ends_with(".pdf")) {
            ImageFixtures::writePdf(path, 1, 595.0, 842.0);
        } else {
            const bool a3 = name.starts_with("a3");
            ScanFixtures::writeBilevelTiffMm(path, a3 ? 297 : 210, a3 ? 420 : 297, 100);
        }
        ScanFixtures::setModified(path, 1'600'000'000 + 60 * m_images++);
    }

    // Opens the window on "job" with the images and the list loaded.
    void start(std::initializer_list<std::string_view> listLines,
               std::vector<std::string> settings = {}) {
        settings.push_back("Template=job.tpl");
        open(settings);
        m_csv = m_tmp.write("list.csv", renameListCsv(listLines));
        ASSERT_TRUE(m_wb->imageList().loadFolder(m_scans));
        ASSERT_TRUE(m_wb->renameList().load(m_csv));
    }

    CellGrid& images() { return m_wb->imageGrid(); }
    AssignmentCommands& commands() { return m_wb->assignmentCommands(); }

    // Rename row r current, only the given image rows selected (the first current).
    void select(int row, std::initializer_list<int> imageRows) {
        m_wb->renameList().list().selectRow(row);
        m_wb->imageList().selectRow(*imageRows.begin());
        for (int r : imageRows) {
            images().setRowSelected(r, true);
        }
        m_wb->updateControlStates(false);
    }

    // (rowKey, file, page) of every record, in list order.
    std::vector<std::string> records() const {
        std::vector<std::string> out;
        for (const CAssignInfo& r : m_wb->assignmentCommands().list().records()) {
            out.push_back(r.rowKey + ":" + r.fileName + ":" + std::to_string(r.page));
        }
        return out;
    }
    int rowMark(int row) { return grid().cellPicture(row, RenameList::kColAssign); }
    int imageMark(int row) { return images().cellPicture(row, ImageEntry::Assigned); }
    std::string page(int row) { return images().text(row, ImageEntry::PageOrder); }
    std::string paper(int row) { return u8(grid().text(row, RenameList::gridCol(1))); }
    bool enabled(Ctl c) { return m_view.isEnabled(id(c)); }
    bool enabled(Cmd c) { return m_view.isEnabled(id(c)); }

    std::string m_scans;
    std::string m_csv;
    int m_images = 0;
};
