#pragma once

#include <QString>
#include <string>
#include <string_view>

// The border between the program's cp932 texts and Qt's strings.
namespace qttext {

QString fromCp932(std::string_view cp932);
std::string toCp932(const QString& text);

} // namespace qttext
