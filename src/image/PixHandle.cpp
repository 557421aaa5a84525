#include "image/PixHandle.h"

#include <leptonica/allheaders.h>

PixHandle::~PixHandle() {
    reset();
}

PixHandle& PixHandle::operator=(PixHandle&& other) noexcept {
    if (this != &other) {
        reset(other.release());
    }
    return *this;
}

Pix* PixHandle::release() noexcept {
    Pix* pix = m_pix;
    m_pix = nullptr;
    return pix;
}

void PixHandle::reset(Pix* pix) noexcept {
    if (m_pix != nullptr && m_pix != pix) {
        pixDestroy(&m_pix);
    }
    m_pix = pix;
}

int PixHandle::width() const {
    return m_pix ? static_cast<int>(pixGetWidth(m_pix)) : 0;
}

int PixHandle::height() const {
    return m_pix ? static_cast<int>(pixGetHeight(m_pix)) : 0;
}

int PixHandle::bitsPerPixel() const {
    if (!m_pix) {
        return 0;
    }
    const int depth = pixGetDepth(m_pix);
    return depth == 32 ? 24 : depth;
}

int PixHandle::xResolution() const {
    return m_pix ? static_cast<int>(pixGetXRes(m_pix)) : 0;
}

int PixHandle::yResolution() const {
    return m_pix ? static_cast<int>(pixGetYRes(m_pix)) : 0;
}

PixHandle PixHandle::copy() const {
    return PixHandle(m_pix ? pixCopy(nullptr, m_pix) : nullptr);
}
