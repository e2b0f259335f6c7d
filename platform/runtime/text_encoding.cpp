#include "runtime/text_encoding.h"

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

// The number of bytes of the UTF-8 sequence that `lead` starts; 0 for a byte that starts none.
int SequenceLength(unsigned char lead) {
  return lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
}

// Decodes one UTF-8 sequence at s[i]; returns false (and leaves i) when malformed.
bool DecodeUtf8(std::string_view s, size_t& i, char32_t& c) {
  auto b = static_cast<unsigned char>(s[i]);
  int len = SequenceLength(b);
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

// Converts `in` through `cd`, appending to `out`. Where a character does not convert,
// `replace(rest, text)` sets the text that stands for it and returns how many bytes of
// `rest` it stands for. Unless `last`, an incomplete character at the end is left
// unconverted: the bytes left over are returned.
template <class Replace>
std::string ConvertInto(iconv_t cd, std::string_view in, bool last, std::string& out,
                        Replace replace) {
  std::size_t used = out.size();
  out.resize(used + in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  char* dst = out.data() + used;
  std::size_t dst_left = out.size() - used;
  auto make_room = [&](std::size_t extra) {
    used = static_cast<std::size_t>(dst - out.data());
    out.resize(out.size() * 2 + extra);
    dst = out.data() + used;
    dst_left = out.size() - used;
  };
  std::string left_over;
  while (src_left > 0) {
    if (iconv(cd, &src, &src_left, &dst, &dst_left) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      make_room(0);
      continue;
    }
    if (errno == EINVAL && !last) {
      left_over.assign(src, src_left);
      break;
    }
    std::string text;
    const std::size_t skip = replace(std::string_view(src, src_left), text);
    if (dst_left < text.size()) make_room(text.size());
    std::memcpy(dst, text.data(), text.size());
    dst += text.size();
    dst_left -= text.size();
    src += skip;
    src_left -= skip;
  }
  out.resize(static_cast<std::size_t>(dst - out.data()));
  return left_over;
}

}  // namespace

LocaleDecoder::LocaleDecoder() : LocaleDecoder(Codeset()) {}

LocaleDecoder::LocaleDecoder(const std::string& cs) {
  utf8_ = IsUtf8Codeset(cs);
  if (utf8_) return;
  iconv_t cd = iconv_open("UTF-8", cs.c_str());
  if (cd != reinterpret_cast<iconv_t>(-1)) converter_ = cd;
}

LocaleDecoder::~LocaleDecoder() {
  if (converter_) iconv_close(static_cast<iconv_t>(converter_));
}

void LocaleDecoder::Decode(std::string_view bytes, bool last, std::string& out) {
  std::string joined;
  std::string_view in = bytes;
  if (!held_.empty()) {
    joined = std::move(held_) + std::string(bytes);
    held_.clear();
    in = joined;
  }
  if (utf8_) {
    DecodeUtf8Locale(in, last, out);
  } else if (converter_) {
    DecodeConverted(in, last, out);
  } else {
    out.append(in);
  }
}

// Keeps valid UTF-8 as it is; a stray byte is taken as Latin-1. Whether the sequence at
// a byte decodes depends on that sequence's own bytes only, so a sequence cut off at the
// end of a piece is decided once the next piece has brought the rest.
void LocaleDecoder::DecodeUtf8Locale(std::string_view in, bool last, std::string& out) {
  std::size_t i = 0;
  while (i < in.size()) {
    std::size_t ascii = i;
    while (ascii < in.size() && static_cast<unsigned char>(in[ascii]) < 0x80) ++ascii;
    out.append(in.substr(i, ascii - i));
    i = ascii;
    if (i == in.size()) break;
    const int len = SequenceLength(static_cast<unsigned char>(in[i]));
    if (!last && len > 0 && i + len > in.size()) {
      held_ = std::string(in.substr(i));
      return;
    }
    std::size_t j = i;
    char32_t c;
    if (DecodeUtf8(in, j, c)) {
      out.append(in.substr(i, j - i));
      i = j;
    } else {
      AppendUtf8(out, static_cast<unsigned char>(in[i]));
      ++i;
    }
  }
}

// Through iconv; a byte that does not decode is taken as Latin-1.
void LocaleDecoder::DecodeConverted(std::string_view in, bool last, std::string& out) {
  held_ = ConvertInto(static_cast<iconv_t>(converter_), in, last, out,
                      [](std::string_view rest, std::string& text) {
                        AppendUtf8(text, static_cast<unsigned char>(rest[0]));
                        return std::size_t{1};
                      });
}

std::string LocaleToUtf8(std::string_view bytes) {
  std::string out;
  LocaleDecoder().Decode(bytes, true, out);
  return out;
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
