#pragma once
// Shift-JIS (code page 932) helpers. All game text inside the engine is Shift-JIS bytes; UTF-8
// appears only where text crosses the Host boundary or a tool's input and output.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vespin::sjis {

// True for a byte that begins a two-byte character in code page 932.
constexpr bool IsLeadByte(uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Folds one ASCII letter a..z to A..Z and leaves every other byte alone. Only for a byte known
// to be a single-byte character: see the string form for text.
constexpr uint8_t UpperAscii(uint8_t b) {
    return (b >= 'a' && b <= 'z') ? uint8_t(b - 32) : b;
}
// Folds the single-byte ASCII letters of a Shift-JIS text and leaves both bytes of every
// double-byte character alone: the second byte of many characters lies in the ASCII letter range
// (ヂ is 0x83 0x61, and folding its 'a' would make it ア, 0x83 0x41). Every name the engine looks
// up (archive entries, scripts, labels, pictures, sounds, commands, tags) folds through here.
std::string UpperAscii(std::string_view s);
// The same into `out`, which holds at least s.size() bytes (for lookups that must not allocate).
void UpperAsciiInto(std::string_view s, char* out);

// Equality of two texts folded as UpperAscii folds them.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// True when `s` begins with `prefix`, both folded as UpperAscii folds them.
bool StartsWithIgnoringCase(std::string_view s, std::string_view prefix);

// The longest prefix of `text` of at most `limit` bytes made of whole characters: a cut never
// splits a two-byte character, and a lead byte whose second byte is missing is left out.
std::string_view CutAtCharBoundary(std::string_view text, size_t limit);

// Conversions through iconv's CP932. ToUtf8 never fails: undecodable bytes become U+FFFD.
std::string ToUtf8(std::string_view sjis);
// Returns nothing when a character has no code-page-932 form.
std::optional<std::string> FromUtf8(std::string_view utf8);

}  // namespace vespin::sjis
