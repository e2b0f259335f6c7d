// Reading one entry of the caption markup: where a tag stands, the value text after a
// value tag, the number in that text, and the visible text before the first "<".
//
// Positions are 1-based byte positions in the UTF-8 entry; 0 means "not found". Lengths
// and positions are limited to 32,767 UTF-16 code units, as the control's 16-bit counters
// are: going past that raises Overflow (6).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tickerell {

// The tags of the markup, as found in an upper-cased copy of an entry. No tag is the
// beginning of another, and none holds a "<" after its first character.
inline constexpr std::string_view kBoldTag = "<F.BOLD>";
inline constexpr std::string_view kItalicTag = "<F.ITALIC>";
inline constexpr std::string_view kStrikethroughTag = "<F.STRIKETHROUGH>";
inline constexpr std::string_view kUnderlineTag = "<F.UNDERLINE>";
inline constexpr std::string_view kWeightTag = "<F.WGHT:";
inline constexpr std::string_view kSizeTag = "<F.SIZEX:";
inline constexpr std::string_view kCharsetTag = "<F.CAHRS:";
inline constexpr std::string_view kNameTag = "<F.NAMEX:";
inline constexpr std::string_view kColorTag = "<F.COLOR:";
inline constexpr std::string_view kAllTags[] = {kBoldTag,      kItalicTag, kStrikethroughTag,
                                                kUnderlineTag, kWeightTag, kSizeTag,
                                                kCharsetTag,   kNameTag,   kColorTag};
inline constexpr std::size_t kLongestTag = kStrikethroughTag.size();

// Whether `tag` stands at byte `offset` of `text`, letters compared without regard to
// ASCII case.
bool TagAt(std::string_view text, std::size_t offset, std::string_view tag);

// The 1-based position of the first occurrence of `tag` in `entry`, letters compared
// without regard to ASCII case; 0 when absent. Raises 6 when the tag starts after 32,767.
std::size_t FindTag(std::string_view entry, std::string_view tag);

// The value text of the value tag whose "<" stands at `TagPos`: the characters after the
// tag's colon up to the next ">" (not included) or the end of the entry.
std::string GetTagValue(std::string_view Entry, std::size_t TagPos);

// The visible text of an entry: everything before its first "<".
std::string GetLineText(std::string_view Entry);

// The leading number of a tag's value text (leading blanks skipped, then an optional sign,
// digits, and an optional "." with a fraction, whatever the locale), rounded to the
// nearest integer with halves to even; 0 when there is none. Raises 6 outside 32 bits.
std::int32_t ReadTagNumber(std::string_view text);

// The length of UTF-8 text in UTF-16 code units.
std::size_t Utf16Length(std::string_view utf8);

}  // namespace tickerell
