#pragma once

#include <iconv.h>

// Owns one iconv conversion descriptor.
class IconvHandle {
public:
    IconvHandle(const char* toCode, const char* fromCode);
    ~IconvHandle();
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool isValid() const { return m_handle != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_handle; }
    // Returns the descriptor to its initial shift state.
    void reset();

private:
    iconv_t m_handle;
};
