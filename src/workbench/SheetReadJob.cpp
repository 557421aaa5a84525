#include "workbench/SheetReadJob.h"

#include "base/FileSystem.h"
#include "base/OrderedWork.h"
#include "base/Prompter.h"
#include "base/TextCodec.h"
#include "execute/AssignmentRules.h"
#include "image/ImageEntry.h"
#include "image/ImageLibrary.h"
#include "image/PaperSize.h"
#include "read/SheetReader.h"
#include "read/TextRecogniser.h"
#include "renamelist/RenameList.h"
#include "template/ColumnType.h"
#include "workbench/AssignmentCommands.h"
#include "workbench/ImageListCommands.h"
#include "workbench/RenameListCommands.h"
#include "workbench/TitleBlockRegions.h"
#include "workbench/Workbench.h"

#include <new>

namespace {

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    const auto e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

SheetReading readOne(const SheetReader& reader, const ReadImage& image, const Settings& settings) {
    try {
        ImageLibrary::PageInfo info;
        ImageLibrary::pageInfo(image.path, 1, info);
        return reader.read(
            image.path, TitleBlockRegions::of(settings, image.paperSize, info.width, info.height));
    } catch (const std::bad_alloc&) {
        SheetReading failed;
        failed.failure = ReadFailure::TooLarge;
        return failed;
    } catch (const std::exception&) {
        SheetReading failed;
        failed.failure = ReadFailure::Damaged;
        return failed;
    }
}

} // namespace

SheetReadJob::Input SheetReadJob::collect(Workbench& wb, const ReadSettings& read) {
    Input in;
    in.settings = wb.settingsStore().settings();
    in.read = read;
    in.dataPath = TextRecogniser::defaultDataPath();
    const CellGrid& grid = wb.imageGrid();
    for (int row = grid.fixedRows(); row < grid.rows(); ++row) {
        if (wb.assignmentCommands().rules().isImageAssigned(row)) {
            continue;
        }
        const std::string name = grid.text(row, ImageEntry::FileName);
        in.images.push_back({row, name, grid.text(row, ImageEntry::PaperSize),
                             files::native(files::join(in.settings.scanPath, name)).string()});
    }
    const RenameList& list = wb.renameList().list();
    int paperColumn = -1;
    std::vector<int> nameColumns;
    for (int k = 0; k < list.columnCount(); ++k) {
        if (list.column(k).fileName) {
            nameColumns.push_back(k);
            in.fileNameColumns = true;
        }
        if (paperColumn < 0 && list.column(k).type == static_cast<int>(ColumnType::PaperSize)) {
            paperColumn = k;
        }
    }
    in.listedSizes.assign(RenameList::kDataRows + 1, {});
    for (int row = 1; row <= list.lastDataRow(); ++row) {
        SheetMatcher::Row r{row,
                            list.grid().text(row, RenameList::kColRowKey),
                            {},
                            wb.assignments().isRowAssigned(row)};
        for (int k : nameColumns) {
            r.values.push_back(textcodec::cp932ToUtf8(trimmed(list.cellText(row, k))));
        }
        in.rows.push_back(std::move(r));
        if (paperColumn >= 0) {
            in.listedSizes[static_cast<std::size_t>(row)] =
                PaperSize::sizeClass(list.cellText(row, paperColumn));
        }
    }
    return in;
}

void SheetReadJob::tellBefore(const Input& in, Prompter& prompter, bool& languagesTold) {
    if (!in.fileNameColumns) {
        prompter.tell(Msg::ReadNoFileNameColumns);
    }
    const auto missing = TextRecogniser::missingLanguages(in.dataPath, in.read.languages);
    if (missing.empty() || languagesTold) {
        return;
    }
    std::string names;
    for (const std::string& m : missing) {
        names += (names.empty() ? "" : "+") + m;
    }
    prompter.tell(Msg::ReadLanguageMissing, {names});
    languagesTold = true;
}

std::vector<ReadSuggestion> SheetReadJob::run(const Input& in, WorkerPool* pool,
                                              const std::atomic<bool>& cancel,
                                              const std::function<void(std::size_t)>& done) {
    const SheetReader reader({in.dataPath, in.read.languages});
    std::vector<ReadSuggestion> out(in.images.size());
    OrderedWork work(
        pool, in.images.size(), [](std::size_t) { return true; },
        [&](std::size_t i, std::stop_token stop) {
            ReadSuggestion& s = out[i];
            s.image = in.images[i];
            if (cancel.load() || stop.stop_requested()) {
                s.reading.failure = ReadFailure::Cancelled;
                return;
            }
            s.reading = readOne(reader, s.image, in.settings);
        });
    for (std::size_t i = 0; i < out.size(); ++i) {
        ReadSuggestion& s = out[i];
        if (!work.collect(i)) {
            s.image = in.images[i];
            s.reading.failure = ReadFailure::Cancelled;
        }
        if (!s.reading.failed()) {
            s.match = SheetMatcher::match(in.rows, s.reading.codes, s.reading.text);
        }
        if (s.match.suggestion) {
            s.paperSizeListed = in.listedSizes[static_cast<std::size_t>(s.match.suggestion->row)];
            s.paperMismatch = !s.paperSizeListed.empty() &&
                              s.paperSizeListed != PaperSize::sizeClass(s.image.paperSize);
        }
        if (done) {
            done(i + 1);
        }
    }
    return out;
}
