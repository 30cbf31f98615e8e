#include "tools/script_codec.h"

#include "core/text/sjis.h"

namespace vespin {

bool EncodeScript(std::string_view utf8, std::vector<uint8_t>& out, std::string& error) {
    out.clear();
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);  // a byte-order mark
    int number = 0;
    while (!utf8.empty()) {
        ++number;
        size_t nl = utf8.find('\n');
        std::string_view line = utf8.substr(0, nl);
        utf8.remove_prefix(nl == std::string_view::npos ? utf8.size() : nl + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find('\0') != std::string_view::npos) {
            error = "line " + std::to_string(number) + ": a NUL byte cannot stand in a script";
            return false;
        }
        std::optional<std::string> sjis = sjis::FromUtf8(line);
        if (!sjis) {
            error = "line " + std::to_string(number) + ": a character has no Shift-JIS form";
            return false;
        }
        if (sjis->size() > 2047) {
            error = "line " + std::to_string(number) + ": longer than 2,047 bytes";
            return false;
        }
        out.insert(out.end(), sjis->begin(), sjis->end());
        out.push_back(0);
    }
    return true;
}

std::string DecodeScript(const std::vector<uint8_t>& script) {
    std::string text;
    size_t start = 0;
    while (start < script.size()) {
        size_t end = start;
        while (end < script.size() && script[end] != 0)
            ++end;
        std::string_view line(reinterpret_cast<const char*>(script.data()) + start, end - start);
        text += sjis::ToUtf8(line);
        text += '\n';
        start = end + 1;
    }
    return text;
}

}  // namespace vespin
