#include "base/TextCodec.h"

#include "base/IconvHandle.h"

#include <cerrno>

namespace textcodec {

namespace {

// Runs iconv over the whole input. On a sequence that does not convert, the replacement is
// appended and one input byte (or one UTF-8 character) is skipped; without a replacement the
// conversion fails.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in,
                                   std::optional<std::string_view> replacement, bool utf8Input) {
    IconvHandle cd(to, from);
    if (!cd.isValid()) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(in.size() * 3 / 2 + 8);
    char buffer[4096];
    auto* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft);
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
        if (utf8Input && errno == EINVAL) {
            skip = inLeft;
        } else if (utf8Input) {
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
        cd.reset();
    }
    return out;
}

} // namespace

std::string cp932ToUtf8(std::string_view cp932) {
    return convert("UTF-8", "CP932", cp932, std::string_view("\xEF\xBF\xBD"), false)
        .value_or(std::string(cp932));
}

std::string utf8ToCp932(std::string_view utf8) {
    return convert("CP932", "UTF-8", utf8, std::string_view("?"), true).value_or(std::string(utf8));
}

std::optional<std::string> cp932ToUtf8Strict(std::string_view cp932) {
    return convert("UTF-8", "CP932", cp932, std::nullopt, false);
}

std::optional<std::string> utf8ToCp932Strict(std::string_view utf8) {
    return convert("CP932", "UTF-8", utf8, std::nullopt, true);
}

} // namespace textcodec
