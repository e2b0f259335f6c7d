// Conversions between the locale's character set, UTF-8 and UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace tk {

// Bytes in the locale's character set (LC_CTYPE) to UTF-8. Bytes that do not decode
// are taken as Latin-1, so no input is ever lost or rejected.
std::string LocaleToUtf8(std::string_view bytes);

std::u16string Utf8ToUtf16(std::string_view utf8);   // malformed bytes become U+FFFD
std::string Utf16ToUtf8(std::u16string_view utf16);  // lone surrogates become U+FFFD

// LocaleToUtf8 for text that arrives a piece at a time, as from a file read in blocks:
// the pieces decode to exactly what the whole text decodes to at once. A character cut
// off at the end of a piece waits for the next one; the last piece decodes everything.
class LocaleDecoder {
 public:
  LocaleDecoder();  // the locale's character set as it is now
  explicit LocaleDecoder(const std::string& codeset);
  ~LocaleDecoder();
  LocaleDecoder(const LocaleDecoder&) = delete;
  LocaleDecoder& operator=(const LocaleDecoder&) = delete;

  // Appends the UTF-8 of `bytes` (after any bytes kept back) to `out`.
  void Decode(std::string_view bytes, bool last, std::string& out);

 private:
  void DecodeUtf8Locale(std::string_view in, bool last, std::string& out);
  void DecodeConverted(std::string_view in, bool last, std::string& out);

  bool utf8_ = false;
  void* converter_ = nullptr;  // the iconv descriptor; none: bytes pass unchanged
  std::string held_;           // the start of a character cut off at the end of a piece
};

}  // namespace tk
