#include "base/IconvHandle.h"

IconvHandle::IconvHandle(const char* toCode, const char* fromCode)
    : m_handle(iconv_open(toCode, fromCode)) {
}

IconvHandle::~IconvHandle() {
    if (isValid()) {
        iconv_close(m_handle);
    }
}

void IconvHandle::reset() {
    if (isValid()) {
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
    }
}
