// The profile-file door: one file read as the settings file (everything the main window reads when
// it opens, and the environment dialog's values), as a template, and as work data, then given one
// key write, as the program does with each of them.

#include "FuzzScratch.h"

#include "app/SettingsStore.h"
#include "base/ProfileFile.h"
#include "base/RegistryStore.h"
#include "renamelist/WorkDataFile.h"
#include "template/TemplateFolder.h"

#include <cstddef>
#include <cstdint>

namespace {

Date fixedToday() {
    return {2024, 2, 29};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const FuzzScratch& scratch = FuzzScratch::instance();
    const std::string path = scratch.write("Nomira.ini", data, size);

    SettingsStore store(path, scratch.folder(), fixedToday);
    store.loadAtOpening(RegistryStore(scratch.folder() + "/absent-registry.ini"));
    store.loadForEnvironmentDialog();

    TemplateFolder::readTemplateFile(path, scratch.folder());
    WorkDataFile::read(path);

    const ProfileFile file(path);
    file.sectionNames();
    file.write("ROWINFO", "SORT1", "1");
    return 0;
}
