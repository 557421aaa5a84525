#include "base/TextCodec.h"

#include "base/IconvHandle.h"

#include <cerrno>
#include <cstdio>

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

// Length of the well-formed UTF-8 character at the start of text, 0 when it is not one.
std::size_t utf8CharLength(std::string_view text, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead < 0xE0) {
        length = 2;
        code = lead & 0x1F;
        min = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        code = lead & 0x0F;
        min = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        length = 4;
        code = lead & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < min || code > 0x10FFFF || surrogate ? 0 : length;
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

std::optional<std::string> utf8ToCp932Exact(std::string_view utf8) {
    auto cp932 = utf8ToCp932Strict(utf8);
    if (!cp932 || cp932ToUtf8Strict(*cp932) != utf8) {
        return std::nullopt;
    }
    return cp932;
}

std::string utf8ToCp932Marked(std::string_view utf8) {
    if (auto whole = utf8ToCp932Exact(utf8)) {
        return std::move(*whole);
    }
    std::string out;
    char mark[16];
    while (!utf8.empty()) {
        char32_t code = 0;
        const std::size_t length = utf8CharLength(utf8, code);
        if (length == 0) {
            std::snprintf(mark, sizeof mark, "<x%02X>", static_cast<unsigned char>(utf8[0]));
            out += mark;
            utf8.remove_prefix(1);
            continue;
        }
        if (const auto converted = utf8ToCp932Exact(utf8.substr(0, length))) {
            out += *converted;
        } else {
            std::snprintf(mark, sizeof mark, "<U+%04X>", static_cast<unsigned>(code));
            out += mark;
        }
        utf8.remove_prefix(length);
    }
    return out;
}

} // namespace textcodec
