#include "core/text/cp932.h"

#include <iconv.h>

#include "core/text/sjis.h"

namespace vespin {

namespace {

constexpr char32_t kNotConverted = 0xFFFFFFFF;
constexpr size_t kCodeCount = 0x10000;

iconv_t AsIconv(void* handle) {
    return static_cast<iconv_t>(handle);
}

}  // namespace

unsigned CharacterCode(std::string_view chars) {
    if (chars.empty()) return 0;
    auto first = static_cast<uint8_t>(chars[0]);
    if (!sjis::IsLeadByte(first)) return first;
    unsigned second = chars.size() > 1 ? static_cast<uint8_t>(chars[1]) : 0;
    return static_cast<unsigned>(first) << 8 | second;
}

Cp932Decoder::Cp932Decoder() {
    iconv_t cd = iconv_open("UTF-32LE", "CP932");
    if (cd != reinterpret_cast<iconv_t>(-1)) m_iconv = cd;
}

Cp932Decoder::~Cp932Decoder() {
    if (m_iconv) iconv_close(AsIconv(m_iconv));
}

char32_t Cp932Decoder::ToUnicode(unsigned code) {
    if (code == 0 || code >= kCodeCount) return 0;
    if (m_table.empty()) m_table.assign(kCodeCount, kNotConverted);
    char32_t& slot = m_table[code];
    if (slot == kNotConverted) slot = Convert(code);
    return slot;
}

char32_t Cp932Decoder::Convert(unsigned code) {
    if (!m_iconv) return code < 0x80 ? code : 0;
    char in[2];
    size_t in_size = 0;
    if (code > 0xFF) {
        if (!sjis::IsLeadByte(static_cast<uint8_t>(code >> 8))) return 0;
        in[in_size++] = static_cast<char>(code >> 8);
    } else if (sjis::IsLeadByte(static_cast<uint8_t>(code))) {
        return 0;  // a lead byte without its trail byte is no character
    }
    in[in_size++] = static_cast<char>(code & 0xFF);

    unsigned char out[8];
    char* src = in;
    size_t src_left = in_size;
    char* dst = reinterpret_cast<char*>(out);
    size_t dst_left = sizeof out;
    iconv(AsIconv(m_iconv), nullptr, nullptr, nullptr, nullptr);  // reset the shift state
    size_t r = iconv(AsIconv(m_iconv), &src, &src_left, &dst, &dst_left);
    // Exactly one character must come out of the whole input.
    if (r == static_cast<size_t>(-1) || src_left != 0 || sizeof out - dst_left != 4) return 0;
    char32_t ch = static_cast<char32_t>(out[0]) | static_cast<char32_t>(out[1]) << 8 |
                  static_cast<char32_t>(out[2]) << 16 | static_cast<char32_t>(out[3]) << 24;
    return ch;
}

std::vector<char32_t> Cp932Decoder::Decode(std::string_view sjis) {
    std::vector<char32_t> out;
    out.reserve(sjis.size());
    size_t i = 0;
    while (i < sjis.size()) {
        auto b = static_cast<uint8_t>(sjis[i]);
        size_t n = sjis::IsLeadByte(b) ? 2 : 1;
        if (i + n > sjis.size()) break;
        char32_t ch = ToUnicode(CharacterCode(sjis.substr(i, n)));
        if (ch != 0) out.push_back(ch);
        i += n;
    }
    return out;
}

}  // namespace vespin
