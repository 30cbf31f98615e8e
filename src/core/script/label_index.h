#pragma once
// The labels of the loaded script, indexed when it loads, so that a jump costs the same on a long
// script as on a short one.
//
// A label is any ':' byte in the script, at the start of a line or in the middle of one; its name
// is the text after it up to the line's NUL (or the end of the script). A lookup answers exactly
// as a scan from the start of the script would: the first ':' whose name equals the wanted one,
// ignoring the case of single-byte ASCII letters, wins.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vespin {

// The definition: scans `script` from its first byte. Returns the offset of the line after the
// label (one past its NUL), or -1 when no label has the name.
int ScanForLabel(std::string_view script, std::string_view name);

class LabelIndex {
  public:
    // Indexes every ':' of `script`. Costs one pass over the script and a few bytes a label.
    void Build(std::string_view script);
    void Clear();
    bool Built() const { return m_built; }

    // The answer ScanForLabel gives on the script that was indexed, which must be `script`.
    int Find(std::string_view script, std::string_view name) const;

  private:
    // Names up to this length are kept folded in the table; longer ones (which no jump can name
    // from one script line of ordinary length) are compared in place.
    static constexpr size_t kTableNameLimit = 64;

    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };
    struct LongLabel {
        int Colon;   // offset of the ':'
        int Length;  // of the name after it
    };

    std::unordered_map<std::string, int, NameHash, std::equal_to<>> m_table;  // first wins
    std::vector<LongLabel> m_long;                                            // in script order
    bool m_built = false;
};

}  // namespace vespin
