#include "execute/TempFileTiff.h"

#include "execute/FileChanges.h"

#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>

struct TempFileTiffProcs {
    static TempFileTiff& of(thandle_t h) { return *static_cast<TempFileTiff*>(h); }

    static tmsize_t read(thandle_t h, void* data, tmsize_t size) {
        const ssize_t n = ::read(of(h).m_temp.fd(), data, static_cast<std::size_t>(size));
        return n < 0 ? -1 : static_cast<tmsize_t>(n);
    }
    static tmsize_t write(thandle_t h, void* data, tmsize_t size) {
        TempFileTiff& self = of(h);
        if (self.m_failed ||
            !self.m_changes.write(self.m_temp, data, static_cast<std::size_t>(size))) {
            self.m_failed = true;
            return -1;
        }
        return size;
    }
    static toff_t seek(thandle_t h, toff_t offset, int whence) {
        const off_t at = ::lseek(of(h).m_temp.fd(), static_cast<off_t>(offset), whence);
        return at < 0 ? static_cast<toff_t>(-1) : static_cast<toff_t>(at);
    }
    static int close(thandle_t) { return 0; }
    static toff_t size(thandle_t h) {
        struct stat st {};
        return ::fstat(of(h).m_temp.fd(), &st) == 0 ? static_cast<toff_t>(st.st_size) : 0;
    }
    static int map(thandle_t, void**, toff_t*) { return 0; }
    static void unmap(thandle_t, void*, toff_t) {}
};

TiffHandle TempFileTiff::open() {
    TiffHandle::silenceHandlers();
    if (!m_temp) {
        return {};
    }
    using P = TempFileTiffProcs;
    return TiffHandle::adopt(TIFFClientOpen("join", "w", static_cast<thandle_t>(this), P::read,
                                            P::write, P::seek, P::close, P::size, P::map,
                                            P::unmap));
}
