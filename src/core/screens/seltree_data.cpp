// The tree definitions of the data script `seltree`: five trees one after another, each closed
// by a line "END", the whole by "ALLEND". An entry line is "<blanks>LABEL,FLAG,TARGET", the
// number of leading blanks (at most nine) being its depth.

#include <algorithm>
#include <string>
#include <string_view>

#include "core/screens/data_lines.h"
#include "core/screens/seltree.h"
#include "core/script/text_parse.h"
#include "core/text/sjis.h"

namespace vespin {

namespace {

constexpr int kMaxDepth = kTreeDepths - 1;

std::string_view Field(std::string_view line, size_t& at) {
    if (at > line.size()) return line.substr(line.size());  // a field the line lacks is empty
    size_t comma = line.find(',', at);
    if (comma == std::string_view::npos) comma = line.size();
    std::string_view field = line.substr(at, comma - at);
    at = comma + 1;
    return field;
}

TreeEntry ParseEntry(std::string_view line) {
    TreeEntry entry;
    size_t at = 0;
    while (at < line.size() && at < static_cast<size_t>(kMaxDepth) && line[at] == ' ')
        ++at;
    entry.Depth = static_cast<int>(at);
    entry.Label = Field(line, at);
    entry.Flag = ParseDecimal(std::string(Field(line, at)).c_str());
    entry.Target = Field(line, at);
    return entry;
}

}  // namespace

void ReadSelectionTrees(SelectionTreeState& s, std::string_view text) {
    for (auto& tree : s.Trees)
        tree.clear();
    size_t at = 0;
    int k = 0;
    while (k < kTreeCount && at < text.size()) {
        std::string_view line = NextDataLine(text, at);
        if (line.empty()) continue;
        std::string upper = sjis::UpperAscii(line);
        if (upper == "ALLEND") break;
        if (upper == "END") {
            ++k;
            continue;
        }
        // Lines past a tree's last entry wait for its "END", so the next tree starts in place.
        if (static_cast<int>(s.Trees[k].size()) < kTreeEntryLimit)
            s.Trees[k].push_back(ParseEntry(line));
    }
}

}  // namespace vespin
