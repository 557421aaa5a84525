#include "base/TextConverter.h"

#include <cerrno>
#include <cstring>

TextConverter::TextConverter(const char* toCode, const char* fromCode)
    : m_handle(toCode, fromCode), m_utf8Input(std::strcmp(fromCode, "UTF-8") == 0) {
}

std::optional<std::string> TextConverter::convert(std::string_view in,
                                                  std::optional<std::string_view> replacement) {
    if (!m_handle.isValid()) {
        return std::nullopt;
    }
    // A conversion left in the middle of a text by an earlier failure starts clean.
    m_handle.reset();
    std::string out;
    out.reserve(in.size() * 3 / 2 + 8);
    char buffer[4096];
    auto* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(m_handle.get(), &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (rc != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        if (!replacement) {
            return std::nullopt;
        }
        out.append(*replacement);
        std::size_t skip = 1;
        if (m_utf8Input && errno == EINVAL) {
            skip = inLeft;
        } else if (m_utf8Input) {
            // Skip the lead byte and only the continuation bytes that follow it, so that the
            // text after a broken sequence is kept.
            const auto lead = static_cast<unsigned char>(*inPtr);
            const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            while (skip < length && skip < inLeft &&
                   (static_cast<unsigned char>(inPtr[skip]) & 0xC0) == 0x80) {
                ++skip;
            }
        }
        inPtr += skip;
        inLeft -= skip;
        m_handle.reset();
    }
    return out;
}
