// Conversions between the locale's character set, UTF-8 and UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace tk {

// Bytes in the locale's character set (LC_CTYPE) to UTF-8. Bytes that do not decode
// are taken as Latin-1, so no input is ever lost or rejected.
std::string LocaleToUtf8(std::string_view bytes);
// UTF-8 to the locale's character set; characters it cannot hold become "?".
std::string Utf8ToLocale(std::string_view utf8);

std::u16string Utf8ToUtf16(std::string_view utf8);   // malformed bytes become U+FFFD
std::string Utf16ToUtf8(std::u16string_view utf16);  // lone surrogates become U+FFFD

}  // namespace tk
