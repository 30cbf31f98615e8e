#include "core/text/sjis.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace vespin::sjis {

void UpperAsciiInto(std::string_view s, char* out) {
    for (size_t i = 0; i < s.size(); ++i) {
        auto b = static_cast<uint8_t>(s[i]);
        out[i] = static_cast<char>(UpperAscii(b));
        if (IsLeadByte(b) && i + 1 < s.size()) {
            ++i;
            out[i] = s[i];  // the second byte stays as it is
        }
    }
}

std::string_view CutAtCharBoundary(std::string_view text, size_t limit) {
    size_t n = 0;
    while (n < text.size()) {
        size_t width = IsLeadByte(static_cast<uint8_t>(text[n])) ? 2 : 1;
        if (n + width > limit || n + width > text.size()) break;
        n += width;
    }
    return text.substr(0, n);
}

std::string UpperAscii(std::string_view s) {
    std::string out(s.size(), '\0');
    UpperAsciiInto(s, out.data());
    return out;
}

namespace {

// Compares the first `n` bytes of `a` and `b` after folding. Both texts are read character by
// character from their start; while they agree, their characters begin at the same bytes, so
// one lead byte test decides for both.
bool FoldedEqual(const char* a, const char* b, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        auto x = static_cast<uint8_t>(a[i]);
        auto y = static_cast<uint8_t>(b[i]);
        if (IsLeadByte(x)) {
            if (x != y) return false;
            if (++i < n && a[i] != b[i]) return false;
            continue;
        }
        if (UpperAscii(x) != UpperAscii(y)) return false;
    }
    return true;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && FoldedEqual(a.data(), b.data(), a.size());
}

bool StartsWithIgnoringCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && FoldedEqual(s.data(), prefix.data(), prefix.size());
}

namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle Open(const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
    return IconvHandle(cd);
}

// Converts as much as possible; returns false at the first input iconv cannot take, leaving
// `in` at that byte.
bool Convert(iconv_t cd, std::string_view& in, std::string& out) {
    char buffer[256];
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    bool ok = true;
    while (src_left > 0) {
        char* dst = buffer;
        size_t dst_left = sizeof buffer;
        size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
        out.append(buffer, dst - buffer);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    in = std::string_view(src, src_left);
    return ok;
}

}  // namespace

std::string ToUtf8(std::string_view sjis) {
    std::string out;
    IconvHandle cd = Open("UTF-8", "CP932");
    if (!cd) return std::string(sjis);
    while (!sjis.empty()) {
        if (Convert(static_cast<iconv_t>(cd.get()), sjis, out)) break;
        out += "\xEF\xBF\xBD";
        size_t skip = (IsLeadByte(static_cast<uint8_t>(sjis[0])) && sjis.size() > 1) ? 2 : 1;
        sjis.remove_prefix(skip);
    }
    return out;
}

std::optional<std::string> FromUtf8(std::string_view utf8) {
    IconvHandle cd = Open("CP932", "UTF-8");
    if (!cd) return std::nullopt;
    std::string out;
    if (!Convert(static_cast<iconv_t>(cd.get()), utf8, out)) return std::nullopt;
    return out;
}

}  // namespace vespin::sjis
