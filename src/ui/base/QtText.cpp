#include "ui/base/QtText.h"

#include "base/TextCodec.h"

namespace qttext {

QString fromCp932(std::string_view cp932) {
    return QString::fromStdString(textcodec::cp932ToUtf8(cp932));
}

std::string toCp932(const QString& text) {
    return textcodec::utf8ToCp932(text.toStdString());
}

} // namespace qttext
