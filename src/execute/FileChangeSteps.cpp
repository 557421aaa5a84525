#include "execute/FileChangeSteps.h"

#include "base/FileSystem.h"
#include "execute/FileChanges.h"

#include <fstream>
#include <vector>

namespace filesteps {

bool writeWhole(FileChanges& changes, const std::string& target, std::string_view content,
                bool replace) {
    TempFile temp = changes.createTemp(files::parentFolder(target));
    return temp && changes.write(temp, content.data(), content.size()) && changes.sync(temp) &&
           changes.commit(temp, target, replace);
}

bool copy(FileChanges& changes, const std::string& source, const std::string& target,
          bool replace) {
    std::ifstream in(files::native(source), std::ios::binary);
    if (!in) {
        return false;
    }
    TempFile temp = changes.createTemp(files::parentFolder(target));
    std::vector<char> buffer(1 << 16);
    bool ok = static_cast<bool>(temp);
    while (ok && in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto n = static_cast<std::size_t>(in.gcount());
        ok = n == 0 || changes.write(temp, buffer.data(), n);
    }
    ok = ok && in.eof() && !in.bad();
    return ok && changes.sync(temp) && changes.commit(temp, target, replace);
}

} // namespace filesteps
