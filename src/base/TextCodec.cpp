#include "base/TextCodec.h"

#include "base/TextConverter.h"

#include <algorithm>

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

} // namespace

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

} // namespace textcodec
