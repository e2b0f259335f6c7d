#include "text_encoding.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <cstring>

namespace tk {
namespace {

std::string Codeset() {
  const char* cs = nl_langinfo(CODESET);
  return (cs && *cs) ? cs : "ANSI_X3.4-1968";
}

bool IsUtf8Codeset(const std::string& cs) {
  return cs == "UTF-8" || cs == "utf8" || cs == "UTF8" || cs == "utf-8";
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 sequence at s[i]; returns false (and leaves i) when malformed.
bool DecodeUtf8(std::string_view s, size_t& i, char32_t& c) {
  auto b = static_cast<unsigned char>(s[i]);
  int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
  if (len == 0 || i + len > s.size()) return false;
  c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
  for (int k = 1; k < len; ++k) {
    auto cb = static_cast<unsigned char>(s[i + k]);
    if ((cb & 0xC0) != 0x80) return false;
    c = (c << 6) | (cb & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kMin[len] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  i += len;
  return true;
}

std::string Convert(std::string_view in, const char* to, const char* from, bool latin1_fallback) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  out.resize(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  while (src_left > 0) {
    size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    if (r != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      size_t used = dst - out.data();
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dst_left = out.size() - used;
      continue;
    }
    // A byte that does not decode (or a character the target cannot hold).
    size_t used = dst - out.data();
    std::string repl;
    if (latin1_fallback) {
      AppendUtf8(repl, static_cast<unsigned char>(*src));
    } else {
      repl = "?";
    }
    size_t skip = 1;
    if (!latin1_fallback) {  // skip a whole UTF-8 character
      size_t i = 0;
      char32_t c;
      std::string_view rest(src, src_left);
      if (DecodeUtf8(rest, i, c)) skip = i;
    }
    if (dst_left < repl.size()) {
      out.resize(out.size() * 2 + repl.size());
      dst = out.data() + used;
      dst_left = out.size() - used;
    }
    std::memcpy(dst, repl.data(), repl.size());
    dst += repl.size();
    dst_left -= repl.size();
    src += skip;
    src_left -= skip;
  }
  out.resize(dst - out.data());
  iconv_close(cd);
  return out;
}

}  // namespace

std::string LocaleToUtf8(std::string_view bytes) {
  const std::string cs = Codeset();
  if (IsUtf8Codeset(cs)) {
    // Keep valid UTF-8 as it is; a stray byte is taken as Latin-1.
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
      size_t j = i;
      char32_t c;
      if (DecodeUtf8(bytes, j, c)) {
        out.append(bytes.substr(i, j - i));
        i = j;
      } else {
        AppendUtf8(out, static_cast<unsigned char>(bytes[i]));
        ++i;
      }
    }
    return out;
  }
  return Convert(bytes, "UTF-8", cs.c_str(), true);
}

std::string Utf8ToLocale(std::string_view utf8) {
  const std::string cs = Codeset();
  if (IsUtf8Codeset(cs)) return std::string(utf8);
  return Convert(utf8, (cs + "//TRANSLIT").c_str(), "UTF-8", false);
}

std::u16string Utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    char32_t c;
    if (!DecodeUtf8(s, i, c)) {
      c = 0xFFFD;
      ++i;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

}  // namespace tk
