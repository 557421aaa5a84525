#include "base/TextCodec.h"

#include "base/TextConverter.h"

#include <algorithm>
#include <cstdio>

namespace textcodec {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// One open conversion per direction and thread, reused for every text.
TextConverter& fromCp932() {
    thread_local TextConverter converter("UTF-8", "CP932");
    return converter;
}

TextConverter& toCp932() {
    thread_local TextConverter converter("CP932", "UTF-8");
    return converter;
}

// cp932 and UTF-8 agree on every byte below 0x80.
bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::optional<std::string> convert(TextConverter& converter, std::string_view in,
                                   std::optional<std::string_view> replacement) {
    if (isAscii(in)) {
        return std::string(in);
    }
    return converter.convert(in, replacement);
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

// The length of the well-formed UTF-8 sequence at the start of text, or 0 when there is none
// (a stray continuation byte, an overlong form, a surrogate, a value beyond U+10FFFF, a sequence
// cut short).
std::size_t utf8SequenceLength(std::string_view text) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

} // namespace

std::string validUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text);
        if (length == 0) {
            out += kReplacementCharacter;
            text.remove_prefix(1);
        } else {
            out += text.substr(0, length);
            text.remove_prefix(length);
        }
    }
    return out;
}

std::string cp932ToUtf8(std::string_view cp932) {
    return convert(fromCp932(), cp932, kReplacementCharacter).value_or(std::string(cp932));
}

std::string utf8ToCp932(std::string_view utf8) {
    return convert(toCp932(), utf8, std::string_view("?")).value_or(std::string(utf8));
}

std::optional<std::string> cp932ToUtf8Strict(std::string_view cp932) {
    return convert(fromCp932(), cp932, std::nullopt);
}

std::optional<std::string> utf8ToCp932Strict(std::string_view utf8) {
    return convert(toCp932(), utf8, std::nullopt);
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
