#pragma once
// Code-page-932 character codes to Unicode, one character at a time, for the font rasteriser.
// Conversions go through iconv once per code and are remembered.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace vespin {

class Cp932Decoder {
  public:
    Cp932Decoder();
    ~Cp932Decoder();
    Cp932Decoder(const Cp932Decoder&) = delete;
    Cp932Decoder& operator=(const Cp932Decoder&) = delete;

    // `code` is a one-byte character (0x00..0xFF) or lead byte × 256 + trail byte. Returns 0
    // for code 0, a lone lead byte, an invalid pair or a code iconv cannot convert.
    char32_t ToUnicode(unsigned code);

    // Splits Shift-JIS text into characters the way the platform's text output reads it: a
    // lead byte takes the next byte with it. Characters that do not convert are left out, and a
    // lead byte at the very end is dropped.
    std::vector<char32_t> Decode(std::string_view sjis);

  private:
    char32_t Convert(unsigned code);

    void* m_iconv = nullptr;
    std::vector<char32_t> m_table;  // 65536 entries once used; kNotConverted where unknown
};

// The code of one character as the glyph renderer computes it: a lead byte of code page 932
// makes a two-byte code (first × 256 + second, a missing second byte counting as 0); any other
// byte is its own code. Empty input gives 0.
unsigned CharacterCode(std::string_view chars);

}  // namespace vespin
