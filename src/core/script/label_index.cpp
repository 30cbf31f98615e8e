#include "core/script/label_index.h"

#include <array>
#include <cstring>

#include "core/text/sjis.h"

namespace vespin {

namespace {

// The text from `from` to the next NUL or the end of the script.
std::string_view LineFrom(std::string_view script, size_t from) {
    if (from >= script.size()) return {};
    const void* nul = std::memchr(script.data() + from, 0, script.size() - from);
    size_t end = nul ? static_cast<const char*>(nul) - script.data() : script.size();
    return script.substr(from, end - from);
}

}  // namespace

int ScanForLabel(std::string_view script, std::string_view name) {
    for (size_t i = 0; i < script.size(); ++i) {
        if (script[i] != ':') continue;
        std::string_view rest = LineFrom(script, i + 1);
        if (!sjis::EqualsIgnoringCase(rest, name)) continue;
        return static_cast<int>(i + 1 + rest.size() + 1);
    }
    return -1;
}

void LabelIndex::Clear() {
    m_table.clear();
    m_long.clear();
    m_built = false;
}

void LabelIndex::Build(std::string_view script) {
    Clear();
    // Line by line, so that each label's name length is known without searching for its NUL
    // again: a long line full of ':' does not cost its length squared.
    size_t line = 0;
    while (line < script.size()) {
        std::string_view text = LineFrom(script, line);
        size_t end = line + text.size();  // the NUL, or the end of the script
        int target = static_cast<int>(end + 1);
        for (size_t at = text.find(':'); at != std::string_view::npos;
             at = text.find(':', at + 1)) {
            size_t length = text.size() - at - 1;
            if (length <= kTableNameLimit) {
                m_table.try_emplace(sjis::UpperAscii(text.substr(at + 1)), target);
            } else {
                m_long.push_back({static_cast<int>(line + at), static_cast<int>(length)});
            }
        }
        line = end + 1;
    }
    m_built = true;
}

int LabelIndex::Find(std::string_view script, std::string_view name) const {
    if (name.size() <= kTableNameLimit) {
        std::array<char, kTableNameLimit> folded;
        sjis::UpperAsciiInto(name, folded.data());
        auto it = m_table.find(std::string_view(folded.data(), name.size()));
        return it == m_table.end() ? -1 : it->second;
    }
    for (const LongLabel& label : m_long) {
        if (static_cast<size_t>(label.Length) != name.size()) continue;
        std::string_view rest = script.substr(label.Colon + 1, label.Length);
        if (sjis::EqualsIgnoringCase(rest, name)) return label.Colon + 1 + label.Length + 1;
    }
    return -1;
}

}  // namespace vespin
