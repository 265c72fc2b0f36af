// Entry names from DOS hosts without the UTF-8 flag are in code page 437;
// the rest of the program works in UTF-8. These convert between the two.
#pragma once

#include <string>

namespace ZipCodePage {

std::string Cp437ToUtf8(const std::string& bytes);
// Characters code page 437 cannot hold become '_'; success tells whether
// the conversion was exact.
std::string Utf8ToCp437(const std::string& text, bool* exact = nullptr);
bool IsAscii(const std::string& text);

}  // namespace ZipCodePage
