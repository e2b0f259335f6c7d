#include "caption_markup.h"

#include <cstring>

#include "runtime/errors.h"

namespace tickerell {
namespace {

// The largest length or position that the control's 16-bit counters hold.
constexpr std::size_t kMax16 = 32767;

// "<F.WGHT:" is one character shorter than the other value tags.
constexpr std::size_t kValueTagLength = 9;

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithUpper(std::string_view text, std::size_t offset, std::string_view upper) {
  if (text.size() - offset < upper.size()) return false;
  for (std::size_t i = 0; i < upper.size(); ++i)
    if (AsciiUpper(text[offset + i]) != upper[i]) return false;
  return true;
}

// The 1-based position, in UTF-16 code units, of the character at byte `offset`.
std::size_t Utf16Position(std::string_view text, std::size_t offset) {
  return Utf16Length(text.substr(0, offset)) + 1;
}

// The entry's length goes into a 16-bit counter wherever it is taken.
void CheckEntryLength(std::string_view entry) {
  // A UTF-8 text never has more UTF-16 units than bytes, so short texts need no count.
  if (entry.size() > kMax16 && Utf16Length(entry) > kMax16) tk::Raise(tk::kOverflow);
}

}  // namespace

bool TagAt(std::string_view text, std::size_t offset, std::string_view tag) {
  return offset <= text.size() && StartsWithUpper(text, offset, tag);
}

std::size_t Utf16Length(std::string_view utf8) {
  auto continues = [&](std::size_t k) {
    return k < utf8.size() && (static_cast<unsigned char>(utf8[k]) & 0xC0) == 0x80;
  };
  // Every unit is paid for by at least one byte of its own, so a text never has more
  // units than bytes, well-formed or not.
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if ((byte & 0xC0) == 0x80) continue;  // continues the character before
    if (byte >= 0xF0 && continues(i + 1) && continues(i + 2) && continues(i + 3)) {
      units += 2;  // beyond the basic plane: a surrogate pair
      i += 3;
    } else {
      ++units;
    }
  }
  return units;
}

std::size_t FindTag(std::string_view entry, std::string_view tag) {
  for (std::size_t at = entry.find('<'); at != std::string_view::npos;
       at = entry.find('<', at + 1)) {
    if (!StartsWithUpper(entry, at, tag)) continue;
    if (at + 1 > kMax16 && Utf16Position(entry, at) > kMax16) tk::Raise(tk::kOverflow);
    return at + 1;
  }
  return 0;
}

std::string GetTagValue(std::string_view Entry, std::size_t TagPos) {
  if (Entry.empty()) return {};
  const std::size_t tag_offset = TagPos - 1;
  const std::size_t tag_length =
      StartsWithUpper(Entry, tag_offset, kWeightTag) ? kWeightTag.size() : kValueTagLength;
  const std::size_t start = tag_offset + tag_length;  // 0-based: the character after ":"
  if (start + 1 > kMax16 && Utf16Position(Entry, tag_offset) + tag_length > kMax16)
    tk::Raise(tk::kOverflow);
  CheckEntryLength(Entry);
  if (start >= Entry.size()) return {};
  const std::size_t close = Entry.find('>', start);
  return std::string(Entry.substr(start, close == std::string_view::npos ? close : close - start));
}

std::string GetLineText(std::string_view Entry) {
  if (Entry.empty()) return {};
  CheckEntryLength(Entry);
  return std::string(Entry.substr(0, Entry.find('<')));
}

std::int32_t ReadTagNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  auto is_digit = [&](std::size_t k) {
    return k < text.size() && text[k] >= '0' && text[k] <= '9';
  };

  // The whole part, exactly; more than ten significant digits is out of range anyway.
  std::int64_t whole = 0;
  int significant = 0;
  bool any_digit = false;
  for (; is_digit(i); ++i) {
    any_digit = true;
    if (whole == 0 && text[i] == '0') continue;
    if (++significant > 10) tk::Raise(tk::kOverflow);
    whole = whole * 10 + (text[i] - '0');
  }
  // The fraction only decides the rounding: below, at or above one half.
  int versus_half = -1;
  if (i < text.size() && text[i] == '.') {
    ++i;
    if (is_digit(i)) {
      any_digit = true;
      const int first = text[i++] - '0';
      bool rest_nonzero = false;
      for (; is_digit(i); ++i) rest_nonzero |= text[i] != '0';
      versus_half = first > 5 ? 1 : first < 5 ? -1 : rest_nonzero ? 1 : 0;
    }
  }
  if (!any_digit) return 0;
  if (versus_half > 0 || (versus_half == 0 && whole % 2 == 1)) ++whole;
  const std::int64_t value = negative ? -whole : whole;
  if (value < INT32_MIN || value > INT32_MAX) tk::Raise(tk::kOverflow);
  return static_cast<std::int32_t>(value);
}

}  // namespace tickerell
